#include "cli/Interruption.h"

#include <csignal>

namespace sci {
namespace {

volatile std::sig_atomic_t caught = 0;

void note(int signal) {
  caught = signal;
  // The runtime resets the handler before calling it.
  std::signal(signal, note);
}

}  // namespace

// The runtime turns Ctrl-C and Ctrl-Break in the console into SIGINT (and
// SIGBREAK) on a thread of their own; the run goes on and stops at its next
// result. A read waiting on the console is left to end by itself.
InterruptionScope::InterruptionScope() {
  std::signal(SIGINT, note);
  std::signal(SIGTERM, note);
}

InterruptionScope::~InterruptionScope() {
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
}

int interruptionSignal() { return caught; }

}  // namespace sci

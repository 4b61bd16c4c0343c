#include "cli/Interruption.h"

#include <signal.h>

namespace sci {
namespace {

volatile sig_atomic_t caught = 0;
struct sigaction savedInt {};
struct sigaction savedTerm {};

void note(int signal) { caught = signal; }

}  // namespace

// Without SA_RESTART, so that a read waiting for more names returns.
InterruptionScope::InterruptionScope() {
  struct sigaction action {};
  action.sa_handler = note;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, &savedInt);
  ::sigaction(SIGTERM, &action, &savedTerm);
}

InterruptionScope::~InterruptionScope() {
  ::sigaction(SIGINT, &savedInt, nullptr);
  ::sigaction(SIGTERM, &savedTerm, nullptr);
}

int interruptionSignal() { return caught; }

}  // namespace sci

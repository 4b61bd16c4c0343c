#include "cli/Interruption.h"

#include <signal.h>

#include <utility>

namespace sci {
namespace {

volatile sig_atomic_t caught = 0;
struct sigaction savedInt {};
struct sigaction savedTerm {};

void note(int signal) { caught = signal; }

}  // namespace

// Without SA_RESTART, so that a read waiting for more names returns. A
// signal ignored from the start (a background job of a script, nohup)
// stays ignored.
InterruptionScope::InterruptionScope() {
  struct sigaction action {};
  action.sa_handler = note;
  sigemptyset(&action.sa_mask);
  for (auto [signal, saved] : {std::pair{SIGINT, &savedInt}, std::pair{SIGTERM, &savedTerm}}) {
    ::sigaction(signal, &action, saved);
    if (saved->sa_handler == SIG_IGN) ::sigaction(signal, saved, nullptr);
  }
}

InterruptionScope::~InterruptionScope() {
  ::sigaction(SIGINT, &savedInt, nullptr);
  ::sigaction(SIGTERM, &savedTerm, nullptr);
}

int interruptionSignal() { return caught; }

}  // namespace sci

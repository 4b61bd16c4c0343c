#pragma once
// Ctrl-C and SIGTERM caught for a long run, so that it stops between two
// results instead of in the middle of one and can say how far it got. One
// implementation per platform.

namespace sci {

class InterruptionScope {
 public:
  InterruptionScope();  // catches the signals until destroyed
  ~InterruptionScope();
  InterruptionScope(const InterruptionScope&) = delete;
  InterruptionScope& operator=(const InterruptionScope&) = delete;
};

// The signal that arrived while a scope was alive (SIGINT or SIGTERM), or 0.
// A system call it interrupted fails with the system's "interrupted" code
// rather than waiting on.
int interruptionSignal();

}  // namespace sci

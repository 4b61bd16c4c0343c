#pragma once
// Virus scanners, search indexers and sync clients open a file for a
// moment right after it was written, often without sharing it. A save or
// open that meets such a hold waits a little and tries again, for about a
// second in all, before it reports the file as held by another program.

#include <windows.h>

#include <array>
#include <functional>

namespace sci {

// The pauses before each new attempt, growing: a hold of a few hundred
// milliseconds is outlasted, a long one is reported after about a second.
inline constexpr std::array<DWORD, 5> kHeldFilePauses{50, 100, 200, 300, 400};

// How many of those pauses an error deserves. A sharing or lock violation
// is another program's hold: all of them. ERROR_ACCESS_DENIED is also what
// a file pending deletion gives, but far more often a real refusal, so it
// gets only the first two, and a real refusal is reported after 150 ms.
std::size_t pausesFor(DWORD error);

// Calls `attempt` until it returns true or fails (returns false with the
// system's error set) for a reason that deserves no further pause. The
// last attempt's error stays set when it returns false. `pause` is Sleep
// outside tests.
bool retryWhileHeld(const std::function<bool()>& attempt,
                    const std::function<void(DWORD milliseconds)>& pause = ::Sleep);

}  // namespace sci

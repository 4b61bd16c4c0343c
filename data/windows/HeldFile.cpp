#include "data/windows/HeldFile.h"

namespace sci {

std::size_t pausesFor(DWORD error) {
  switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return kHeldFilePauses.size();
    case ERROR_ACCESS_DENIED:
      return 2;
    default:
      return 0;
  }
}

bool retryWhileHeld(const std::function<bool()>& attempt,
                    const std::function<void(DWORD milliseconds)>& pause) {
  for (std::size_t done = 0;; ++done) {
    if (attempt()) return true;
    const DWORD error = ::GetLastError();
    if (done >= pausesFor(error)) {
      ::SetLastError(error);
      return false;
    }
    pause(kHeldFilePauses[done]);
  }
}

}  // namespace sci

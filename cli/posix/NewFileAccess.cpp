#include "cli/NewFileAccess.h"

#include <sys/stat.h>

namespace sci {

// The atomic write gives a new file 0666 less the umask, so a stricter
// umask for the length of one write makes that file private without a
// second way of choosing modes. scitool does its file work on one thread.
NewFileAccessScope::NewFileAccessScope(NewFileAccess access) : saved_(::umask(0)) {
  ::umask(access == NewFileAccess::OwnerOnly ? saved_ | 077 : saved_);
}

NewFileAccessScope::~NewFileAccessScope() { ::umask(saved_); }

}  // namespace sci

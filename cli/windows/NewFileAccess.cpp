#include "cli/NewFileAccess.h"

namespace sci {

// A new file takes the access list its folder hands down, as every file a
// Windows program creates does; under the user's profile that is the user
// alone. Narrowing it further would need a security descriptor of its own.
NewFileAccessScope::NewFileAccessScope(NewFileAccess) {}

NewFileAccessScope::~NewFileAccessScope() = default;

}  // namespace sci

#include "cli/StandardStreams.h"

namespace sci {

// POSIX streams never translate line ends.
void useBinaryStandardStreams() {}

}  // namespace sci

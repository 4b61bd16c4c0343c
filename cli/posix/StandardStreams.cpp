#include "cli/StandardStreams.h"

#include <unistd.h>

namespace sci {

// POSIX streams never translate line ends.
void useBinaryStandardStreams() {}

bool standardOutputIsTerminal() { return ::isatty(STDOUT_FILENO) == 1; }

}  // namespace sci

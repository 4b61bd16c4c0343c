#include "cli/StandardStreams.h"

#include <unistd.h>

namespace sci {

// POSIX streams never translate line ends.
void useBinaryStandardStreams() {}

NativeFile standardInputFile() { return STDIN_FILENO; }

bool standardOutputIsTerminal() { return ::isatty(STDOUT_FILENO) == 1; }

// A terminal here takes the bytes and decodes them itself.
void writeText(std::FILE* stream, std::string_view utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
}

}  // namespace sci

#include <fmt/format.h>

#include "cli/Commands.h"
#include "cli/TerminalText.h"

namespace sci {

void reportFailure(const std::string& file, const std::string& reason) {
  // Results already printed must come first when both streams share a
  // terminal or a log.
  std::fflush(stdout);
  // A reason may quote the file name again, or a value from the input.
  fmt::print(stderr, "scitool: {}: {}\n", printableName(file), printableName(reason));
}

}  // namespace sci

#include <fmt/format.h>

#include "cli/Commands.h"

namespace sci {

void reportFailure(const std::string& file, const std::string& reason) {
  // Results already printed must come first when both streams share a
  // terminal or a log.
  std::fflush(stdout);
  fmt::print(stderr, "scitool: {}: {}\n", file, reason);
}

}  // namespace sci

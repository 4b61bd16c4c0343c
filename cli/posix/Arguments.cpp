#include "cli/Arguments.h"

namespace sci {

std::vector<std::string> commandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

// File names are bytes here, whatever their encoding.
std::filesystem::path argumentPath(const std::string& argument) { return argument; }

}  // namespace sci

#include "ui/ApplicationName.h"

#include <filesystem>
#include <system_error>

namespace sci {

std::string applicationName() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || program.empty()) return "sciedit";
  return program.stem().string();
}

}  // namespace sci

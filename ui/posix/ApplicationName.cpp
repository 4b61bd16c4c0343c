#include "ui/ApplicationName.h"

#include <system_error>

#include "data/DeviceConfig.h"

namespace sci {
namespace {

std::filesystem::path programFile() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : program;
}

}  // namespace

std::string applicationName() {
  const std::filesystem::path program = programFile();
  return program.empty() ? "sciedit" : program.stem().string();
}

std::filesystem::path programFolder() { return programFile().parent_path(); }

// An installed program lives in /usr/bin, no place for a user's files.
std::string configPlacementAdvice() {
  return std::string("Put your device's ") + kDeviceConfigFileName +
         " next to the list or in the folder you start " + applicationName() + " from.";
}

}  // namespace sci

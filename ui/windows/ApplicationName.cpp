#include "ui/ApplicationName.h"

#include <windows.h>

#include <string>

#include "data/DeviceConfig.h"

namespace sci {
namespace {

std::filesystem::path programFile() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return std::filesystem::path(buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::string utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

std::string applicationName() {
  const std::filesystem::path program = programFile();
  return program.empty() ? "sciedit" : utf8(program.stem());
}

std::filesystem::path programFolder() { return programFile().parent_path(); }

// The zip and the installer put the example beside the program.
std::string configPlacementAdvice() {
  const std::filesystem::path program = programFile();
  const std::string name = program.empty() ? "sciedit.exe" : utf8(program.filename());
  return std::string("Put your device's ") + kDeviceConfigFileName +
         " next to the list or next to " + name + ".";
}

}  // namespace sci

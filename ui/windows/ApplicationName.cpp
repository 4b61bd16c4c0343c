#include "ui/ApplicationName.h"

#include <windows.h>

#include <filesystem>
#include <string>

namespace sci {

std::string applicationName() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    if (length == 0) return "sciedit";
    if (length < buffer.size()) {
      buffer.resize(length);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  const std::u8string stem = std::filesystem::path(buffer).stem().u8string();
  return std::string(stem.begin(), stem.end());
}

}  // namespace sci

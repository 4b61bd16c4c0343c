#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "cli/Arguments.h"

namespace sci {

std::vector<std::string> commandLineArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, utf8.data(), size, nullptr, nullptr);
    arguments.push_back(std::move(utf8));
  }
  ::LocalFree(wide);
  return arguments;
}

// A narrow path would be read in the ANSI code page; the arguments are UTF-8.
std::filesystem::path argumentPath(const std::string& argument) {
  return std::filesystem::path(std::u8string(argument.begin(), argument.end()));
}

}  // namespace sci

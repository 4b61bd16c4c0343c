#include "data/windows/SystemPath.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace sci {
namespace {

namespace fs = std::filesystem;

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";

bool isDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

}  // namespace

fs::path fullPath(const fs::path& path) {
  std::wstring spelled = path.native();
  if (spelled.starts_with(kLongPrefix)) return spelled;
  std::replace(spelled.begin(), spelled.end(), L'/', L'\\');
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n =
        ::GetFullPathNameW(spelled.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0) return {};
    if (n < full.size()) {
      full.resize(n);
      return full;
    }
    full.resize(n);
  }
}

fs::path systemPath(const fs::path& path) {
  const std::wstring full = fullPath(path).native();
  if (full.empty()) return path;
  if (full.starts_with(kLongPrefix) || full.starts_with(kDevicePrefix)) return full;
  if (full.size() >= 3 && isDriveLetter(full[0]) && full[1] == L':' && full[2] == L'\\') {
    return std::wstring(kLongPrefix) + full;
  }
  if (full.starts_with(L"\\\\")) return std::wstring(kLongUncPrefix) + full.substr(2);
  return full;
}

}  // namespace sci

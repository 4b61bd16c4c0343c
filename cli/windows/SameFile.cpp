#include <windows.h>

#include <optional>
#include <tuple>

#include "cli/Arguments.h"
#include "cli/SameFile.h"
#include "data/windows/SystemPath.h"

namespace sci {
namespace {

using FileId = std::tuple<DWORD, DWORD, DWORD>;  // volume serial number, file index

std::optional<FileId> idOf(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(handle, &info)) return std::nullopt;
  return FileId{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

std::optional<FileId> idOf(const std::string& path) {
  // No access asked for: only the file's identity is read, and a file
  // another program holds open is still looked at.
  const HANDLE handle = ::CreateFileW(systemPath(argumentPath(path)).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  const auto id = idOf(handle);
  ::CloseHandle(handle);
  return id;
}

}  // namespace

bool sameFile(const std::string& a, const std::string& b) {
  const auto first = idOf(a);
  return first && first == idOf(b);
}

bool standardInputIs(const std::string& path) {
  const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
  if (input == nullptr || input == INVALID_HANDLE_VALUE) return false;
  const auto stdinId = idOf(input);
  return stdinId && stdinId == idOf(path);
}

}  // namespace sci

#include <windows.h>

#include "cli/Arguments.h"
#include "cli/NameList.h"
#include "data/OpenForReading.h"
#include "data/windows/SystemPath.h"

namespace sci {

SystemFile openNameList(const std::string& path, int& error) {
  const std::filesystem::path name = systemPath(argumentPath(path));
  // Windows opens no folder as a file; say it is one.
  const DWORD attributes = ::GetFileAttributesW(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    error = folderError();
    return SystemFile();
  }
  SystemFile file(::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) error = static_cast<int>(::GetLastError());
  return file;
}

}  // namespace sci

namespace sci {

void trimNameListLineEnd(std::string& name) {
  if (!name.empty() && name.back() == '\r') name.pop_back();
}

}  // namespace sci

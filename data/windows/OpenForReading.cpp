#include "data/OpenForReading.h"

#include <windows.h>

#include <algorithm>

#include "data/FileError.h"
#include "data/FixedSizeRead.h"
#include "data/SystemError.h"
#include "data/windows/HeldFile.h"
#include "data/windows/SystemPath.h"

namespace sci {

OpenedForReading openForReading(const std::filesystem::path& path) {
  OpenedForReading opened;
  const std::filesystem::path name = systemPath(path);
  // Windows opens no folder as a file; tell it apart from a refused file.
  const DWORD attributes = ::GetFileAttributesW(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    opened.kind = FileKind::Folder;
    opened.error = folderError();
    return opened;
  }
  // No sharing, as the editor opens its files: nobody changes the file
  // while it is read. A device such as CON or NUL opens like a file. A
  // file another program holds for a moment is waited for (HeldFile.h).
  HANDLE handle = INVALID_HANDLE_VALUE;
  retryWhileHeld([&] {
    handle = ::CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle != INVALID_HANDLE_VALUE;
  });
  opened.file = SystemFile(handle);
  if (!opened.file) {
    opened.error = lastSystemError();
    return opened;
  }
  // Pipes and character devices have no length of their own.
  if (::GetFileType(handle) != FILE_TYPE_DISK) return opened;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(handle, &size)) {
    const int error = lastSystemError();
    throw FileError(causeFromSystemError(error), FileOperation::Size, path, error);
  }
  opened.kind = FileKind::Regular;
  opened.size = static_cast<std::uintmax_t>(size.QuadPart);
  return opened;
}

int folderError() { return ERROR_DIRECTORY; }

bool interruptedCall(int) { return false; }

ReadCall systemRead() {
  return [](NativeFile file, void* buffer, std::size_t size) -> ssize_t {
    // One call never asks for more than a DWORD can count.
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    DWORD got = 0;
    if (!::ReadFile(file, buffer, chunk, &got, nullptr)) {
      // A pipe whose writer has finished: the end of its data, as on POSIX.
      return ::GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;
    }
    return static_cast<ssize_t>(got);
  };
}

}  // namespace sci

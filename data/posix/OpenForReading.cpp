#include "data/OpenForReading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "data/FileError.h"
#include "data/FixedSizeRead.h"
#include "data/SystemError.h"

namespace sci {

OpenedForReading openForReading(const std::filesystem::path& path) {
  OpenedForReading opened;
  // Non-blocking so that a FIFO without a writer cannot hang the program.
  opened.file = SystemFile(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!opened.file) {
    opened.error = errno;
    return opened;
  }
  struct stat info {};
  if (::fstat(opened.file.get(), &info) != 0) {
    const int error = errno;
    throw FileError(causeFromSystemError(error), FileOperation::Size, path, error);
  }
  if (S_ISDIR(info.st_mode)) {
    // A folder opens fine here, but other systems refuse it as a file.
    opened.file = SystemFile();
    opened.kind = FileKind::Folder;
    opened.error = folderError();
  } else if (S_ISREG(info.st_mode)) {
    opened.kind = FileKind::Regular;
    opened.size = static_cast<std::uintmax_t>(info.st_size);
  }
  return opened;
}

int folderError() { return EISDIR; }

bool interruptedCall(int error) { return error == EINTR; }

ReadCall systemRead() { return &::read; }

}  // namespace sci

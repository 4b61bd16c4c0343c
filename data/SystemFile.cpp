#include "data/SystemFile.h"

#include "data/FileError.h"
#include "data/SystemError.h"

namespace sci {

SystemFile::~SystemFile() {
  int ignored = 0;
  if (*this) closeNativeFile(file_, ignored);
}

SystemFile& SystemFile::operator=(SystemFile&& other) noexcept {
  if (this != &other) {
    int ignored = 0;
    if (*this) closeNativeFile(file_, ignored);
    file_ = other.file_;
    other.file_ = kNoNativeFile;
  }
  return *this;
}

void SystemFile::close(const std::filesystem::path& path) {
  const NativeFile file = file_;
  file_ = kNoNativeFile;
  // The file is closed after a close whatever it returns, so no retry.
  int error = 0;
  if (file != kNoNativeFile && !closeNativeFile(file, error)) {
    throw FileError(causeFromSystemError(error), FileOperation::Close, path, error);
  }
}

}  // namespace sci

#include "data/SystemError.h"

#include <cerrno>
#include <system_error>

namespace sci {

FileErrorCause causeFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return FileErrorCause::FileNotFound;
    case ENAMETOOLONG:
    case ENOTDIR:
    case ELOOP:
    case EINVAL:
      return FileErrorCause::BadPath;
    case EMFILE:
    case ENFILE:
      return FileErrorCause::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EEXIST:
    case EISDIR:
      return FileErrorCause::AccessDenied;
    case EBADF:
      return FileErrorCause::InvalidFile;
    case EBUSY:
      return FileErrorCause::RemoveCurrentDir;
    case ESPIPE:
      return FileErrorCause::BadSeek;
    case EIO:
    case ENXIO:
    case ENODEV:
      return FileErrorCause::HardIO;
    case ETXTBSY:
      return FileErrorCause::SharingViolation;
    case ENOLCK:
    case EDEADLK:
      return FileErrorCause::LockViolation;
    case ENOSPC:
    case EDQUOT:
      return FileErrorCause::DiskFull;
    default:
      return FileErrorCause::Generic;
  }
}

int lastSystemError() { return errno; }

void setLastSystemError(int error) { errno = error; }

FileErrorCause causeFromSystemError(int error) { return causeFromErrno(error); }

std::string systemErrorText(int error) { return std::generic_category().message(error); }

}  // namespace sci

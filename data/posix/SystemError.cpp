#include "data/SystemError.h"

#include <cerrno>
#include <system_error>

namespace sci {

namespace {

struct ErrnoEntry {
  int error;
  FileErrorCause cause;
};

// Every error a save or a read can meet, with the cause whose text comes
// nearest; the comments name the Windows codes the editor's texts were
// written for. Anything else is truly unknown and gets the generic text.
constexpr ErrnoEntry kErrnoCauses[] = {
    // 2 file not found; 6 invalid handle, as a server reports a file that
    // was removed while open.
    {ENOENT, FileErrorCause::FileNotFound},
    {ESTALE, FileErrorCause::FileNotFound},
    // 3 path not found, 17 not same device, 123 invalid name, 206 name too
    // long; EINVAL and EILSEQ are how file systems refuse a name's characters.
    {ENAMETOOLONG, FileErrorCause::BadPath},
    {ENOTDIR, FileErrorCause::BadPath},
    {ELOOP, FileErrorCause::BadPath},
    {EINVAL, FileErrorCause::BadPath},
    {EILSEQ, FileErrorCause::BadPath},
    {EXDEV, FileErrorCause::BadPath},
    // 4 too many open files.
    {EMFILE, FileErrorCause::TooManyOpenFiles},
    {ENFILE, FileErrorCause::TooManyOpenFiles},
    // 5 access denied, 19 write protected, 80/183 already exists; ENOKEY is
    // an encrypted folder whose key is not loaded.
    {EACCES, FileErrorCause::AccessDenied},
    {EPERM, FileErrorCause::AccessDenied},
    {EROFS, FileErrorCause::AccessDenied},
    {EEXIST, FileErrorCause::AccessDenied},
    {EISDIR, FileErrorCause::AccessDenied},
    {ENOTEMPTY, FileErrorCause::AccessDenied},
    {ENOKEY, FileErrorCause::AccessDenied},
    {EBADF, FileErrorCause::InvalidFile},
    {EBUSY, FileErrorCause::RemoveCurrentDir},
    // A folder that cannot take one more entry.
    {EMLINK, FileErrorCause::DirectoryFull},
    // 25 seek error, 131 negative seek: a size or offset out of range.
    {ESPIPE, FileErrorCause::BadSeek},
    {EOVERFLOW, FileErrorCause::BadSeek},
    // 21 not ready, 23 CRC error, 59 unexpected network error: the device,
    // the file system's own checks or the share behind a network or FUSE
    // mount failed.
    {EIO, FileErrorCause::HardIO},
    {ENXIO, FileErrorCause::HardIO},
    {ENODEV, FileErrorCause::HardIO},
    {ENOMEDIUM, FileErrorCause::HardIO},
    {EMEDIUMTYPE, FileErrorCause::HardIO},
    {EUCLEAN, FileErrorCause::HardIO},
    {EBADMSG, FileErrorCause::HardIO},
    {EREMOTEIO, FileErrorCause::HardIO},
    {ENOTCONN, FileErrorCause::HardIO},
    {ETIMEDOUT, FileErrorCause::HardIO},
    {ECONNABORTED, FileErrorCause::HardIO},
    {ECONNRESET, FileErrorCause::HardIO},
    {EHOSTDOWN, FileErrorCause::HardIO},
    {EHOSTUNREACH, FileErrorCause::HardIO},
    {ENETDOWN, FileErrorCause::HardIO},
    {ENETUNREACH, FileErrorCause::HardIO},
    {ENOLINK, FileErrorCause::HardIO},
    {ECOMM, FileErrorCause::HardIO},
    // 32 sharing violation: a program that is running.
    {ETXTBSY, FileErrorCause::SharingViolation},
    // 33 lock violation.
    {ENOLCK, FileErrorCause::LockViolation},
    {EDEADLK, FileErrorCause::LockViolation},
    // 39/112 disk full; a quota and the file size limit are the same wall
    // seen by one user.
    {ENOSPC, FileErrorCause::DiskFull},
    {EDQUOT, FileErrorCause::DiskFull},
    {EFBIG, FileErrorCause::DiskFull},
};

}  // namespace

FileErrorCause causeFromErrno(int error) {
  for (const auto& entry : kErrnoCauses) {
    if (entry.error == error) return entry.cause;
  }
  return FileErrorCause::Generic;
}

int lastSystemError() { return errno; }

void setLastSystemError(int error) { errno = error; }

FileErrorCause causeFromSystemError(int error) { return causeFromErrno(error); }

std::string systemErrorText(int error) { return std::generic_category().message(error); }

}  // namespace sci

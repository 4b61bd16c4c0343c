#include "data/FileError.h"

#include <cerrno>
#include <system_error>

namespace sci {
namespace {

struct CauseEntry {
  FileErrorCause cause;
  const char* text;
};

// The one place the user-facing texts live; "%1" is where the file name goes.
constexpr CauseEntry kCauseTexts[] = {
    {FileErrorCause::Generic, "An unknown error occurred while accessing %1."},
    {FileErrorCause::FileNotFound, "%1 was not found."},
    {FileErrorCause::BadPath, "%1 contains an invalid path."},
    {FileErrorCause::TooManyOpenFiles,
     "%1 could not be opened because there are too many open files."},
    {FileErrorCause::AccessDenied, "Access to %1 was denied."},
    {FileErrorCause::InvalidFile, "An invalid file handle was associated with %1."},
    {FileErrorCause::RemoveCurrentDir,
     "%1 could not be removed because it is the current directory."},
    {FileErrorCause::DirectoryFull, "%1 could not be created because the directory is full."},
    {FileErrorCause::BadSeek, "Seek failed on %1"},
    {FileErrorCause::HardIO, "A hardware I/O error was reported while accessing %1."},
    {FileErrorCause::SharingViolation, "A sharing violation occurred while accessing %1."},
    {FileErrorCause::LockViolation, "A locking violation occurred while accessing %1."},
    {FileErrorCause::DiskFull, "Disk full while accessing %1."},
    {FileErrorCause::EndOfFile, "An attempt was made to access %1 past its end."},
};

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

constexpr const char* kUnnamedFile = "an unnamed file";

bool namesThePath(FileOperation operation) {
  return operation == FileOperation::Write || operation == FileOperation::Flush ||
         operation == FileOperation::Rename;
}

std::string fullPath(const std::filesystem::path& path) {
  std::error_code ec;
  const auto absolute = std::filesystem::absolute(path, ec);
  return ec ? path.string() : absolute.lexically_normal().string();
}

std::string substitute(const char* text, const std::string& name) {
  std::string message(text);
  if (const auto at = message.find("%1"); at != std::string::npos) {
    message.replace(at, 2, name);
  }
  return message;
}

std::string messageFor(FileErrorCause cause, FileOperation operation,
                       const std::filesystem::path& path, const std::string& state) {
  std::string message =
      substitute(causeText(cause), namesThePath(operation) ? fullPath(path) : kUnnamedFile);
  if (!state.empty()) message += " " + state;
  return message;
}

}  // namespace

const char* causeText(FileErrorCause cause) {
  for (const auto& entry : kCauseTexts) {
    if (entry.cause == cause) return entry.text;
  }
  return kCauseTexts[0].text;
}

FileErrorCause causeFromErrno(int error) {
  for (const auto& entry : kErrnoCauses) {
    if (entry.error == error) return entry.cause;
  }
  return FileErrorCause::Generic;
}

FileError::FileError(FileErrorCause cause, FileOperation operation, std::filesystem::path path,
                     int osError, std::string state)
    : std::runtime_error(messageFor(cause, operation, path, state)),
      cause_(cause),
      operation_(operation),
      path_(std::move(path)),
      osError_(osError),
      state_(std::move(state)) {}

std::string FileError::userMessage() const { return messageFor(cause_, operation_, path_, state_); }

}  // namespace sci

#include "data/FileError.h"

#include "data/FileRefusal.h"

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

constexpr const char* kUnnamedFile = "an unnamed file";

bool namesThePath(FileOperation operation) {
  return operation == FileOperation::Write || operation == FileOperation::Flush ||
         operation == FileOperation::Rename;
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
      substitute(causeText(cause), namesThePath(operation) ? displayPath(path) : kUnnamedFile);
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

FileError::FileError(FileErrorCause cause, FileOperation operation, std::filesystem::path path,
                     int osError, std::string state)
    : std::runtime_error(messageFor(cause, operation, path, state)),
      cause_(cause),
      operation_(operation),
      path_(std::move(path)),
      osError_(osError),
      state_(std::move(state)) {}

bool FileError::namesPath() const { return namesThePath(operation_); }

std::string FileError::userMessage() const { return messageFor(cause_, operation_, path_, state_); }

}  // namespace sci

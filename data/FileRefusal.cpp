#include "data/FileRefusal.h"

#include <system_error>

#include "data/DeviceConfig.h"
#include "data/ServerListFile.h"
#include "data/SystemError.h"

namespace sci {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNotFound = "not found";
constexpr const char* kNoFolder = "the folder does not exist";
constexpr const char* kReadOnly = "read-only";
constexpr const char* kAccessDenied = "access denied";
constexpr const char* kInUse = "in use by another program";
constexpr const char* kDiskFull = "disk full";
constexpr const char* kFolderNotFile = "a folder, not a file";
constexpr const char* kChecksumMismatch =
    "the checksum does not match (damaged or not a server list)";
constexpr const char* kConfigChecksumMismatch =
    "the checksum does not match (damaged or not a device configuration)";

bool present(const fs::path& path) {
  std::error_code error;
  return fs::exists(path, error);
}

bool isFolder(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

fs::path folderOf(const fs::path& path) {
  std::error_code error;
  const fs::path full = fs::absolute(path, error);
  return (error ? path : full).parent_path();
}

// No write bit at all: a file marked read-only (on Windows, its attribute).
// A file another user may write but this one may not is "access denied".
bool markedReadOnly(const fs::path& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error || !fs::is_regular_file(status)) return false;
  constexpr fs::perms anyWrite =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  return (status.permissions() & anyWrite) == fs::perms::none;
}

}  // namespace

std::string expectedSizesText(std::initializer_list<std::size_t> expected) {
  std::string text;
  for (const std::size_t size : expected) {
    if (!text.empty()) text += " or ";
    text += std::to_string(size);
  }
  return text;
}

std::string lengthFoundText(const std::optional<std::uintmax_t>& size,
                            std::initializer_list<std::size_t> expected) {
  if (!size) return "not a regular file, " + expectedSizesText(expected) + " bytes expected";
  return std::to_string(*size) + (*size == 1 ? " byte" : " bytes") + " found, " +
         expectedSizesText(expected) + " expected";
}

std::string openFailureReason(const fs::path& path, FileAccess access, int osError) {
  if (isFolder(path)) return kFolderNotFile;
  const FileErrorCause cause = causeFromSystemError(osError);
  switch (cause) {
    case FileErrorCause::FileNotFound:
    case FileErrorCause::BadPath:
      if (!isFolder(folderOf(path))) return kNoFolder;
      if (cause == FileErrorCause::FileNotFound || !present(path)) return kNotFound;
      break;
    case FileErrorCause::AccessDenied:
      if (access == FileAccess::Write && markedReadOnly(path)) return kReadOnly;
      return kAccessDenied;
    case FileErrorCause::SharingViolation:
    case FileErrorCause::LockViolation:
      return kInUse;
    case FileErrorCause::DiskFull:
      return kDiskFull;
    default:
      break;
  }
  if (osError == 0) return access == FileAccess::Read ? kNotFound : kAccessDenied;
  return systemErrorText(osError);
}

std::string fileErrorReason(FileErrorCause cause) {
  switch (cause) {
    case FileErrorCause::SharingViolation:
    case FileErrorCause::LockViolation:
      return std::string(kInUse) + "; close it there and try again";
    default:
      return {};
  }
}

std::string displayPath(const fs::path& path) {
  std::error_code error;
  const fs::path full = fs::absolute(path, error);
  const std::u8string text = (error ? path : full.lexically_normal()).u8string();
  return std::string(text.begin(), text.end());
}

std::string fileErrorMessage(const FileError& error) {
  std::string reason = fileErrorReason(error.cause());
  if (reason.empty() && !error.namesPath() && error.osError() != 0)
    reason = systemErrorText(error.osError());
  if (reason.empty()) return error.userMessage();
  return error.userMessage() + "\n" + displayPath(error.path()) + ": " + reason;
}

std::string refusalMessage(const fs::path& path, const FileRefusal& refusal) {
  const bool config = refusal.kind == ResultFile::DeviceConfig;
  std::string reason;
  switch (refusal.result) {
    case FileResult::Ok:
      return {};
    case FileResult::OpenFailed:
      reason = openFailureReason(path, refusal.access, refusal.osError);
      break;
    case FileResult::LengthError:
      reason = lengthFoundText(refusal.size, {config ? kDeviceConfigSize : kServerListSize});
      break;
    case FileResult::ChecksumError:
      reason = config ? kConfigChecksumMismatch : kChecksumMismatch;
      break;
  }
  return std::string(resultMessage(refusal.result, refusal.kind).text) + "\n" + displayPath(path) +
         ": " + reason;
}

}  // namespace sci

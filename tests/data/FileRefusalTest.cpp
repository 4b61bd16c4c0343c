// The reason line under a refused file's fixed text: the full path and why,
// told apart by the system's error and by what is at the path.

#include <gtest/gtest.h>

#include <fstream>

#include "data/FileRefusal.h"
#include "data/FixedSizeRead.h"
#include "tests/SystemForTests.h"
#include "tests/data/TempDir.h"

namespace sci::test {
namespace {

namespace fs = std::filesystem;

std::string utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

void touch(const fs::path& path, std::size_t size = 0) {
  std::ofstream(path, std::ios::binary) << std::string(size, 'x');
}

struct OpenCase {
  const char* name;
  const char* path;  // inside the test's folder
  FileAccess access;
  const int& osError;
  const char* reason;
};

// "file" exists and may be written, "locked" is marked read-only, "folder" is a folder.
const OpenCase kOpenCases[] = {
    {"missing file", "nothing.bin", FileAccess::Read, kNotFoundCode, "not found"},
    {"missing folder, read", "no-folder/x.bin", FileAccess::Read, kPathNotFoundCode,
     "the folder does not exist"},
    {"missing folder, write", "no-folder/x.bin", FileAccess::Write, kPathNotFoundCode,
     "the folder does not exist"},
    {"read-only file", "locked.bin", FileAccess::Write, kAccessDeniedCode, "read-only"},
    {"writable file, denied", "file.bin", FileAccess::Write, kAccessDeniedCode, "access denied"},
    {"read-only file, read denied", "locked.bin", FileAccess::Read, kAccessDeniedCode,
     "access denied"},
    {"held by another program", "file.bin", FileAccess::Write, kInUseCode,
     "in use by another program"},
    {"disk full", "file.bin", FileAccess::Write, kDiskFullCode, "disk full"},
    {"a folder", "folder", FileAccess::Read, kAccessDeniedCode, "a folder, not a file"},
};

TEST(FileRefusal, OpenFailuresInPlainWords) {
  TempDir dir;
  touch(dir / "file.bin");
  touch(dir / "locked.bin");
  fs::permissions(dir / "locked.bin", fs::perms::owner_read | fs::perms::group_read);
  fs::create_directory(dir / "folder");
  for (const OpenCase& c : kOpenCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(openFailureReason(dir / c.path, c.access, c.osError), c.reason);
  }
  fs::permissions(dir / "locked.bin", fs::perms::owner_all);
}

TEST(FileRefusal, MessagesKeepTheFixedTextFirstAndNameTheFullPath) {
  TempDir dir;
  touch(dir / "short.bin", 379);
  const fs::path shortList = dir / "short.bin";
  const FileOfSize read = readFileOfSize(shortList, {4124});
  ASSERT_EQ(read.result, FileResult::LengthError);

  FileRefusal length;
  length.result = read.result;
  length.size = read.size;
  EXPECT_EQ(refusalMessage(shortList, length),
            "Length Error!\n" + utf8(shortList) + ": 379 bytes found, 4124 expected");

  FileRefusal checksum;
  checksum.result = FileResult::ChecksumError;
  EXPECT_EQ(refusalMessage(shortList, checksum),
            "Check data error!\n" + utf8(shortList) +
                ": the checksum does not match (damaged or not a server list)");

  const FileOfSize missing = readFileOfSize(dir / "gone.bin", {4124});
  FileRefusal open;
  open.osError = missing.openError;
  EXPECT_EQ(refusalMessage(dir / "gone.bin", open),
            "abort!\n" + utf8(dir / "gone.bin") + ": not found");

  FileRefusal config;
  config.kind = ResultFile::DeviceConfig;
  config.result = FileResult::LengthError;
  config.size = 4124;
  EXPECT_EQ(refusalMessage(dir / "IPConfig.cfg", config),
            "Length Error!\n" + utf8(dir / "IPConfig.cfg") + ": 4124 bytes found, 52 expected");
}

TEST(FileRefusal, RelativePathsAreShownInFull) {
  FileRefusal refusal;
  refusal.result = FileResult::ChecksumError;
  const std::string message = refusalMessage("site.bin", refusal);
  EXPECT_EQ(message.substr(0, message.find(": ")),
            "Check data error!\n" + utf8((fs::current_path() / "site.bin").lexically_normal()));
}

TEST(FileRefusal, FailuresAfterOpeningSayWhatTheFixedTextLeavesOut) {
  const fs::path path = fs::current_path() / "list.bin";
  // A write names its file, and a held file has a remedy.
  const FileError held(FileErrorCause::SharingViolation, FileOperation::Write, path, kInUseCode);
  EXPECT_EQ(fileErrorMessage(held),
            held.userMessage() + "\n" + utf8(path) +
                ": in use by another program; close it there and try again");
  const FileError full(FileErrorCause::DiskFull, FileOperation::Write, path, kDiskFullCode);
  EXPECT_EQ(fileErrorMessage(full), full.userMessage());
  // A read speaks of "an unnamed file": the path and the system's words follow.
  const FileError read(FileErrorCause::HardIO, FileOperation::Read, path, kIoErrorCode);
  EXPECT_EQ(fileErrorMessage(read), read.userMessage() + "\n" + utf8(path) + ": " + ioErrorText());
}

TEST(FileRefusal, LengthsInWords) {
  EXPECT_EQ(lengthFoundText(1, {52}), "1 byte found, 52 expected");
  EXPECT_EQ(lengthFoundText(0, {52, 4124}), "0 bytes found, 52 or 4124 expected");
  EXPECT_EQ(lengthFoundText(std::nullopt, {4124}), "not a regular file, 4124 bytes expected");
}

}  // namespace
}  // namespace sci::test

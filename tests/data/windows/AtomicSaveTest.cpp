// Saving on Windows must never leave a damaged file either: a save that
// fails part-way keeps the previous file byte for byte and leaves no
// temporary file behind, whether the failure is the disk's, a read-only
// file's or another program's that holds the file open.

#include <gtest/gtest.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "data/FileError.h"
#include "data/ServerListFile.h"
#include "tests/data/SaveFixture.h"
#include "tests/data/TempDir.h"

namespace sci {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

using test::expectedImage;
using test::sampleTable;
using test::save;

Bytes previousContent() {
  Bytes previous(4124);
  for (std::size_t i = 0; i < previous.size(); ++i) {
    previous[i] = static_cast<std::uint8_t>(i % 251);
  }
  return previous;
}

// Passes at most `limit` bytes in total to the real write, in pieces of at
// most `piece`, then fails with the system error `error` (or returns 0 when
// error is 0). A writer that keeps retrying is stopped with ERROR_CRC.
WriteOps writesThenFails(std::size_t limit, std::size_t piece, DWORD error) {
  auto written = std::make_shared<std::size_t>(0);
  auto failures = std::make_shared<int>(0);
  const WriteOps real = WriteOps::system();
  WriteOps ops = real;
  ops.write = [=](int fd, const void* data, std::size_t size) mutable -> long {
    if (*written >= limit) {
      if (++*failures > 100) error = ERROR_CRC;
      ::SetLastError(error);
      return error == 0 ? 0 : -1;
    }
    const long n = real.write(fd, data, std::min({size, piece, limit - *written}));
    if (n > 0) *written += static_cast<std::size_t>(n);
    return n;
  };
  return ops;
}

WriteOps flushFails(DWORD error) {
  WriteOps ops = WriteOps::system();
  ops.fsync = [=](int) {
    ::SetLastError(error);
    return -1;
  };
  return ops;
}

struct FailureCase {
  const char* name;
  std::function<WriteOps()> ops;
  FileErrorCause cause;
  FileOperation operation;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class FailedSave : public testing::TestWithParam<FailureCase> {
 protected:
  void expectFailure(const fs::path& target) {
    try {
      save(target, GetParam().ops());
      FAIL() << "no FileError";
    } catch (const FileError& e) {
      EXPECT_EQ(e.cause(), GetParam().cause);
      EXPECT_EQ(e.operation(), GetParam().operation);
      EXPECT_EQ(e.path(), target);
    }
  }

  TempDir dir;
};

TEST_P(FailedSave, KeepsThePreviousFileByteForByte) {
  const auto target = dir / "list.bin";
  writeBytes(target, previousContent());
  expectFailure(target);
  EXPECT_EQ(readBytes(target), previousContent());
  EXPECT_EQ(dir.names(), std::set<std::string>{"list.bin"});
}

TEST_P(FailedSave, LeavesNothingWhenThereWasNoFile) {
  expectFailure(dir / "new.bin");
  EXPECT_TRUE(dir.names().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailedSave,
    testing::Values(FailureCase{"DiskFullAfter1000",
                                [] { return writesThenFails(1000, 4124, ERROR_DISK_FULL); },
                                FileErrorCause::DiskFull, FileOperation::Write},
                    FailureCase{"HandleDiskFullOneByteShort",
                                [] { return writesThenFails(4123, 4124, ERROR_HANDLE_DISK_FULL); },
                                FileErrorCause::DiskFull, FileOperation::Write},
                    FailureCase{"CrcErrorAtOnce",
                                [] { return writesThenFails(0, 4124, ERROR_CRC); },
                                FileErrorCause::HardIO, FileOperation::Write},
                    FailureCase{"ShortWritesThenNothing",
                                [] { return writesThenFails(3000, 700, 0); },
                                FileErrorCause::DiskFull, FileOperation::Write},
                    FailureCase{"FlushNotReady", [] { return flushFails(ERROR_NOT_READY); },
                                FileErrorCause::HardIO, FileOperation::Flush},
                    FailureCase{"FlushDiskFull", [] { return flushFails(ERROR_DISK_FULL); },
                                FileErrorCause::DiskFull, FileOperation::Flush}),
    [](const auto& info) { return std::string(info.param.name); });

class AtomicSave : public testing::Test {
 protected:
  TempDir dir;
};

// Another program has the file open without sharing, as the editor itself
// opens files: the save says so, and neither file is left changed.
TEST_F(AtomicSave, FileHeldOpenIsASharingViolation) {
  const auto target = dir / "list.bin";
  writeBytes(target, previousContent());
  const HANDLE holder = ::CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  try {
    save(target);
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.cause(), FileErrorCause::SharingViolation);
    EXPECT_EQ(e.osError(), ERROR_SHARING_VIOLATION);
    EXPECT_EQ(e.userMessage(), "A sharing violation occurred while accessing " +
                                   fs::absolute(target).lexically_normal().string() + ".");
  }
  ::CloseHandle(holder);
  EXPECT_EQ(readBytes(target), previousContent());
  EXPECT_EQ(dir.names(), std::set<std::string>{"list.bin"});
}

// A read-only file cannot be opened for writing, so the save is refused as
// a plain save would be, before anything is created.
TEST_F(AtomicSave, ReadOnlyFileIsOpenFailedAndKept) {
  const auto target = dir / "list.bin";
  writeBytes(target, previousContent());
  ASSERT_TRUE(::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(save(target), FileResult::OpenFailed);
  ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(readBytes(target), previousContent());
  EXPECT_EQ(dir.names(), std::set<std::string>{"list.bin"});
}

TEST_F(AtomicSave, ReplacedFileKeepsItsAttributes) {
  const auto target = dir / "list.bin";
  writeBytes(target, Bytes{1, 2, 3});
  ASSERT_TRUE(::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_EQ(save(target), FileResult::Ok);
  EXPECT_EQ(readBytes(target), expectedImage());
  EXPECT_NE(::GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(dir.names(), std::set<std::string>{"list.bin"});
}

TEST_F(AtomicSave, TargetsThatCannotBeOpenedAreOpenFailed) {
  writeBytes(dir / "plain", Bytes{1});
  fs::create_directory(dir / "folder.bin");
  const fs::path targets[] = {dir / "missing" / "list.bin", dir / "folder.bin",
                              dir / "plain" / "list.bin", dir.path() / ""};
  for (const auto& target : targets) {
    EXPECT_EQ(save(target), FileResult::OpenFailed) << target;
  }
  EXPECT_TRUE(fs::is_empty(dir / "folder.bin"));
  EXPECT_EQ(dir.names(), (std::set<std::string>{"folder.bin", "plain"}));
}

// Paths are UTF-16 on Windows: a list under a folder whose name no single
// code page holds saves and opens again.
TEST_F(AtomicSave, FolderWithNonAsciiNameWorks) {
  const fs::path folder =
      dir.path() / fs::path(L"Gr\u00FC\u00DFe \u0421\u043F\u0438\u0441\u043E\u043A \u4E2D\u6587");
  ASSERT_TRUE(fs::create_directory(folder));
  const fs::path target = folder / fs::path(L"li\u00DFt.bin");
  ASSERT_EQ(save(target), FileResult::Ok);
  EXPECT_EQ(readBytes(target), expectedImage());
  ServerTable table = initialTable();
  ASSERT_EQ(readServerList(target, table), FileResult::Ok);
  EXPECT_EQ(table.entries, sampleTable().entries);
  ASSERT_EQ(save(target), FileResult::Ok);  // and replaces it
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

  writeBytes(folder / kDeviceConfigFileName, encodeDeviceConfig("Gr\xFC\xDF"
                                                                "e",
                                                                1, 2, 3));
  DeviceConfig loaded;
  ASSERT_EQ(loadDeviceConfig(loaded, folder / kDeviceConfigFileName), FileResult::Ok);
  EXPECT_EQ(loaded.title(),
            "Gr\xFC\xDF"
            "e");
}

// A device takes the bytes as a plain save would give them; there is
// nothing to replace.
TEST_F(AtomicSave, NulDeviceTakesTheSave) {
  EXPECT_EQ(save("NUL"), FileResult::Ok);
  EXPECT_TRUE(dir.names().empty());
}

}  // namespace
}  // namespace sci

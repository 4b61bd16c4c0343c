// Saving on Windows: the failures a Windows disk reports, and what a
// read-only file, another program holding the file open, attributes and
// UTF-16 paths mean for a save.

#include <gtest/gtest.h>
#include <io.h>
#include <windows.h>

#include <vector>

#include "data/FileError.h"
#include "data/ServerListFile.h"
#include "tests/data/SaveFixture.h"
#include "tests/data/TempDir.h"

namespace sci::test {

const int kHardIoError = ERROR_CRC;

std::vector<FailureCase> saveFailures() {
  return {
      {"DiskFullAfter1000", [] { return writesThenFails(1000, 4124, ERROR_DISK_FULL); },
       FileErrorCause::DiskFull, FileOperation::Write},
      {"HandleDiskFullOneByteShort",
       [] { return writesThenFails(4123, 4124, ERROR_HANDLE_DISK_FULL); }, FileErrorCause::DiskFull,
       FileOperation::Write},
      {"CrcErrorAtOnce", [] { return writesThenFails(0, 4124, ERROR_CRC); }, FileErrorCause::HardIO,
       FileOperation::Write},
      {"ShortWritesThenNothing", [] { return writesThenFails(3000, 700, 0); },
       FileErrorCause::DiskFull, FileOperation::Write},
      {"FlushNotReady", [] { return flushFails(ERROR_NOT_READY); }, FileErrorCause::HardIO,
       FileOperation::Flush},
      {"FlushDiskFull", [] { return flushFails(ERROR_DISK_FULL); }, FileErrorCause::DiskFull,
       FileOperation::Flush},
  };
}

namespace {

// Another program has the file open without sharing, as the editor itself
// opens files: the save says so, and neither file is left changed.
TEST_F(AtomicSave, FileHeldOpenIsASharingViolation) {
  const auto target = dir / "list.bin";
  writeBytes(target, previousList());
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
  EXPECT_EQ(readBytes(target), previousList());
  EXPECT_EQ(dir.names(), std::set<std::string>{"list.bin"});
}

// A read-only file cannot be opened for writing, so the save is refused as
// a plain save would be, before anything is created.
TEST_F(AtomicSave, ReadOnlyFileIsOpenFailedAndKept) {
  const auto target = dir / "list.bin";
  writeBytes(target, previousList());
  ASSERT_TRUE(::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(save(target), FileResult::OpenFailed);
  ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(readBytes(target), previousList());
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
}  // namespace sci::test

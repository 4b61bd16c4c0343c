// Saving on Windows must never leave a damaged file either: a save that
// fails part-way keeps the previous file byte for byte and leaves no
// temporary file behind, whether the failure is the disk's, a read-only
// file's or another program's that holds the file open.

#include <gtest/gtest.h>
#include <io.h>
#include <windows.h>
// after windows.h
#include <aclapi.h>
#include <sddl.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/FileError.h"
#include "data/ServerListFile.h"
#include "tests/data/SaveFixture.h"
#include "tests/data/TempDir.h"

namespace sci::test {

const int kHardIoError = ERROR_CRC;

namespace {

WriteOps renameFails(DWORD error) {
  WriteOps ops = WriteOps::system();
  ops.rename = [=](NativeFile, const std::filesystem::path&) {
    ::SetLastError(error);
    return -1;
  };
  return ops;
}

}  // namespace

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
      {"RenameAccessDenied", [] { return renameFails(ERROR_ACCESS_DENIED); },
       FileErrorCause::AccessDenied, FileOperation::Rename},
      {"RenameNotReady", [] { return renameFails(ERROR_NOT_READY); }, FileErrorCause::HardIO,
       FileOperation::Rename},
  };
}

namespace {

namespace fs = std::filesystem;

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
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  const auto target = dir / "list.bin";
  const DWORD cases[] = {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN,
                         FILE_ATTRIBUTE_NORMAL};
  for (const DWORD attributes : cases) {
    writeBytes(target, Bytes{1, 2, 3});
    ASSERT_TRUE(::SetFileAttributesW(target.c_str(), attributes));
    ASSERT_EQ(save(target), FileResult::Ok);
    EXPECT_EQ(readBytes(target), expectedImage());
    EXPECT_EQ(::GetFileAttributesW(target.c_str()) & kKept, attributes & kKept) << attributes;
    EXPECT_EQ(dir.names(), std::set<std::string>{"list.bin"});
    ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

FILETIME creationTimeOf(const fs::path& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftCreationTime;
}

bool setCreationTime(const fs::path& path, const FILETIME& time) {
  const HANDLE file = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool ok = ::SetFileTime(file, &time, nullptr, nullptr) != 0;
  ::CloseHandle(file);
  return ok;
}

// NTFS keeps a creation time that can be set; Wine's Unix file systems do
// not, and there the replaced file's creation time is simply the save's.
TEST_F(AtomicSave, ReplacedFileKeepsItsCreationTimeWhereTheFileSystemHasOne) {
  const auto target = dir / "list.bin";
  writeBytes(target, previousList());
  const FILETIME old{0x12345678, 0x01d00000};  // a day in 2014
  ASSERT_TRUE(setCreationTime(target, old));
  const FILETIME stored = creationTimeOf(target);
  if (::CompareFileTime(&old, &stored) != 0) {
    GTEST_SKIP() << "this file system does not keep a creation time that is set";
  }
  ASSERT_EQ(save(target), FileResult::Ok);
  EXPECT_EQ(readBytes(target), expectedImage());
  const FILETIME now = creationTimeOf(target);
  EXPECT_EQ(::CompareFileTime(&old, &now), 0);
}

// The access list in the system's text form ("D:P(A;;FA;;;S-1-...)").
std::wstring accessListOf(const fs::path& path) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (::GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
    return L"unreadable";
  }
  LPWSTR text = nullptr;
  ::ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1,
                                                         DACL_SECURITY_INFORMATION, &text, nullptr);
  std::wstring result = text != nullptr ? text : L"unconvertible";
  ::LocalFree(text);
  ::LocalFree(descriptor);
  return result;
}

// Gives the file an access list of its own, cut off from the folder's: one
// that lets everyone change it (which Wine can hold as Unix permissions).
bool giveOwnAccessList(const fs::path& path) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FA;;;WD)", SDDL_REVISION_1,
                                                              &descriptor, nullptr)) {
    return false;
  }
  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  PACL list = nullptr;
  ::GetSecurityDescriptorDacl(descriptor, &present, &list, &defaulted);
  std::wstring name = path.native();
  const DWORD error = ::SetNamedSecurityInfoW(
      name.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
      nullptr, nullptr, list, nullptr);
  ::LocalFree(descriptor);
  return error == ERROR_SUCCESS;
}

// A list whose owner changed who may use it keeps that when it is
// replaced, rather than taking what the folder gives a new file.
TEST_F(AtomicSave, ReplacedFileKeepsItsAccessList) {
  const auto target = dir / "list.bin";
  writeBytes(target, previousList());
  ASSERT_TRUE(giveOwnAccessList(target));
  const std::wstring own = accessListOf(target);
  if (!own.starts_with(L"D:P")) {
    GTEST_SKIP()
        << "this file system keeps no access list of a file's own (Wine: Unix permissions)";
  }
  writeBytes(dir / "fresh.bin", Bytes{1});
  ASSERT_NE(own, accessListOf(dir / "fresh.bin"));  // else the check below proves nothing
  fs::remove(dir / "fresh.bin");

  ASSERT_EQ(save(target), FileResult::Ok);
  EXPECT_EQ(readBytes(target), expectedImage());
  EXPECT_EQ(accessListOf(target), own);
  EXPECT_EQ(dir.names(), std::set<std::string>{"list.bin"});
}

// Copies left by saves that died at the wrong instant are removed by the
// next save of the same list; a copy a running save holds open, and files
// that only look alike, stay.
TEST_F(AtomicSave, SaveRemovesLeftoverCopiesOfItsTarget) {
  const auto target = dir / "list.bin";
  writeBytes(target, previousList());
  for (const char* name : {".list.bin.abc123", ".LIST.BIN.Z9x8y7"}) {
    writeBytes(dir / name, previousList());
  }
  const std::set<std::string> unrelated = {".list.bin.abc12",  ".list.bin.abc1234",
                                           ".list.bin.ab-123", ".other.bin.abc123",
                                           "list.bin.abc123",  ".held.bin.abc123"};
  for (const auto& name : unrelated) writeBytes(dir / name, Bytes{1});
  writeBytes(dir / ".list.bin.held01", Bytes{2});
  const HANDLE running = ::CreateFileW((dir / ".list.bin.held01").c_str(), GENERIC_WRITE, 0,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(running, INVALID_HANDLE_VALUE);
  const bool saved = save(target) == FileResult::Ok;
  ::CloseHandle(running);
  ASSERT_TRUE(saved);
  EXPECT_EQ(readBytes(target), expectedImage());
  std::set<std::string> expected = unrelated;
  expected.insert({"list.bin", ".list.bin.held01"});
  EXPECT_EQ(dir.names(), expected);
}

// A process that dies in the middle of a save, as when it is killed: the
// test runs its own program again, and that copy ends itself without any
// clean-up at the chosen step of its save.
struct DeathCase {
  const char* step;
  bool copyLeft;  // the instant between withdrawing the mark and renaming
};

void PrintTo(const DeathCase& c, std::ostream* os) { *os << c.step; }

constexpr char kDyingTarget[] = "SCI_TEST_SAVE_DIES_FOR";
constexpr wchar_t kDyingTargetW[] = L"SCI_TEST_SAVE_DIES_FOR";
constexpr UINT kDiedCode = 86;

WriteOps diesAt(const std::string& step) {
  const WriteOps real = WriteOps::system();
  WriteOps ops = real;
  const auto die = [] { ::TerminateProcess(::GetCurrentProcess(), kDiedCode); };
  if (step == "write") {
    ops.write = [=](NativeFile file, const void* data, std::size_t size) -> long {
      real.write(file, data, size / 2);
      die();
      return -1;
    };
  } else if (step == "flush") {
    ops.fsync = [=](NativeFile) {
      die();
      return -1;
    };
  } else {
    ops.rename = [=](NativeFile, const fs::path&) {
      die();
      return -1;
    };
  }
  return ops;
}

class KilledSave : public testing::TestWithParam<DeathCase> {
 protected:
  // Runs this test again in a new process that saves `target` and dies.
  DWORD runDyingSave(const fs::path& target) {
    wchar_t program[MAX_PATH];
    EXPECT_NE(::GetModuleFileNameW(nullptr, program, MAX_PATH), 0u);
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string filter = std::string(test->test_suite_name()) + "." + test->name();
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\" --gtest_filter=" +
                               std::wstring(filter.begin(), filter.end());
    ::SetEnvironmentVariableW(kDyingTargetW, target.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const bool started = ::CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                          nullptr, nullptr, &startup, &process) != 0;
    ::SetEnvironmentVariableW(kDyingTargetW, nullptr);
    EXPECT_TRUE(started);
    if (!started) return 0;
    ::WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return code;
  }

  TempDir dir;
};

TEST_P(KilledSave, LeavesTheOldListAndNoCopyAfterTheNextSave) {
  if (const char* target = std::getenv(kDyingTarget)) {
    save(target, diesAt(GetParam().step));
    FAIL() << "the save did not die";
  }
  const auto target = dir / "list.bin";
  writeBytes(target, previousList());
  ASSERT_EQ(runDyingSave(target), kDiedCode);
  EXPECT_EQ(readBytes(target), previousList());
  EXPECT_EQ(dir.names().size(), GetParam().copyLeft ? 2u : 1u);

  ASSERT_EQ(save(target), FileResult::Ok);
  EXPECT_EQ(readBytes(target), expectedImage());
  EXPECT_EQ(dir.names(), std::set<std::string>{"list.bin"});
}

INSTANTIATE_TEST_SUITE_P(Steps, KilledSave,
                         testing::Values(DeathCase{"write", false}, DeathCase{"flush", false},
                                         DeathCase{"rename", true}),
                         [](const auto& info) { return std::string(info.param.step); });

// The calls behind a save see one absolute path with native separators,
// however the user or a script spelled it: relative or absolute, with
// forward or back slashes, or as a Unix path that Wine maps to drive Z.
class PathSpelling : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    wchar_t previous[MAX_PATH];
    ASSERT_NE(::GetCurrentDirectoryW(MAX_PATH, previous), 0u);
    previous_ = previous;
    using UnixName = char*(__cdecl*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    fs::path base = dir.path();
    if (unixName != nullptr) {
      // Under Wine the Unix spelling reaches the file only from drive Z,
      // the drive that maps the Unix root.
      char* name = unixName(dir.path().c_str());
      ASSERT_NE(name, nullptr);
      unix_ = name;
      ::HeapFree(::GetProcessHeap(), 0, name);
      base = fs::path(L"Z:" + fs::path(unix_).make_preferred().wstring());
    }
    folder_ = base / "lists";
    ASSERT_TRUE(fs::create_directory(folder_));
    ASSERT_TRUE(::SetCurrentDirectoryW((GetParam() ? folder_ : base).c_str()));
  }
  void TearDown() override { ::SetCurrentDirectoryW(previous_.c_str()); }

  // Each spelling of lists\t.bin from the working folder; the Unix one
  // only under Wine.
  std::vector<std::string> spellings() const {
    const std::string relative = GetParam() ? "" : "lists/";
    const std::string native = GetParam() ? "" : "lists\\";
    std::string forward = (folder_ / "t.bin").string();
    std::replace(forward.begin(), forward.end(), '\\', '/');
    std::vector<std::string> result = {relative + "t.bin", "./" + relative + "t.bin",
                                       ".\\" + native + "t.bin", (folder_ / "t.bin").string(),
                                       forward};
    if (!unix_.empty()) result.push_back(unix_ + "/lists/t.bin");
    return result;
  }

  TempDir dir;
  fs::path folder_;
  std::string unix_;
  std::wstring previous_;
};

TEST_P(PathSpelling, CreatesAndReplacesTheList) {
  const auto target = folder_ / "t.bin";
  for (const auto& spelled : spellings()) {
    SCOPED_TRACE(spelled);
    std::error_code ec;
    fs::remove(target, ec);
    ASSERT_EQ(save(spelled), FileResult::Ok);
    EXPECT_EQ(readBytes(target), expectedImage());

    writeBytes(target, previousList());
    ASSERT_EQ(save(spelled), FileResult::Ok);
    EXPECT_EQ(readBytes(target), expectedImage());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
  }
}

INSTANTIATE_TEST_SUITE_P(WorkingFolder, PathSpelling, testing::Bool(), [](const auto& info) {
  return std::string(info.param ? "TheListsOwn" : "TheOneAbove");
});

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

// Saving must never leave a damaged file: a save that fails part-way keeps
// the previous file byte for byte and leaves no temporary file behind.

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>

#include "data/FileError.h"
#include "data/ServerListFile.h"
#include "tests/data/TempDir.h"

namespace sci {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

const DeviceConfig& config() {
  static const DeviceConfig c = [] {
    DeviceConfig d;
    decodeDeviceConfig(encodeDeviceConfig("Save", 1, 2, 3), d);
    return d;
  }();
  return c;
}

unsigned fixedRandom() { return 77; }

ServerTable sampleTable() {
  ServerTable table = initialTable();
  storeFields(table.entries[0], "new.example", 443, "01 02 03", "u", "p");
  return table;
}

Bytes expectedImage() {
  const auto image = encodeServerList(sampleTable(), config(), fixedRandom);
  return Bytes(image.begin(), image.end());
}

FileResult save(const fs::path& path, const WriteOps& ops = WriteOps::system()) {
  return writeServerList(path, sampleTable(), config(), fixedRandom, ops);
}

// Passes at most `limit` bytes in total to the real write, in pieces of at
// most `piece`, then fails with `error` (or returns 0 when error is 0).
// A writer that keeps retrying a failure is stopped with EIO, so the test
// fails instead of hanging.
WriteOps writesThenFails(std::size_t limit, std::size_t piece, int error) {
  auto written = std::make_shared<std::size_t>(0);
  auto failures = std::make_shared<int>(0);
  WriteOps ops = WriteOps::system();
  ops.write = [=](int fd, const void* data, std::size_t size) mutable -> long {
    if (*written >= limit) {
      if (++*failures > 100) error = EIO;
      errno = error;
      return error == 0 ? 0 : -1;
    }
    const long n = ::write(fd, data, std::min({size, piece, limit - *written}));
    if (n > 0) *written += static_cast<std::size_t>(n);
    return n;
  };
  return ops;
}

WriteOps syncFails(int error) {
  WriteOps ops = WriteOps::system();
  ops.fsync = [=](int) {
    errno = error;
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
  Bytes previous(4124);
  for (std::size_t i = 0; i < previous.size(); ++i)
    previous[i] = static_cast<std::uint8_t>(i % 251);
  writeBytes(target, previous);

  expectFailure(target);
  EXPECT_EQ(readBytes(target), previous);
  EXPECT_EQ(dir.names(), std::set<std::string>{"list.bin"});
}

TEST_P(FailedSave, LeavesNothingWhenThereWasNoFile) {
  expectFailure(dir / "new.bin");
  EXPECT_TRUE(dir.names().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailedSave,
    testing::Values(
        FailureCase{"NoSpaceAfter1000", [] { return writesThenFails(1000, 4124, ENOSPC); },
                    FileErrorCause::DiskFull, FileOperation::Write},
        FailureCase{"QuotaOneByteShort", [] { return writesThenFails(4123, 4124, EDQUOT); },
                    FileErrorCause::DiskFull, FileOperation::Write},
        FailureCase{"IoErrorAtOnce", [] { return writesThenFails(0, 4124, EIO); },
                    FileErrorCause::HardIO, FileOperation::Write},
        FailureCase{"ShortWritesThenNothing", [] { return writesThenFails(3000, 700, 0); },
                    FileErrorCause::DiskFull, FileOperation::Write},
        FailureCase{"FlushIoError", [] { return syncFails(EIO); }, FileErrorCause::HardIO,
                    FileOperation::Flush},
        FailureCase{"FlushNoSpace", [] { return syncFails(ENOSPC); }, FileErrorCause::DiskFull,
                    FileOperation::Flush}),
    [](const auto& info) { return std::string(info.param.name); });

class AtomicSave : public testing::Test {
 protected:
  TempDir dir;
};

TEST_F(AtomicSave, PiecewiseAndInterruptedWritesComplete) {
  auto interrupted = std::make_shared<bool>(false);
  WriteOps ops = WriteOps::system();
  ops.write = [=](int fd, const void* data, std::size_t size) -> long {
    if (!*interrupted) {
      *interrupted = true;
      errno = EINTR;
      return -1;
    }
    return ::write(fd, data, std::min<std::size_t>(size, 333));
  };
  const auto target = dir / "list.bin";
  ASSERT_EQ(save(target, ops), FileResult::Ok);
  EXPECT_EQ(readBytes(target), expectedImage());
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
  EXPECT_TRUE(fs::is_directory(dir / "folder.bin"));
  EXPECT_TRUE(fs::is_empty(dir / "folder.bin"));
  EXPECT_EQ(dir.names(), (std::set<std::string>{"folder.bin", "plain"}));
}

// Permission checks mean nothing to root, so when the tests run as root the
// save is tried in a child process that has given up its rights.
int asUnprivileged(const std::function<bool()>& body) {
  if (::geteuid() != 0) return body() ? 0 : 1;
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
    ::_exit(body() ? 0 : 1);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return 3;
  return WEXITSTATUS(status);
}

TEST_F(AtomicSave, PermissionProblemsAreOpenFailed) {
  const auto readOnly = dir / "readonly.bin";
  writeBytes(readOnly, Bytes{7});
  fs::permissions(readOnly, fs::perms(0444));
  fs::create_directory(dir / "locked");
  fs::permissions(dir / "locked", fs::perms(0555));
  // The folder is open to all, so only the file's own mode can refuse it.
  fs::permissions(dir.path(), fs::perms(0777));

  const int status = asUnprivileged([&] {
    return save(readOnly) == FileResult::OpenFailed &&
           save(dir / "locked" / "list.bin") == FileResult::OpenFailed;
  });
  if (status == 2) GTEST_SKIP() << "cannot drop root rights here";
  EXPECT_EQ(status, 0);
  EXPECT_EQ(readBytes(readOnly), Bytes{7});
  EXPECT_TRUE(fs::is_empty(dir / "locked"));
}

// A file the user may write but not replace: a folder that takes no new
// files, another user's file in a sticky folder, or another user's file
// that a replacement would take from them. Opening it for writing works, so
// the save must too, writing the file in place.
TEST_F(AtomicSave, WritableFileThatCannotBeReplacedIsWrittenInPlace) {
  const fs::path folders[] = {dir / "closed", dir / "sticky", dir / "open"};
  for (const auto& folder : folders) {
    fs::create_directory(folder);
    writeBytes(folder / "list.bin", Bytes{7});
    fs::permissions(folder / "list.bin", fs::perms(0666));
  }
  fs::permissions(folders[0], fs::perms(0555));
  fs::permissions(folders[1], fs::perms(01777));
  fs::permissions(folders[2], fs::perms(0777));
  fs::permissions(dir.path(), fs::perms(0777));
  struct stat before {};
  ASSERT_EQ(::stat((folders[2] / "list.bin").c_str(), &before), 0);

  const int status = asUnprivileged([&] {
    return std::ranges::all_of(folders, [](const fs::path& folder) {
      return save(folder / "list.bin") == FileResult::Ok;
    });
  });
  fs::permissions(folders[0], fs::perms(0755));
  if (status == 2) GTEST_SKIP() << "cannot drop root rights here";
  EXPECT_EQ(status, 0);
  for (const auto& folder : folders) {
    EXPECT_EQ(readBytes(folder / "list.bin"), expectedImage()) << folder;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1) << folder;
  }
  // Another user's file in a folder open to all could be replaced, but the
  // replacement would belong to the saving user.
  struct stat after {};
  ASSERT_EQ(::stat((folders[2] / "list.bin").c_str(), &after), 0);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_gid, before.st_gid);
}

// A file mounted over another, as a container mounts a single host file,
// opens for writing but cannot be renamed over (EBUSY). The mount is made in
// a child with its own mount namespace, so nothing outside sees it.
TEST_F(AtomicSave, MountedFileIsWrittenInPlace) {
  writeBytes(dir / "host.bin", Bytes{1});
  writeBytes(dir / "mounted.bin", Bytes{2});
  const pid_t child = ::fork();
  if (child == 0) {
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount((dir / "host.bin").c_str(), (dir / "mounted.bin").c_str(), nullptr, MS_BIND,
                nullptr) != 0) {
      ::_exit(2);
    }
    try {
      ::_exit(save(dir / "mounted.bin") == FileResult::Ok ? 0 : 1);
    } catch (...) {
      ::_exit(1);
    }
  }
  int status = 0;
  ASSERT_GT(child, 0);
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 2) GTEST_SKIP() << "no private mounts here";
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(readBytes(dir / "host.bin"), expectedImage());
  EXPECT_EQ(readBytes(dir / "mounted.bin"), Bytes{2});
  EXPECT_EQ(dir.names(), (std::set<std::string>{"host.bin", "mounted.bin"}));
}

TEST_F(AtomicSave, FullDeviceIsReportedAsDiskFull) {
  if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no writable /dev/full";
  try {
    save("/dev/full");
    FAIL() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.cause(), FileErrorCause::DiskFull);
    EXPECT_EQ(e.operation(), FileOperation::Write);
    EXPECT_EQ(e.userMessage(), "Disk full while accessing /dev/full.");
  }
  struct stat info {};
  ASSERT_EQ(::stat("/dev/full", &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST_F(AtomicSave, ReplacedFileKeepsItsPermissions) {
  for (const auto mode : {fs::perms(0640), fs::perms(0604), fs::perms(0600)}) {
    const auto target = dir / "list.bin";
    writeBytes(target, Bytes{1, 2, 3});
    fs::permissions(target, mode);
    ASSERT_EQ(save(target), FileResult::Ok);
    EXPECT_EQ(fs::status(target).permissions(), mode);
    EXPECT_EQ(readBytes(target), expectedImage());
  }
}

TEST_F(AtomicSave, NewFileGetsThePlainCreateMode) {
  const mode_t old = ::umask(027);
  const FileResult result = save(dir / "new.bin");
  ::umask(old);
  ASSERT_EQ(result, FileResult::Ok);
  EXPECT_EQ(fs::status(dir / "new.bin").permissions(), fs::perms(0640));
}

TEST_F(AtomicSave, SavingThroughALinkReplacesTheFileItNames) {
  fs::create_directory(dir / "real");
  fs::create_directory(dir / "links");
  writeBytes(dir / "real" / "list.bin", Bytes{9});
  fs::create_symlink(fs::path("..") / "real" / "list.bin", dir / "links" / "list.bin");
  fs::create_symlink("list.bin", dir / "links" / "again.bin");  // a link to a link

  ASSERT_EQ(save(dir / "links" / "again.bin"), FileResult::Ok);
  EXPECT_TRUE(fs::is_symlink(dir / "links" / "list.bin"));
  EXPECT_TRUE(fs::is_symlink(dir / "links" / "again.bin"));
  EXPECT_EQ(readBytes(dir / "real" / "list.bin"), expectedImage());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), fs::directory_iterator()), 1);
}

TEST_F(AtomicSave, LinkToAMissingFileCreatesThatFile) {
  fs::create_symlink("target.bin", dir / "link.bin");
  ASSERT_EQ(save(dir / "link.bin"), FileResult::Ok);
  EXPECT_TRUE(fs::is_symlink(dir / "link.bin"));
  EXPECT_EQ(readBytes(dir / "target.bin"), expectedImage());
}

TEST_F(AtomicSave, LongFileNamesStillSave) {
  const auto target = dir / (std::string(250, 'n') + ".bin");
  ASSERT_EQ(save(target), FileResult::Ok);
  EXPECT_EQ(readBytes(target), expectedImage());
  EXPECT_EQ(dir.names().size(), 1u);
}

}  // namespace
}  // namespace sci

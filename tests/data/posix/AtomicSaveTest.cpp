// Saving on POSIX systems: the failures a POSIX disk reports, with either
// kind of temporary file; files written in place; limits, full file
// systems and kills met part-way.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include "data/FileError.h"
#include "data/ServerListFile.h"
#include "tests/data/SaveFixture.h"
#include "tests/data/TempDir.h"

namespace sci::test {
namespace {

// Passes `limit` bytes, fails once with `error`, then writes normally.
WriteOps failsOnceAfter(std::size_t limit, int error) {
  auto written = std::make_shared<std::size_t>(0);
  auto failed = std::make_shared<bool>(false);
  WriteOps ops = WriteOps::system();
  ops.write = [=](NativeFile fd, const void* data, std::size_t size) -> long {
    if (!*failed && *written >= limit) {
      *failed = true;
      errno = error;
      return -1;
    }
    const long n = ::write(fd, data, *failed ? size : std::min(size, limit - *written));
    if (n > 0) *written += static_cast<std::size_t>(n);
    return n;
  };
  return ops;
}

WriteOps syncFailsOnce(int error) {
  auto failed = std::make_shared<bool>(false);
  WriteOps ops = WriteOps::system();
  ops.fsync = [=](NativeFile fd) {
    if (*failed) return ::fsync(fd);
    *failed = true;
    errno = error;
    return -1;
  };
  return ops;
}

// A file system without unnamed files (vfat, older kernels): the save falls
// back to a named temporary file.
WriteOps withoutUnnamedFiles(WriteOps ops) {
  ops.openUnnamed = [](const char*, unsigned) {
    errno = EOPNOTSUPP;
    return kNoNativeFile;
  };
  return ops;
}

enum class TempKind { Unnamed, Named };

WriteOps forKind(WriteOps ops, TempKind kind) {
  return kind == TempKind::Named ? withoutUnnamedFiles(std::move(ops)) : ops;
}

std::string kindName(TempKind kind) { return kind == TempKind::Named ? "Named" : "Unnamed"; }

TEST_F(AtomicSave, PiecewiseAndInterruptedWritesComplete) {
  auto interrupted = std::make_shared<bool>(false);
  WriteOps ops = WriteOps::system();
  ops.write = [=](NativeFile fd, const void* data, std::size_t size) -> long {
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

// The file that replaces the target starts out private and unnamed (or
// named, where the file system has no unnamed files); either way it must end
// up with the mode, owner and group the target had.
class EitherTempFile : public testing::TestWithParam<TempKind> {
 protected:
  FileResult saveWithKind(const fs::path& target) {
    return save(target, forKind(WriteOps::system(), GetParam()));
  }

  TempDir dir;
};

TEST_P(EitherTempFile, ReplacedFileKeepsItsPermissions) {
  for (const auto mode : {fs::perms(0640), fs::perms(0604), fs::perms(0600)}) {
    const auto target = dir / "list.bin";
    writeBytes(target, Bytes{1, 2, 3});
    fs::permissions(target, mode);
    ASSERT_EQ(saveWithKind(target), FileResult::Ok);
    EXPECT_EQ(fs::status(target).permissions(), mode);
    EXPECT_EQ(readBytes(target), expectedImage());
  }
  EXPECT_EQ(dir.names(), std::set<std::string>{"list.bin"});
}

TEST_P(EitherTempFile, ReplacedFileKeepsItsOwner) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
  const auto target = dir / "list.bin";
  writeBytes(target, Bytes{1});
  ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
  ASSERT_EQ(saveWithKind(target), FileResult::Ok);
  struct stat info {};
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 65534u);
  EXPECT_EQ(info.st_gid, 65534u);
  EXPECT_EQ(readBytes(target), expectedImage());
}

TEST_P(EitherTempFile, NewFileGetsThePlainCreateMode) {
  const mode_t old = ::umask(027);
  const FileResult result = saveWithKind(dir / "new.bin");
  ::umask(old);
  ASSERT_EQ(result, FileResult::Ok);
  EXPECT_EQ(fs::status(dir / "new.bin").permissions(), fs::perms(0640));
  EXPECT_EQ(readBytes(dir / "new.bin"), expectedImage());
  EXPECT_EQ(dir.names(), std::set<std::string>{"new.bin"});
}

INSTANTIATE_TEST_SUITE_P(Kinds, EitherTempFile, testing::Values(TempKind::Unnamed, TempKind::Named),
                         [](const auto& info) { return kindName(info.param); });

// A save killed between naming its temporary file and renaming it left a
// copy of the list; the next save of that file removes it, but never a file
// a running save holds locked, one written in the last minute (another
// tool's copy in progress) or one whose name only looks similar.
TEST_F(AtomicSave, LaterSaveRemovesCopiesLeftByKilledSaves) {
  struct Case {
    const char* name;
    int ageSeconds;
    bool locked;
    bool removed;
  };
  const Case cases[] = {
      {".list.bin.Ab12Cd", 120, false, true},  {".list.bin.Ab12Cd", 5, false, false},
      {".list.bin.Ab12Cd", 120, true, false},  {".list.bin.Ab12C", 120, false, false},
      {".list.bin.Ab-2Cd", 120, false, false}, {".other.bin.Ab12Cd", 120, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " aged " + std::to_string(c.ageSeconds) + "s" +
                 (c.locked ? ", locked" : ""));
    TempDir folder;
    writeBytes(folder / "list.bin", previousList());
    const auto copy = folder / c.name;
    writeBytes(copy, previousList());
    const struct timeval times[2] = {{::time(nullptr) - c.ageSeconds, 0},
                                     {::time(nullptr) - c.ageSeconds, 0}};
    ASSERT_EQ(::utimes(copy.c_str(), times), 0);
    const int holder = ::open(copy.c_str(), O_RDONLY);
    if (c.locked) {
      ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    }

    ASSERT_EQ(save(folder / "list.bin"), FileResult::Ok);
    ::close(holder);
    EXPECT_EQ(fs::exists(copy), !c.removed);
    EXPECT_EQ(readBytes(folder / "list.bin"), expectedImage());
  }
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

// ---- Faults met in a child process: a file that can only be written in
// place, a file size limit, a full file system, a kill part-way.

// What a save came to, as one line a child process can send back: "Ok",
// "OpenFailed" or the error's message.
std::string outcome(const std::function<FileResult()>& run) {
  try {
    const FileResult result = run();
    return result == FileResult::Ok           ? "Ok"
           : result == FileResult::OpenFailed ? "OpenFailed"
                                              : "unexpected result";
  } catch (const FileError& e) {
    return e.userMessage();
  } catch (const std::exception& e) {
    return std::string("exception: ") + e.what();
  }
}

// Runs body in a child process, so that dropped rights, limits and mounts
// stay there, and returns the text it reported.
std::string inChild(const std::function<std::string()>& body) {
  int fds[2];
  if (::pipe(fds) != 0) return "no pipe";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(fds[0]);
    std::string text;
    try {
      text = body();
    } catch (...) {
      text = "child threw";
    }
    const ssize_t ignored = ::write(fds[1], text.data(), text.size());
    static_cast<void>(ignored);
    ::_exit(0);
  }
  ::close(fds[1]);
  std::string text;
  char buffer[512];
  for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  ::close(fds[0]);
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
    text += " (child did not exit)";
  }
  return text;
}

// Root ignores permissions, so the save that must meet them runs as nobody.
bool dropRights() { return ::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0); }

constexpr const char* kCannotDrop = "skip: cannot drop root rights";

// The new list over the old one's first `count` bytes.
Bytes partlyNew(std::size_t count) {
  Bytes bytes = previousList();
  const Bytes image = expectedImage();
  std::copy_n(image.begin(), count, bytes.begin());
  return bytes;
}

// The target is another user's list, writable by all, in a folder that takes
// no new files: the save must write it in place.
class InPlace : public testing::Test {
 protected:
  void SetUp() override {
    fs::permissions(dir.path(), fs::perms(0755));
    fs::create_directory(folder);
    writeBytes(target, previousList());
    fs::permissions(target, fs::perms(0666));
    fs::permissions(folder, fs::perms(0555));
  }
  void TearDown() override { fs::permissions(folder, fs::perms(0755)); }

  std::string saveAsNobody(const WriteOps& ops) {
    return inChild(
        [&] { return dropRights() ? outcome([&] { return save(target, ops); }) : kCannotDrop; });
  }

  std::string message(const char* cause) const {
    std::string text = cause;
    return text.replace(text.find("%1"), 2, target.string());
  }

  TempDir dir;
  const fs::path folder = dir / "closed";
  const fs::path target = folder / "list.bin";
};

struct InPlaceCase {
  const char* name;
  std::function<WriteOps()> ops;
  const char* cause;
  const char* state;
  std::size_t newBytes;  // how many of the file's first bytes are the new list's
};

void PrintTo(const InPlaceCase& c, std::ostream* os) { *os << c.name; }

class InPlaceFailure : public InPlace, public testing::WithParamInterface<InPlaceCase> {};

constexpr const char* kKeptOld = "The file keeps its old content.";
constexpr const char* kDiskFullText = "Disk full while accessing %1.";
constexpr const char* kHardIoText = "A hardware I/O error was reported while accessing %1.";

// Nothing is truncated first, a failure puts the old bytes back where it
// can, and the message says what the file holds.
TEST_P(InPlaceFailure, KeepsTheOldListOrSaysWhatIsLeft) {
  const std::string result = saveAsNobody(GetParam().ops());
  if (result == kCannotDrop) GTEST_SKIP() << result;
  EXPECT_EQ(result, message(GetParam().cause) + " " + GetParam().state);
  EXPECT_EQ(readBytes(target), partlyNew(GetParam().newBytes));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, InPlaceFailure,
    testing::Values(
        InPlaceCase{"NoSpaceAtOnce", [] { return writesThenFails(0, 4124, ENOSPC); }, kDiskFullText,
                    kKeptOld, 0},
        InPlaceCase{"NoSpaceOnceAfter1000", [] { return failsOnceAfter(1000, ENOSPC); },
                    kDiskFullText, kKeptOld, 0},
        InPlaceCase{"IoErrorAfter1000", [] { return writesThenFails(1000, 4124, EIO); },
                    kHardIoText,
                    "The file is damaged: only its first 1000 of 4124 bytes were rewritten.", 1000},
        InPlaceCase{"ShortWritesThenNothing", [] { return writesThenFails(3000, 700, 0); },
                    kDiskFullText,
                    "The file is damaged: only its first 3000 of 4124 bytes were rewritten.", 3000},
        InPlaceCase{"FlushFailsOnce", [] { return syncFailsOnce(EIO); }, kHardIoText, kKeptOld, 0},
        InPlaceCase{"FlushFails", [] { return flushFails(EIO); }, kHardIoText,
                    "The file may be damaged: neither the new content nor the old could be "
                    "flushed to disk.",
                    0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InPlace, LongerFileIsCutToTheListOnlyAfterItIsWritten) {
  Bytes longer = previousList();
  longer.resize(9000, 0xAB);
  fs::permissions(folder, fs::perms(0755));
  writeBytes(target, longer);
  fs::permissions(folder, fs::perms(0555));
  const std::string result = saveAsNobody(WriteOps::system());
  if (result == kCannotDrop) GTEST_SKIP() << result;
  EXPECT_EQ(result, "Ok");
  EXPECT_EQ(readBytes(target), expectedImage());
}

// `ulimit -f 4`: a write past 4096 bytes fails with EFBIG (SIGXFSZ is
// ignored, as a shell's child would have it when run under nohup-like
// wrappers; otherwise the signal ends the process).
struct SizeLimitCase {
  const char* name;
  bool inPlace;
  bool existing;
};

void PrintTo(const SizeLimitCase& c, std::ostream* os) { *os << c.name; }

class SizeLimit : public InPlace, public testing::WithParamInterface<SizeLimitCase> {};

TEST_P(SizeLimit, IsADiskFullThatTouchesNothing) {
  const fs::path folderUsed = GetParam().inPlace ? folder : dir.path();
  const fs::path file = folderUsed / "list.bin";
  if (!GetParam().inPlace && GetParam().existing) writeBytes(file, previousList());
  const std::string result = inChild([&] {
    ::signal(SIGXFSZ, SIG_IGN);
    const struct rlimit limit = {4096, 4096};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return std::string("skip: no setrlimit");
    if (GetParam().inPlace && !dropRights()) return std::string(kCannotDrop);
    return outcome([&] { return save(file); });
  });
  if (result.starts_with("skip: ")) GTEST_SKIP() << result;
  EXPECT_EQ(result, "Disk full while accessing " + file.string() + ".");
  if (GetParam().existing) {
    EXPECT_EQ(readBytes(file), previousList());
  } else {
    EXPECT_FALSE(fs::exists(file));
  }
  std::set<std::string> expected = {"closed"};
  if (!GetParam().inPlace && GetParam().existing) expected.insert("list.bin");
  EXPECT_EQ(dir.names(), expected);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(Paths, SizeLimit,
                         testing::Values(SizeLimitCase{"ReplacedFile", false, true},
                                         SizeLimitCase{"NewFile", false, false},
                                         SizeLimitCase{"FileWrittenInPlace", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A full file system: a small tmpfs mounted in a child's own mount
// namespace and filled up before the save.
struct FullDiskCase {
  const char* name;
  bool inPlace;
  std::size_t oldSize;  // 0: no file; 4124: a list; else a short file
  const char* result;   // "Ok", or the message after the path
  const char* holds;    // "old", "new" or "none"
};

void PrintTo(const FullDiskCase& c, std::ostream* os) { *os << c.name; }

class FullDisk : public testing::TestWithParam<FullDiskCase> {
 protected:
  TempDir dir;
};

// The child reports "<outcome>|<old, new, none or other>|<names in the folder>".
TEST_P(FullDisk, KeepsTheOldFileOrWritesTheNewOne) {
  const FullDiskCase& c = GetParam();
  const fs::path disk = dir / "disk";
  fs::create_directory(disk);
  fs::permissions(dir.path(), fs::perms(0755));
  const fs::path folder = disk / "lists";
  const fs::path file = folder / "list.bin";
  const Bytes old = [&] {
    Bytes b = previousList();
    b.resize(c.oldSize);
    return b;
  }();
  const std::string report = inChild([&]() -> std::string {
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0) {
      return "skip: no private tmpfs mount here";
    }
    fs::create_directory(folder);
    if (c.oldSize > 0) {
      writeBytes(file, old);
      fs::permissions(file, fs::perms(0666));
    }
    // Fill every block left, down to the last byte.
    const int filler = ::open((disk / "filler").c_str(), O_WRONLY | O_CREAT, 0600);
    const std::vector<char> block(4096, 'f');
    while (::write(filler, block.data(), block.size()) > 0) {
    }
    while (::write(filler, block.data(), 1) > 0) {
    }
    ::close(filler);
    if (c.inPlace) {
      fs::permissions(folder, fs::perms(0555));
      if (!dropRights()) return kCannotDrop;
    }
    std::string text = outcome([&] { return save(file); }) + "|";
    const Bytes now = fs::exists(file) ? readBytes(file) : Bytes{};
    text += !fs::exists(file)             ? "none"
            : now == expectedImage()      ? "new"
            : c.oldSize > 0 && now == old ? "old"
                                          : "other " + std::to_string(now.size()) + " bytes";
    for (const auto& entry : fs::directory_iterator(folder)) {
      text += "|" + entry.path().filename().string();
    }
    return text;
  });
  if (report.starts_with("skip: ")) GTEST_SKIP() << report;
  const std::string result = std::string(c.result) == "Ok"
                                 ? "Ok"
                                 : "Disk full while accessing " + file.string() + "." + c.result;
  const std::string names = std::string(c.holds) == "none" ? "" : "|list.bin";
  EXPECT_EQ(report, result + "|" + c.holds + names);
}

INSTANTIATE_TEST_SUITE_P(Paths, FullDisk,
                         testing::Values(FullDiskCase{"ReplacedList", false, 4124, "", "old"},
                                         FullDiskCase{"NewList", false, 0, "", "none"},
                                         FullDiskCase{"ListWrittenInPlace", true, 4124, "Ok",
                                                      "new"},
                                         FullDiskCase{"ShortFileWrittenInPlace", true, 7,
                                                      " The file keeps its old content.", "old"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A save killed at a given step must leave the old list or the new one, and
// nothing else: no temporary copy of the passwords in the folder.
enum class KillAt { FirstWrite, HalfWritten, Flush };

struct KillCase {
  const char* name;
  bool inPlace;
  bool existing;
  KillAt step;
  const char* holds;  // "old", "new" or "none"
};

void PrintTo(const KillCase& c, std::ostream* os) { *os << c.name; }

WriteOps killedAt(KillAt step) {
  WriteOps ops = WriteOps::system();
  auto calls = std::make_shared<int>(0);
  ops.write = [=](NativeFile fd, const void* data, std::size_t size) -> long {
    ++*calls;
    if (step == KillAt::FirstWrite || (step == KillAt::HalfWritten && *calls > 1)) {
      ::raise(SIGKILL);
    }
    return ::write(fd, data, step == KillAt::HalfWritten ? size / 2 : size);
  };
  ops.fsync = [=](NativeFile fd) {
    if (step == KillAt::Flush) ::raise(SIGKILL);
    return ::fsync(fd);
  };
  return ops;
}

class KilledSave : public InPlace, public testing::WithParamInterface<KillCase> {};

TEST_P(KilledSave, LeavesTheOldOrTheNewListAndNothingElse) {
  const KillCase& c = GetParam();
  const fs::path folderUsed = c.inPlace ? folder : dir / "open";
  const fs::path file = folderUsed / "list.bin";
  if (!c.inPlace) {
    fs::create_directory(folderUsed);
    if (c.existing) writeBytes(file, previousList());
  }
  const pid_t child = ::fork();
  if (child == 0) {
    if (c.inPlace && !dropRights()) ::_exit(2);
    try {
      save(file, killedAt(c.step));
    } catch (...) {
    }
    ::_exit(1);
  }
  int status = 0;
  ASSERT_GT(child, 0);
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 2) GTEST_SKIP() << kCannotDrop;
  ASSERT_TRUE(WIFSIGNALED(status)) << "the save ended without reaching the step";

  const std::string holds = c.holds;
  if (holds == "none") {
    EXPECT_TRUE(fs::is_empty(folderUsed));
    return;
  }
  EXPECT_EQ(readBytes(file), holds == "old" ? previousList() : expectedImage());
  EXPECT_EQ(std::distance(fs::directory_iterator(folderUsed), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, KilledSave,
    testing::Values(KillCase{"ReplaceAtFirstWrite", false, true, KillAt::FirstWrite, "old"},
                    KillCase{"ReplaceHalfWritten", false, true, KillAt::HalfWritten, "old"},
                    KillCase{"ReplaceAtFlush", false, true, KillAt::Flush, "old"},
                    KillCase{"NewFileAtFlush", false, false, KillAt::Flush, "none"},
                    KillCase{"InPlaceAtFirstWrite", true, true, KillAt::FirstWrite, "old"},
                    KillCase{"InPlaceAtFlush", true, true, KillAt::Flush, "new"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

const int kHardIoError = EIO;

// Every failure, with the unnamed temporary file and with the named one
// used where the file system has no unnamed files.
std::vector<FailureCase> saveFailures() {
  const FailureCase failures[] = {
      {"NoSpaceAfter1000", [] { return writesThenFails(1000, 4124, ENOSPC); },
       FileErrorCause::DiskFull, FileOperation::Write},
      {"QuotaOneByteShort", [] { return writesThenFails(4123, 4124, EDQUOT); },
       FileErrorCause::DiskFull, FileOperation::Write},
      {"IoErrorAtOnce", [] { return writesThenFails(0, 4124, EIO); }, FileErrorCause::HardIO,
       FileOperation::Write},
      {"ShortWritesThenNothing", [] { return writesThenFails(3000, 700, 0); },
       FileErrorCause::DiskFull, FileOperation::Write},
      {"FlushIoError", [] { return flushFails(EIO); }, FileErrorCause::HardIO,
       FileOperation::Flush},
      {"FlushNoSpace", [] { return flushFails(ENOSPC); }, FileErrorCause::DiskFull,
       FileOperation::Flush},
  };
  std::vector<FailureCase> cases;
  for (const FailureCase& failure : failures) {
    for (const TempKind kind : {TempKind::Unnamed, TempKind::Named}) {
      cases.push_back({failure.name + kindName(kind),
                       [ops = failure.ops, kind] { return forKind(ops(), kind); }, failure.cause,
                       failure.operation});
    }
  }
  return cases;
}

}  // namespace sci::test

#include "data/FileError.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace sci {
namespace {

struct ErrnoCase {
  int error;
  const char* text;
};

void PrintTo(const ErrnoCase& c, std::ostream* os) { *os << "errno " << c.error; }

class CauseFromErrno : public testing::TestWithParam<ErrnoCase> {};

TEST_P(CauseFromErrno, PicksTheCauseText) {
  EXPECT_STREQ(causeText(causeFromErrno(GetParam().error)), GetParam().text)
      << "errno " << GetParam().error;
}

constexpr const char* kNotFound = "%1 was not found.";
constexpr const char* kBadPath = "%1 contains an invalid path.";
constexpr const char* kTooMany = "%1 could not be opened because there are too many open files.";
constexpr const char* kDenied = "Access to %1 was denied.";
constexpr const char* kHardIo = "A hardware I/O error was reported while accessing %1.";
constexpr const char* kLock = "A locking violation occurred while accessing %1.";
constexpr const char* kDiskFull = "Disk full while accessing %1.";
constexpr const char* kUnknown = "An unknown error occurred while accessing %1.";

INSTANTIATE_TEST_SUITE_P(
    Table, CauseFromErrno,
    testing::Values(
        ErrnoCase{ENOENT, kNotFound}, ErrnoCase{ENAMETOOLONG, kBadPath},
        ErrnoCase{ENOTDIR, kBadPath}, ErrnoCase{ELOOP, kBadPath}, ErrnoCase{EINVAL, kBadPath},
        ErrnoCase{EMFILE, kTooMany}, ErrnoCase{ENFILE, kTooMany}, ErrnoCase{EACCES, kDenied},
        ErrnoCase{EPERM, kDenied}, ErrnoCase{EROFS, kDenied}, ErrnoCase{EEXIST, kDenied},
        ErrnoCase{EISDIR, kDenied},
        ErrnoCase{EBADF, "An invalid file handle was associated with %1."},
        ErrnoCase{EBUSY, "%1 could not be removed because it is the current directory."},
        ErrnoCase{ESPIPE, "Seek failed on %1"}, ErrnoCase{EIO, kHardIo}, ErrnoCase{ENXIO, kHardIo},
        ErrnoCase{ENODEV, kHardIo},
        ErrnoCase{ETXTBSY, "A sharing violation occurred while accessing %1."},
        ErrnoCase{ENOLCK, kLock}, ErrnoCase{EDEADLK, kLock}, ErrnoCase{ENOSPC, kDiskFull},
        ErrnoCase{EDQUOT, kDiskFull}, ErrnoCase{0, kUnknown}, ErrnoCase{EAGAIN, kUnknown},
        ErrnoCase{ECONNRESET, kUnknown}, ErrnoCase{-1, kUnknown}));

TEST(CauseText, EveryCauseHasItsOwnTextWithOnePlaceForTheName) {
  std::set<std::string> seen;
  for (int c = static_cast<int>(FileErrorCause::Generic);
       c <= static_cast<int>(FileErrorCause::EndOfFile); ++c) {
    const std::string text = causeText(static_cast<FileErrorCause>(c));
    EXPECT_EQ(text.find("%1"), text.rfind("%1")) << text;
    EXPECT_NE(text.find("%1"), std::string::npos) << text;
    EXPECT_TRUE(seen.insert(text).second) << text;
  }
  EXPECT_STREQ(causeText(FileErrorCause::DirectoryFull),
               "%1 could not be created because the directory is full.");
  EXPECT_STREQ(causeText(FileErrorCause::EndOfFile),
               "An attempt was made to access %1 past its end.");
}

struct MessageCase {
  FileOperation operation;
  bool namesPath;
};

void PrintTo(const MessageCase& c, std::ostream* os) {
  *os << "operation " << static_cast<int>(c.operation);
}

class UserMessage : public testing::TestWithParam<MessageCase> {};

TEST_P(UserMessage, NamesThePathOnlyForWriteSideFailures) {
  const auto relative = std::filesystem::path("sub") / "list.bin";
  const FileError error(FileErrorCause::DiskFull, GetParam().operation, relative, ENOSPC);
  const std::string name = GetParam().namesPath
                               ? (std::filesystem::current_path() / relative).string()
                               : std::string("an unnamed file");
  EXPECT_EQ(error.userMessage(), "Disk full while accessing " + name + ".");
  EXPECT_EQ(error.what(), error.userMessage());
  EXPECT_EQ(error.osError(), ENOSPC);
  EXPECT_EQ(error.path(), relative);
}

INSTANTIATE_TEST_SUITE_P(Operations, UserMessage,
                         testing::Values(MessageCase{FileOperation::Write, true},
                                         MessageCase{FileOperation::Flush, true},
                                         MessageCase{FileOperation::Rename, true},
                                         MessageCase{FileOperation::Read, false},
                                         MessageCase{FileOperation::Size, false},
                                         MessageCase{FileOperation::Close, false}));

}  // namespace
}  // namespace sci

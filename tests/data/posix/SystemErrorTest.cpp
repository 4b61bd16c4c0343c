// errno values give the cause texts of the editor's table, chosen for POSIX.

#include <gtest/gtest.h>

#include <cerrno>

#include "data/FileError.h"
#include "data/SystemError.h"

namespace sci {
namespace {

struct ErrnoCase {
  int error;
  const char* text;
};

void PrintTo(const ErrnoCase& c, std::ostream* os) { *os << "errno " << c.error; }

class CauseFromErrno : public testing::TestWithParam<ErrnoCase> {};

TEST_P(CauseFromErrno, PicksTheCauseText) {
  EXPECT_STREQ(causeText(causeFromSystemError(GetParam().error)), GetParam().text)
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

}  // namespace
}  // namespace sci

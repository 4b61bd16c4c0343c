// errno values give the cause texts of the editor's table, chosen for POSIX.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <algorithm>

#include <cerrno>

#include "data/FileError.h"
#include "data/SystemError.h"
#include "data/SystemFile.h"

namespace sci {
namespace {

struct ErrnoCase {
  int error;
  const char* text;
};

void PrintTo(const ErrnoCase& c, std::ostream* os) { *os << "errno " << c.error; }

constexpr const char* kNotFound = "%1 was not found.";
constexpr const char* kBadPath = "%1 contains an invalid path.";
constexpr const char* kTooMany = "%1 could not be opened because there are too many open files.";
constexpr const char* kDenied = "Access to %1 was denied.";
constexpr const char* kHardIo = "A hardware I/O error was reported while accessing %1.";
constexpr const char* kLock = "A locking violation occurred while accessing %1.";
constexpr const char* kDiskFull = "Disk full while accessing %1.";
constexpr const char* kUnknown = "An unknown error occurred while accessing %1.";

// Every errno with a cause of its own; the sweep below checks that no other
// value has one, so a mapping added to the code must be added here too.
const ErrnoCase kMapped[] = {
    {ENOENT, kNotFound},
    {ESTALE, kNotFound},
    {ENAMETOOLONG, kBadPath},
    {ENOTDIR, kBadPath},
    {ELOOP, kBadPath},
    {EINVAL, kBadPath},
    {EILSEQ, kBadPath},
    {EXDEV, kBadPath},
    {EMFILE, kTooMany},
    {ENFILE, kTooMany},
    {EACCES, kDenied},
    {EPERM, kDenied},
    {EROFS, kDenied},
    {EEXIST, kDenied},
    {EISDIR, kDenied},
    {ENOTEMPTY, kDenied},
    {ENOKEY, kDenied},
    {EBADF, "An invalid file handle was associated with %1."},
    {EBUSY, "%1 could not be removed because it is the current directory."},
    {EMLINK, "%1 could not be created because the directory is full."},
    {ESPIPE, "Seek failed on %1"},
    {EOVERFLOW, "Seek failed on %1"},
    {EIO, kHardIo},
    {ENXIO, kHardIo},
    {ENODEV, kHardIo},
    {ENOMEDIUM, kHardIo},
    {EMEDIUMTYPE, kHardIo},
    {EUCLEAN, kHardIo},
    {EBADMSG, kHardIo},
    {EREMOTEIO, kHardIo},
    {ENOTCONN, kHardIo},
    {ETIMEDOUT, kHardIo},
    {ECONNABORTED, kHardIo},
    {ECONNRESET, kHardIo},
    {EHOSTDOWN, kHardIo},
    {EHOSTUNREACH, kHardIo},
    {ENETDOWN, kHardIo},
    {ENETUNREACH, kHardIo},
    {ENOLINK, kHardIo},
    {ECOMM, kHardIo},
    {ETXTBSY, "A sharing violation occurred while accessing %1."},
    {ENOLCK, kLock},
    {EDEADLK, kLock},
    {ENOSPC, kDiskFull},
    {EDQUOT, kDiskFull},
    {EFBIG, kDiskFull},
};

class CauseFromErrno : public testing::TestWithParam<ErrnoCase> {};

TEST_P(CauseFromErrno, PicksTheCauseText) {
  EXPECT_STREQ(causeText(causeFromSystemError(GetParam().error)), GetParam().text)
      << "errno " << GetParam().error;
}

INSTANTIATE_TEST_SUITE_P(Table, CauseFromErrno, testing::ValuesIn(kMapped));

// Errors no file operation here reports, or that have no nearer text
// (out of memory, would block), keep the unknown text.
TEST(CauseFromErrnoSweep, EveryOtherValueIsUnknown) {
  for (const int error : {0, EAGAIN, ENOMEM, EINTR, ECHILD, EDOM, ERANGE, ENOSYS, -1}) {
    EXPECT_STREQ(causeText(causeFromSystemError(error)), kUnknown) << "errno " << error;
  }
  for (int error = 0; error < 4096; ++error) {
    if (std::ranges::any_of(kMapped, [&](const ErrnoCase& c) { return c.error == error; })) {
      continue;
    }
    EXPECT_EQ(causeFromSystemError(error), FileErrorCause::Generic) << "errno " << error;
  }
}

// A failing close is reported with the system's own code and its cause.
TEST(SystemFileClose, FailureCarriesTheSystemsCode) {
  const int raw = ::open("/dev/null", O_RDONLY);
  ASSERT_GE(raw, 0);
  SystemFile file(raw);
  ASSERT_EQ(::close(raw), 0);  // gone behind its owner's back
  try {
    file.close("/dev/null");
    FAIL() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.operation(), FileOperation::Close);
    EXPECT_EQ(e.osError(), EBADF);
    EXPECT_EQ(e.cause(), FileErrorCause::InvalidFile);
  }
  EXPECT_FALSE(file);
}

}  // namespace
}  // namespace sci

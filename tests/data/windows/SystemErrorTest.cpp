// Windows system error codes give the editor's cause texts, row by row as
// the editor's own table lists them.

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "data/FileError.h"
#include "data/SystemError.h"
#include "data/SystemFile.h"

namespace sci {
namespace {

struct Row {
  std::vector<int> codes;
  const char* text;
};

const Row kRows[] = {
    {{2, 6, 18, 107}, "%1 was not found."},
    {{3, 15, 17, 34, 52, 53, 55, 67, 70, 85, 111, 123, 124, 125, 144, 154, 161, 206, 208, 267},
     "%1 contains an invalid path."},
    {{4, 36, 68, 113}, "%1 could not be opened because there are too many open files."},
    {{5, 12, 19, 29, 54, 58, 64, 65, 71, 80, 82, 86, 170, 183, 999}, "Access to %1 was denied."},
    {{11, 26, 60, 66, 114, 182, 191, 193}, "An invalid file handle was associated with %1."},
    {{16, 145}, "%1 could not be removed because it is the current directory."},
    {{62}, "%1 could not be created because the directory is full."},
    {{24, 25, 27, 30, 131, 132}, "Seek failed on %1"},
    {{20, 21, 22, 23, 57, 59, 88, 117, 995, 996, 997},
     "A hardware I/O error was reported while accessing %1."},
    {{32}, "A sharing violation occurred while accessing %1."},
    {{33, 108, 167}, "A locking violation occurred while accessing %1."},
    {{39, 112}, "Disk full while accessing %1."},
    {{38}, "An attempt was made to access %1 past its end."},
};

TEST(CauseFromWindowsError, EveryListedCodeGivesItsRowsText) {
  for (const Row& row : kRows) {
    for (const int code : row.codes) {
      EXPECT_STREQ(causeText(causeFromSystemError(code)), row.text) << "code " << code;
    }
  }
}

// Neighbours of listed codes and codes a save really meets that the table
// does not list.
TEST(CauseFromWindowsError, UnlistedCodesAreUnknown) {
  for (const int code : {0,  1,  7,  8,  9,  10,  13,  14,  28,  31,   35,   37,   40,   50,
                         56, 61, 63, 69, 87, 109, 110, 115, 998, 1000, 1175, 1176, 1224, -1}) {
    EXPECT_STREQ(causeText(causeFromSystemError(code)),
                 "An unknown error occurred while accessing %1.")
        << "code " << code;
  }
}

// The file is the system's own handle: a failing close reports
// CloseHandle's code, with no C runtime in between.
TEST(SystemFileClose, FailureCarriesTheSystemsCode) {
  const HANDLE raw = ::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(raw, INVALID_HANDLE_VALUE);
  SystemFile file(raw);
  ASSERT_TRUE(::CloseHandle(raw));  // gone behind its owner's back
  try {
    file.close("NUL");
    FAIL() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.operation(), FileOperation::Close);
    EXPECT_EQ(e.osError(), ERROR_INVALID_HANDLE);
  }
  EXPECT_FALSE(file);
}

}  // namespace
}  // namespace sci

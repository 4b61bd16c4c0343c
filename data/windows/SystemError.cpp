#include <windows.h>

#include <system_error>

#include "data/FileError.h"
#include "data/SystemError.h"

namespace sci {
namespace {

struct CodeRange {
  DWORD first;
  DWORD last;
  FileErrorCause cause;
};

// The editor's own table of Windows system error codes and the texts they
// give; codes not listed are Generic.
constexpr CodeRange kCauses[] = {
    {2, 2, FileErrorCause::FileNotFound},
    {6, 6, FileErrorCause::FileNotFound},
    {18, 18, FileErrorCause::FileNotFound},
    {107, 107, FileErrorCause::FileNotFound},

    {3, 3, FileErrorCause::BadPath},
    {15, 15, FileErrorCause::BadPath},
    {17, 17, FileErrorCause::BadPath},
    {34, 34, FileErrorCause::BadPath},
    {52, 53, FileErrorCause::BadPath},
    {55, 55, FileErrorCause::BadPath},
    {67, 67, FileErrorCause::BadPath},
    {70, 70, FileErrorCause::BadPath},
    {85, 85, FileErrorCause::BadPath},
    {111, 111, FileErrorCause::BadPath},
    {123, 125, FileErrorCause::BadPath},
    {144, 144, FileErrorCause::BadPath},
    {154, 154, FileErrorCause::BadPath},
    {161, 161, FileErrorCause::BadPath},
    {206, 206, FileErrorCause::BadPath},
    {208, 208, FileErrorCause::BadPath},
    {267, 267, FileErrorCause::BadPath},

    {4, 4, FileErrorCause::TooManyOpenFiles},
    {36, 36, FileErrorCause::TooManyOpenFiles},
    {68, 68, FileErrorCause::TooManyOpenFiles},
    {113, 113, FileErrorCause::TooManyOpenFiles},

    {5, 5, FileErrorCause::AccessDenied},
    {12, 12, FileErrorCause::AccessDenied},
    {19, 19, FileErrorCause::AccessDenied},
    {29, 29, FileErrorCause::AccessDenied},
    {54, 54, FileErrorCause::AccessDenied},
    {58, 58, FileErrorCause::AccessDenied},
    {64, 65, FileErrorCause::AccessDenied},
    {71, 71, FileErrorCause::AccessDenied},
    {80, 80, FileErrorCause::AccessDenied},
    {82, 82, FileErrorCause::AccessDenied},
    {86, 86, FileErrorCause::AccessDenied},
    {170, 170, FileErrorCause::AccessDenied},
    {183, 183, FileErrorCause::AccessDenied},
    {999, 999, FileErrorCause::AccessDenied},

    {11, 11, FileErrorCause::InvalidFile},
    {26, 26, FileErrorCause::InvalidFile},
    {60, 60, FileErrorCause::InvalidFile},
    {66, 66, FileErrorCause::InvalidFile},
    {114, 114, FileErrorCause::InvalidFile},
    {182, 182, FileErrorCause::InvalidFile},
    {191, 191, FileErrorCause::InvalidFile},
    {193, 193, FileErrorCause::InvalidFile},

    {16, 16, FileErrorCause::RemoveCurrentDir},
    {145, 145, FileErrorCause::RemoveCurrentDir},

    {62, 62, FileErrorCause::DirectoryFull},

    {24, 25, FileErrorCause::BadSeek},
    {27, 27, FileErrorCause::BadSeek},
    {30, 30, FileErrorCause::BadSeek},
    {131, 132, FileErrorCause::BadSeek},

    {20, 23, FileErrorCause::HardIO},
    {57, 57, FileErrorCause::HardIO},
    {59, 59, FileErrorCause::HardIO},
    {88, 88, FileErrorCause::HardIO},
    {117, 117, FileErrorCause::HardIO},
    {995, 997, FileErrorCause::HardIO},

    {32, 32, FileErrorCause::SharingViolation},

    {33, 33, FileErrorCause::LockViolation},
    {108, 108, FileErrorCause::LockViolation},
    {167, 167, FileErrorCause::LockViolation},

    {39, 39, FileErrorCause::DiskFull},
    {112, 112, FileErrorCause::DiskFull},

    {38, 38, FileErrorCause::EndOfFile},
};

}  // namespace

FileErrorCause causeFromSystemError(int error) {
  const auto code = static_cast<DWORD>(error);
  for (const auto& range : kCauses) {
    if (code >= range.first && code <= range.last) return range.cause;
  }
  return FileErrorCause::Generic;
}

int lastSystemError() { return static_cast<int>(::GetLastError()); }

void setLastSystemError(int error) { ::SetLastError(static_cast<DWORD>(error)); }

std::string systemErrorText(int error) {
  std::string text = std::system_category().message(error);
  // The system's texts end in a full stop and a line break.
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.')) {
    text.pop_back();
  }
  return text;
}

}  // namespace sci

#pragma once
// What both programs say about a refused file, in the editor's own words,
// so the editor and scitool always agree.

#include "data/FileResult.h"

namespace sci {

inline constexpr const char* kOpenFailedText = "abort!";
inline constexpr const char* kLengthErrorText = "Length Error!";
inline constexpr const char* kListChecksumErrorText = "Check data error!";
inline constexpr const char* kConfigOpenFailedText = "Can not open IPConfig.cfg";
inline constexpr const char* kConfigOpenFailedCaption = "VANTO";
// The configuration's checksum message is spelt in lower case.
inline constexpr const char* kConfigChecksumErrorText = "check data error!";

enum class ResultFile { ServerList, DeviceConfig };

struct ResultMessage {
  const char* text;     // empty for Ok
  const char* caption;  // empty: the program's own name
};

// The one place a file result becomes the message the user sees.
constexpr ResultMessage resultMessage(FileResult result, ResultFile kind) {
  const bool config = kind == ResultFile::DeviceConfig;
  switch (result) {
    case FileResult::Ok:
      break;
    case FileResult::OpenFailed:
      return config ? ResultMessage{kConfigOpenFailedText, kConfigOpenFailedCaption}
                    : ResultMessage{kOpenFailedText, ""};
    case FileResult::LengthError:
      return {kLengthErrorText, ""};
    case FileResult::ChecksumError:
      return {config ? kConfigChecksumErrorText : kListChecksumErrorText, ""};
  }
  return {"", ""};
}

}  // namespace sci

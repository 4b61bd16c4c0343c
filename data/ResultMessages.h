#pragma once
// What both programs say about a refused file, in the editor's own words,
// so the editor and scitool always agree.

namespace sci {

inline constexpr const char* kOpenFailedText = "abort!";
inline constexpr const char* kLengthErrorText = "Length Error!";
inline constexpr const char* kListChecksumErrorText = "Check data error!";
inline constexpr const char* kConfigOpenFailedText = "Can not open IPConfig.cfg";
inline constexpr const char* kConfigOpenFailedCaption = "VANTO";
// The configuration's checksum message is spelt in lower case.
inline constexpr const char* kConfigChecksumErrorText = "check data error!";

}  // namespace sci

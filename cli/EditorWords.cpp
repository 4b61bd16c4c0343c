#include "cli/EditorWords.h"

#include "data/SystemError.h"

namespace sci {

std::string cannotOpenText(int osError) { return "cannot open: " + systemErrorText(osError); }

std::string cannotReadText(int osError) { return "cannot read: " + systemErrorText(osError); }

namespace {

// OpenFailed never comes from decoding bytes already read.
std::string resultText(FileResult result, const char* checksumErrorText) {
  switch (result) {
    case FileResult::Ok:
      return {};
    case FileResult::ChecksumError:
      return checksumErrorText;
    case FileResult::LengthError:
    case FileResult::OpenFailed:
      break;
  }
  return kLengthErrorText;
}

}  // namespace

std::string serverListResultText(FileResult result) {
  return resultText(result, kListChecksumErrorText);
}

std::string deviceConfigResultText(FileResult result) {
  return resultText(result, kConfigChecksumErrorText);
}

}  // namespace sci

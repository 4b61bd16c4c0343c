#include "cli/EditorWords.h"

#include "data/SystemError.h"

namespace sci {

std::string cannotOpenText(int osError) { return "cannot open: " + systemErrorText(osError); }

std::string cannotReadText(int osError) { return "cannot read: " + systemErrorText(osError); }

std::string serverListResultText(FileResult result) {
  switch (result) {
    case FileResult::Ok:
      return {};
    case FileResult::ChecksumError:
      return kListChecksumErrorText;
    case FileResult::LengthError:
    case FileResult::OpenFailed:
      break;
  }
  return kLengthErrorText;
}

std::string deviceConfigResultText(FileResult result) {
  switch (result) {
    case FileResult::Ok:
      return {};
    case FileResult::ChecksumError:
      return kConfigChecksumErrorText;
    case FileResult::LengthError:
    case FileResult::OpenFailed:
      break;
  }
  return kLengthErrorText;
}

}  // namespace sci

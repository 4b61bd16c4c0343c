#include "cli/EditorWords.h"

#include "data/SystemError.h"

namespace sci {

std::string cannotOpenText(int osError) { return "cannot open: " + systemErrorText(osError); }

std::string cannotReadText(int osError) { return "cannot read: " + systemErrorText(osError); }

namespace {

// OpenFailed never comes from decoding bytes already read.
std::string resultText(FileResult result, ResultFile kind) {
  return resultMessage(result == FileResult::OpenFailed ? FileResult::LengthError : result, kind)
      .text;
}

}  // namespace

std::string serverListResultText(FileResult result) {
  return resultText(result, ResultFile::ServerList);
}

std::string deviceConfigResultText(FileResult result) {
  return resultText(result, ResultFile::DeviceConfig);
}

}  // namespace sci

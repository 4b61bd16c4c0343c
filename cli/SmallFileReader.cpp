#include "cli/SmallFileReader.h"

#include "cli/Arguments.h"
#include "cli/EditorWords.h"
#include "data/FileError.h"

namespace sci {

SmallFile readSmallFile(const std::string& path, std::initializer_list<std::size_t> sizes,
                        const ReadCall& readCall) {
  SmallFile small;
  try {
    FileOfSize file = readFileOfSize(argumentPath(path), sizes, readCall);
    switch (file.result) {
      case FileResult::Ok:
        small.bytes = std::move(file.bytes);
        break;
      case FileResult::OpenFailed:
        small.failure = cannotOpenText(file.openError);
        break;
      case FileResult::LengthError:
      case FileResult::ChecksumError:
        small.failure = kLengthErrorText;
        break;
    }
  } catch (const FileError& e) {
    // A file that shrank while being read has no system reason to give.
    small.failure = e.osError() != 0 ? cannotReadText(e.osError()) : e.userMessage();
  }
  return small;
}

}  // namespace sci

#include "cli/SmallFileReader.h"

#include <fmt/format.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "cli/Arguments.h"
#include "cli/EditorWords.h"
#include "cli/InputText.h"
#include "data/DeviceConfig.h"
#include "data/FileError.h"
#include "data/FileRefusal.h"
#include "data/ServerListFile.h"

namespace sci {
namespace {

std::string lengthErrorText(const std::optional<std::uintmax_t>& size,
                            std::initializer_list<std::size_t> sizes) {
  return fmt::format("{} ({})", kLengthErrorText, lengthFoundText(size, sizes));
}

// Standard input has no length to ask for: it is read to its end, up to a
// limit far above both formats.
SmallFile readStandardInput(std::initializer_list<std::size_t> sizes) {
  SmallFile small;
  const InputText input = readInputText("-");
  if (input.text.size() > kMaxInputSize) {
    small.wrongLength = true;
    small.failure = fmt::format("{} (more than {} bytes found, {} expected)", kLengthErrorText,
                                kMaxInputSize, expectedSizesText(sizes));
  } else if (!input.failure.empty()) {
    small.failure = input.failure;
    return small;
  }
  small.bytes.assign(input.text.begin(), input.text.end());
  if (small.wrongLength) return small;
  small.size = small.bytes.size();
  if (std::ranges::find(sizes, small.bytes.size()) == sizes.end()) {
    small.wrongLength = true;
    small.failure = lengthErrorText(small.size, sizes);
  }
  return small;
}

// The first bytes of a file, to tell what it is.
std::string fileStart(const std::string& path, const SmallFile& file) {
  if (namesStandardStream(path)) return std::string(file.bytes.begin(), file.bytes.end());
  int error = 0;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> opened(openInputFile(path, error), &std::fclose);
  if (!opened) return {};
  std::string start(256, '\0');
  start.resize(std::fread(start.data(), 1, start.size(), opened.get()));
  return start;
}

bool looksLikeJson(const std::string& start) {
  std::size_t i = start.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  while (i < start.size() &&
         (start[i] == ' ' || start[i] == '\t' || start[i] == '\r' || start[i] == '\n')) {
    ++i;
  }
  return i < start.size() && start[i] == '{';
}

}  // namespace

SmallFile readSmallFile(const std::string& path, std::initializer_list<std::size_t> sizes,
                        const ReadCall& readCall) {
  if (namesStandardStream(path)) return readStandardInput(sizes);
  SmallFile small;
  try {
    FileOfSize file = readFileOfSize(argumentPath(path), sizes, readCall);
    small.size = file.size;
    switch (file.result) {
      case FileResult::Ok:
        small.bytes = std::move(file.bytes);
        break;
      case FileResult::OpenFailed:
        small.failure = cannotOpenText(file.openError);
        break;
      case FileResult::LengthError:
      case FileResult::ChecksumError:
        small.wrongLength = true;
        small.failure = lengthErrorText(file.size, sizes);
        break;
    }
  } catch (const FileError& e) {
    // A file that shrank while being read has no system reason to give.
    small.failure = e.osError() != 0 ? cannotReadText(e.osError()) : e.userMessage();
  }
  return small;
}

std::string otherKindHint(const std::string& path, const SmallFile& file,
                          std::size_t expectedSize) {
  if (!file.wrongLength || !file.size) return {};
  if (*file.size == kDeviceConfigSize && expectedSize != kDeviceConfigSize) {
    return ": the size of a device configuration, which 'scitool config show' reads";
  }
  if (*file.size == kServerListSize && expectedSize != kServerListSize) {
    return ": the size of a server list, which 'scitool show' reads";
  }
  if (looksLikeJson(fileStart(path, file))) return ": a JSON text, which 'scitool import' reads";
  return {};
}

}  // namespace sci

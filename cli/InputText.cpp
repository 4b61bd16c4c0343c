#include "cli/InputText.h"

#include <cstdio>
#include <memory>

#include "cli/EditorWords.h"

namespace sci {

InputText readInputText(const std::string& path) {
  InputText input;
  const bool standardInput = path == "-";
  int error = 0;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
      standardInput ? stdin : openInputFile(path, error),
      standardInput ? [](std::FILE*) { return 0; } : &std::fclose);
  if (!file) {
    input.failure = cannotOpenText(error);
    return input;
  }
  char buffer[65536];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    input.text.append(buffer, n);
    if (input.text.size() > kMaxInputSize) {
      input.failure = "larger than 1 MiB, too large for a server list";
      return input;
    }
  }
  if (std::ferror(file.get())) input.failure = cannotReadText(lastReadError());
  return input;
}

}  // namespace sci

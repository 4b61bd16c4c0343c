#include <stdio.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>

#include "cli/Arguments.h"
#include "cli/EditorWords.h"
#include "cli/InputText.h"

namespace sci {

InputText readInputText(const std::string& path) {
  InputText input;
  const bool standardInput = path == "-";
  // The wide name reaches folders whose names the ANSI code page cannot hold.
  std::unique_ptr<FILE, int (*)(FILE*)> file(
      standardInput ? stdin : ::_wfopen(argumentPath(path).c_str(), L"rb"),
      standardInput ? [](FILE*) { return 0; } : &std::fclose);
  // The runtime keeps the system's own error code apart from errno.
  if (!file) {
    input.failure = cannotOpenText(static_cast<int>(_doserrno));
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
  if (std::ferror(file.get())) input.failure = cannotReadText(static_cast<int>(_doserrno));
  return input;
}

}  // namespace sci

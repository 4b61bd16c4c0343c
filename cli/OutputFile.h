#pragma once
// Every file scitool writes goes through the data layer's atomic writes (a
// temporary file renamed over the target), like the editor's saves; "-"
// writes to standard output instead.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "data/FileResult.h"

namespace sci {

// Who may read a file that the write creates. A file that exists keeps its
// mode either way, as the atomic write keeps it for every save.
enum class NewFileAccess {
  Umask,      // 0666 less the umask, like any file a program creates
  OwnerOnly,  // 0600 (less the umask): for clear passwords
};

// Runs the write and returns "" when it succeeded, otherwise the reason:
// the system's reason when the target cannot be opened, the editor's file
// error text for a failure after that.
std::string runOutputWrite(const std::string& path, const std::function<FileResult()>& write,
                           NewFileAccess access = NewFileAccess::Umask);

// A server list or configuration is binary: a terminal is no place for it.
enum class OutputContent { Text, Binary };

// Writes the content to the file `output` names, in one step, or for "-"
// to standard output (refused for binary content when that is a terminal).
// "" when written, otherwise the reason.
std::string writeOutput(const std::string& output, std::span<const std::uint8_t> content,
                        OutputContent kind, NewFileAccess access = NewFileAccess::Umask);

// A write replaces its target only once the new content is complete, so an
// output that is one of the command's inputs would lose that input for
// good. "" when `output` is none of them ("-" as an input is standard
// input), otherwise the refusal, naming the input.
std::string sameFileRefusal(const std::string& output, const std::vector<std::string>& inputs);

// "FILE: written" and what was written, on standard output; for "-" on
// standard error, which does not mix with the content.
void reportWritten(const std::string& output, const std::string& detail = "");

}  // namespace sci

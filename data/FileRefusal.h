#pragma once
// Why a file was refused, in plain words, under the fixed text both programs
// show first: "abort!\n/home/ana/site.bin: read-only". The editor's message
// boxes and scitool's reasons are built here, so they never disagree.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>

#include "data/FileError.h"
#include "data/FileResult.h"
#include "data/ResultMessages.h"

namespace sci {

enum class FileAccess { Read, Write };

struct FileRefusal {
  FileResult result = FileResult::OpenFailed;  // never Ok
  ResultFile kind = ResultFile::ServerList;
  FileAccess access = FileAccess::Read;
  int osError = 0;                     // the system's reason for OpenFailed
  std::optional<std::uintmax_t> size;  // what was found, for LengthError
};

// "52 or 4124"
std::string expectedSizesText(std::initializer_list<std::size_t> expected);

// "379 bytes found, 4124 expected"; "not a regular file, 52 expected".
std::string lengthFoundText(const std::optional<std::uintmax_t>& size,
                            std::initializer_list<std::size_t> expected);

// Why a file could not be opened: "not found", "the folder does not exist",
// "read-only", "access denied", "in use by another program", "disk full",
// "a folder, not a file", else the system's own words. The path is looked at
// (does it or its folder exist, may it be written) to tell these apart.
std::string openFailureReason(const std::filesystem::path& path, FileAccess access, int osError);

// The same for a failure after the file was opened, or "" where the cause
// text already says all there is.
std::string fileErrorReason(FileErrorCause cause);

// A failure after opening: the fixed cause text, then "<full path>: <reason>"
// where that adds anything (a read names no file, a held file has a remedy).
std::string fileErrorMessage(const FileError& error);

// The whole message: the fixed text, then "<full path>: <reason>".
std::string refusalMessage(const std::filesystem::path& path, const FileRefusal& refusal);

// The full path as the user should see it, in UTF-8 on every system.
std::string displayPath(const std::filesystem::path& path);

}  // namespace sci

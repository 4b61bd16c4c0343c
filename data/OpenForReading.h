#pragma once
// Opening a file for one whole read and learning what it is: the part of
// reading that differs between systems. One implementation per platform,
// chosen by the build.

#include <cstdint>
#include <filesystem>

#include "data/SystemFile.h"

namespace sci {

enum class FileKind { Regular, Folder, Other };

struct OpenedForReading {
  SystemFile file;  // not open when the open failed
  int error = 0;    // the system's reason when it failed
  FileKind kind = FileKind::Other;
  std::uintmax_t size = 0;  // only for Regular
};

// Never waits: a pipe without a writer opens at once (it is Other). A
// folder is Folder whether or not the system lets it be opened. Throws
// FileError (Size) when the size cannot be taken after the file opened.
OpenedForReading openForReading(const std::filesystem::path& path);

// The error a folder gives as a reason for not being a file.
int folderError();

// True when a call failed only because it was interrupted and may be retried.
bool interruptedCall(int error);

}  // namespace sci

#pragma once
// Whether two names lead to one file: the same device and inode on POSIX
// systems, the same volume and file id on Windows, so hard and symbolic
// links and every spelling of a path ("./x.bin", "dir/../x.bin") are caught.
// One implementation per platform.

#include <string>

namespace sci {

// True when both names are one existing file. False when either cannot be
// examined: an output that does not exist yet is a new file.
bool sameFile(const std::string& a, const std::string& b);

// True when standard input reads from the file `path` names (a redirection
// such as "< x.bin").
bool standardInputIs(const std::string& path);

}  // namespace sci

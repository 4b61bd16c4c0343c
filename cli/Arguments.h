#pragma once
// The command line as scitool works with it: every argument as UTF-8 (on
// Windows taken from the wide command line, not the ANSI code page), and
// paths made from such arguments. One implementation per platform.

#include <filesystem>
#include <string>
#include <vector>

namespace sci {

std::vector<std::string> commandLineArguments(int argc, char** argv);

// The file an argument names.
std::filesystem::path argumentPath(const std::string& argument);

// "-" stands for standard input or output wherever a file is read or
// written; "./-" names a file called "-".
inline bool namesStandardStream(const std::string& argument) { return argument == "-"; }

}  // namespace sci

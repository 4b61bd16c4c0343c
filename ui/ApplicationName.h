#pragma once

#include <string>

namespace sci {

// The running executable's file name without folder and extension (UTF-8);
// the caption of every message box that names no other.
std::string applicationName();

}  // namespace sci

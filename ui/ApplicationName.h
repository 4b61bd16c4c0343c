#pragma once
// The running program as the user knows it: its name and where it lives.
// One implementation per platform, chosen by the build.

#include <filesystem>
#include <string>

namespace sci {

// The running executable's file name without folder and extension (UTF-8);
// the caption of every message box that names no other.
std::string applicationName();

// The folder of the running executable; empty when the system will not say.
std::filesystem::path programFolder();

// Where a user of this system puts the device configuration so that the
// editor finds it, as one sentence.
std::string configPlacementAdvice();

}  // namespace sci

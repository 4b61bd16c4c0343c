#pragma once
// The one place a path becomes what the Win32 file calls are given. The
// "\\?\" form lifts the 260-character limit, but it also turns off the
// system's own clean-up of the path (relative parts, "..", forward
// slashes), so that is done first. Messages keep the path as the user
// spelled it; only the system sees this form.

#include <filesystem>

namespace sci {

// Absolute, with "." and ".." resolved and native separators, as the
// system resolves it ("t.bin", "./t.bin", "Z:/x/t.bin" and "/tmp/t.bin"
// all give the same form). Devices keep the system's "\\.\NUL" form. Empty
// when the system cannot resolve the path.
std::filesystem::path fullPath(const std::filesystem::path& path);

// fullPath in the form that has no length limit: "C:\x" becomes
// "\\?\C:\x", "\\server\share\x" becomes "\\?\UNC\server\share\x". A path
// already in that form is left as it is, and so are devices. A path the
// system cannot resolve is passed on unchanged, for the call to refuse.
std::filesystem::path systemPath(const std::filesystem::path& path);

}  // namespace sci

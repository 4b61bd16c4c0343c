#pragma once
// A POSIX system's own handle of an open file: its descriptor. Included
// through data/SystemFile.h only.

namespace sci {

using NativeFile = int;
inline constexpr NativeFile kNoNativeFile = -1;

}  // namespace sci

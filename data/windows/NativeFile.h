#pragma once
// Windows' own handle of an open file: a HANDLE, spelled as <windows.h>
// defines it so that every user of data/ need not include that header.
// Included through data/SystemFile.h only.

#include <cstdint>

namespace sci {

using NativeFile = void*;
// INVALID_HANDLE_VALUE, what CreateFileW gives when it opens nothing.
inline const NativeFile kNoNativeFile =
    reinterpret_cast<NativeFile>(static_cast<std::intptr_t>(-1));

}  // namespace sci

#pragma once
// scitool's output is the same bytes on every system, so that scripts and
// the tests can compare it: no line-end translation on Windows. One file
// per platform.

#include <cstdio>
#include <string_view>

#include "data/SystemFile.h"

namespace sci {

void useBinaryStandardStreams();

// Standard input as the system's own file, for reads that go around the C
// runtime's buffer. Not owned: it stays open.
NativeFile standardInputFile();

// A terminal would show a binary file as garbage and may act on its bytes.
bool standardOutputIsTerminal();

// Text for a reader, in UTF-8. A Windows console is given it as UTF-16
// (WriteConsoleW), so names show right whatever its code page (437 and 850
// have no "€"); to a file or a pipe, and on POSIX systems, the UTF-8 bytes
// go out as they are. A failed write leaves the stream's error set.
void writeText(std::FILE* stream, std::string_view utf8);

}  // namespace sci

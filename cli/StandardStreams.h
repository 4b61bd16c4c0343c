#pragma once
// scitool's output is the same bytes on every system, so that scripts and
// the tests can compare it: no line-end translation on Windows. One file
// per platform.

namespace sci {

void useBinaryStandardStreams();

// A terminal would show a binary file as garbage and may act on its bytes.
bool standardOutputIsTerminal();

}  // namespace sci

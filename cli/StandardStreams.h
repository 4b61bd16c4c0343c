#pragma once
// scitool's output is the same bytes on every system, so that scripts and
// the tests can compare it: no line-end translation on Windows.

namespace sci {

void useBinaryStandardStreams();

}  // namespace sci

#pragma once

namespace sci {

// Outcome of reading or writing one of the two file formats. Failures after a
// file was opened are not results: they are thrown as FileError.
enum class FileResult { Ok, OpenFailed, LengthError, ChecksumError };

}  // namespace sci

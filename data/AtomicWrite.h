#pragma once
// Replaces a file's whole content so that a failure part-way never leaves a
// damaged file behind: the old content stays until the new one is complete.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>

#include "data/FileResult.h"

namespace sci {

// Low-level calls the atomic save goes through, replaceable in tests.
struct WriteOps {
  std::function<long(int fd, const void* data, std::size_t size)> write;
  std::function<int(int fd)> fsync;
  static WriteOps system();
};

// OpenFailed (nothing touched) when the target could not be opened for
// writing: missing folder, a folder as target, no write permission. Every
// later failure throws FileError; the temporary file is removed and an
// existing target keeps its old bytes. A symbolic link is followed, so the
// file it names is replaced; a replaced file keeps its permissions, owner
// and group. Written in place instead, as a plain save would, and so
// without that protection: targets that are not regular files (devices,
// pipes), and a file that may be written but not replaced (its folder takes
// no new files, it is another user's file in a sticky folder, a mount point,
// or a file whose owner or group this user cannot give a new file).
FileResult writeFileAtomically(const std::filesystem::path& target,
                               std::span<const std::uint8_t> content, const WriteOps& ops);

}  // namespace sci

#pragma once
// Replaces a file's whole content so that a failure part-way never leaves a
// damaged file behind: the old content stays until the new one is complete.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>

#include "data/FileResult.h"
#include "data/SystemFile.h"

namespace sci {

// Low-level calls the atomic save goes through, replaceable in tests. They
// take the system's own file handle as the open gave it.
struct WriteOps {
  std::function<long(NativeFile file, const void* data, std::size_t size)> write;
  std::function<int(NativeFile file)> fsync;
  // A file without a name in `folder` (O_TMPFILE), opened for writing;
  // kNoNativeFile with errno set where the file system has no such files.
  std::function<NativeFile(const char* folder, unsigned mode)> openUnnamed;
  // Gives the finished temporary file open as `file` the name `target`,
  // replacing a file of that name in one step: 0, or -1 with the system's
  // error set. Windows renames through the handle; empty on POSIX.
  std::function<int(NativeFile file, const std::filesystem::path& target)> rename;
  static WriteOps system();
};

// OpenFailed (nothing touched) when the target could not be opened for
// writing: missing folder, a folder as target, no write permission. Every
// later failure throws FileError; an existing target keeps its old bytes.
// The new content goes into a temporary file that has no name until it is
// complete (a named ".NAME.XXXXXX" where the file system has no unnamed
// files), so a failed or killed save leaves nothing behind; a copy left by
// a save killed in the moment between naming that file and renaming it is
// removed by the next save of the same target, once it is a minute old. A symbolic link
// is followed, so the file it names is replaced; a replaced file keeps its
// permissions, owner and group. A file size limit below the content's size
// fails before anything is touched. Written in place instead: targets that
// are not regular files (devices, pipes), and a file that may be written but
// not replaced (its folder takes no new files, it is another user's file in
// a sticky folder, a mount point, or a file whose owner or group this user
// cannot give a new file). Such a file is never truncated first: the new
// content goes over the old from offset 0, a failure puts the old bytes back
// where it can, and the FileError's state says what the file then holds.
// On Windows the temporary file always has a name (".NAME.XXXXXX" beside
// the target) but is marked for deletion, so the system removes it should
// the save fail or the process die; flushed with FlushFileBuffers, the mark
// is withdrawn and the file renamed over the target through its handle in
// one step, so the path always holds the whole old or the whole new file.
// Every spelling of the path ("t.bin", "./t.bin", "Z:/x/t.bin") is first
// made absolute with native separators, then given to the system in the
// "\\?\" form that has no 260-character limit (data/windows/SystemPath.h). The replacement carries
// the old file's attributes (hidden, system, not indexed), its creation time where the file system
// keeps one, and an access list of its own (one cut off from the folder's); a file that inherits
// from its folder inherits afresh, and the owner is the saving user. Where that list cannot be read
// or given to the new file, the old file is written in place instead. A leftover copy (a kill in
// the instant between withdrawing the mark and renaming, or a system crash) is removed by the next
// save of the target: a running save holds its file open unshared, so only leftovers can be
// deleted. A read-only file is OpenFailed. A file another program holds open (the open before the
// save, or the rename) is tried again for about a second (data/windows/HeldFile.h); held longer,
// the save fails with a sharing violation and the old file stays as it was.
FileResult writeFileAtomically(const std::filesystem::path& target,
                               std::span<const std::uint8_t> content, const WriteOps& ops);

}  // namespace sci

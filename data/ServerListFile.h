#pragma once
// The 4124-byte server list file: a 28-byte header (device values, body
// length, checksum) and a 4096-byte body (the scrambled table, then 0xFF).

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

#include "data/DeviceConfig.h"
#include "data/FileResult.h"
#include "data/ServerEntry.h"

namespace sci {

inline constexpr std::size_t kHeaderSize = 28;
inline constexpr std::size_t kBodySize = 4096;
inline constexpr std::size_t kServerListSize = kHeaderSize + kBodySize;  // 4124
inline constexpr std::uint8_t kFiller = 0xFF;

using ServerListImage = std::array<std::uint8_t, kServerListSize>;

// Source of the two pseudo-random preamble bytes; each value is taken
// modulo 255. The default is a generator seeded once per run.
using RandomSource = std::function<unsigned()>;
unsigned defaultRandom();

void ScrambleTable(std::span<std::uint8_t> bytes);
void UnscrambleTable(std::span<std::uint8_t> bytes);
std::uint32_t BodyChecksum(std::span<const std::uint8_t> body);

// The whole file image; the table itself is not changed.
ServerListImage encodeServerList(const ServerTable& table, const DeviceConfig& config,
                                 const RandomSource& random = defaultRandom);

// Length and checksum checks, then unscrambles into table (only on Ok).
FileResult decodeServerList(std::span<const std::uint8_t> fileBytes, ServerTable& table);

// Low-level calls the atomic save goes through, replaceable in tests.
struct WriteOps {
  std::function<long(int fd, const void* data, std::size_t size)> write;
  std::function<int(int fd)> fsync;
  // A file without a name in `folder` (O_TMPFILE), opened for writing; -1
  // with errno set where the file system has no such files.
  std::function<int(const char* folder, unsigned mode)> openUnnamed;
  static WriteOps system();
};

// Saves atomically: a temporary file beside the target, fully written and
// flushed, then renamed over it. OpenFailed when the target cannot be
// written at all; later failures throw FileError and leave the old file
// (see writeFileAtomically for the targets that are written in place).
FileResult writeServerList(const std::filesystem::path& path, const ServerTable& table,
                           const DeviceConfig& config, const RandomSource& random = defaultRandom,
                           const WriteOps& ops = WriteOps::system());

// On Ok the whole table, preamble included, is replaced; otherwise untouched.
// Throws FileError when reading fails after the file was opened.
FileResult readServerList(const std::filesystem::path& path, ServerTable& table);

// Appends ".bin" unless ".bin" occurs anywhere in the path, ASCII letters
// compared without case whatever the locale.
std::string serverListPath(const std::string& chosenPath);

}  // namespace sci

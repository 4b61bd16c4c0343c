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

#include "data/AtomicWrite.h"
#include "data/DeviceConfig.h"
#include "data/FileResult.h"
#include "data/ServerEntry.h"

namespace sci {

inline constexpr std::size_t kHeaderSize = 28;
inline constexpr std::size_t kBodySize = 4096;
inline constexpr std::size_t kServerListSize = kHeaderSize + kBodySize;  // 4124
inline constexpr std::uint8_t kFiller = 0xFF;

using ServerListImage = std::array<std::uint8_t, kServerListSize>;

// Where the header's numbers sit, each stored little-endian.
inline constexpr std::size_t kDeviceValue32Offset = 0;
inline constexpr std::size_t kBodyLengthOffset = 4;
inline constexpr std::size_t kChecksumOffset = 8;
inline constexpr std::size_t kDeviceValue8Offset = 14;   // 2 bytes
inline constexpr std::size_t kDeviceValue16Offset = 16;  // 2 bytes

// The header's numbers. The device values come from the device
// configuration; the editor only ever checks the checksum.
struct ServerListHeader {
  std::uint32_t deviceValue32 = 0;
  std::uint32_t bodyLength = 0;
  std::uint32_t checksum = 0;
  std::uint16_t deviceValue8 = 0;
  std::uint16_t deviceValue16 = 0;
};

// fileBytes must hold at least the kHeaderSize header bytes.
ServerListHeader decodeServerListHeader(std::span<const std::uint8_t> fileBytes);

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

// The path a chosen name saves to: ".bin" is added when the chosen path
// holds no ".bin" anywhere, compared ASCII case-insensitively on the path's
// own characters (wchar_t on Windows, bytes on POSIX), whatever the locale:
// "LIST.BIN" and "a.bin.txt" stay, "list" becomes "list.bin". Characters
// outside ASCII never fold, so "list.BİN" (a dotted capital I) gets one.
std::filesystem::path serverListPath(const std::filesystem::path& chosenPath);

}  // namespace sci

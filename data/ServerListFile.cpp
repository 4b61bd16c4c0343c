#include "data/ServerListFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <random>

#include "data/AsciiText.h"
#include "data/AtomicWrite.h"
#include "data/FixedSizeRead.h"

namespace sci {
namespace {

constexpr std::size_t kDeviceValue32Offset = 0;
constexpr std::size_t kBodyLengthOffset = 4;
constexpr std::size_t kChecksumOffset = 8;
constexpr std::size_t kDeviceValue8Offset = 14;
constexpr std::size_t kDeviceValue16Offset = 16;

constexpr std::size_t kMarkerOffset = 21;
constexpr std::uint8_t kMarkers[] = {0x13, 0x8F, 0x8E};
constexpr std::size_t kRandomOffset = 24;

void putLe(std::span<std::uint8_t> out, std::size_t offset, std::uint32_t value, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    out[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

std::uint32_t getLe32(std::span<const std::uint8_t> in, std::size_t offset) {
  return std::uint32_t{in[offset]} | std::uint32_t{in[offset + 1]} << 8 |
         std::uint32_t{in[offset + 2]} << 16 | std::uint32_t{in[offset + 3]} << 24;
}

}  // namespace

unsigned defaultRandom() {
  // Seeded once per run, so two saves of the same list differ in these bytes
  // as a fresh random value each time would have them.
  static std::mt19937 generator{std::random_device{}()};
  return static_cast<unsigned>(generator());
}

void ScrambleTable(std::span<std::uint8_t> bytes) {
  for (auto& b : bytes) b = static_cast<std::uint8_t>(b + 129);
}

void UnscrambleTable(std::span<std::uint8_t> bytes) {
  for (auto& b : bytes) b = static_cast<std::uint8_t>(b + 127);
}

std::uint32_t BodyChecksum(std::span<const std::uint8_t> body) {
  std::uint32_t sum = 0;
  for (const auto b : body) sum += b;
  return ~sum;
}

ServerListImage encodeServerList(const ServerTable& table, const DeviceConfig& config,
                                 const RandomSource& random) {
  TableImage copy = bytes(table);
  std::fill_n(copy.begin(), kMarkerOffset, std::uint8_t{0});
  std::ranges::copy(kMarkers, copy.begin() + kMarkerOffset);
  copy[kRandomOffset] = static_cast<std::uint8_t>(random() % 255);
  copy[kRandomOffset + 1] = static_cast<std::uint8_t>(random() % 255);
  ScrambleTable(copy);

  ServerListImage image{};
  const std::span<std::uint8_t> body(image.data() + kHeaderSize, kBodySize);
  std::ranges::copy(copy, body.begin());
  std::fill(body.begin() + kTableSize, body.end(), kFiller);

  putLe(image, kDeviceValue32Offset, config.deviceValue32(), 4);
  putLe(image, kBodyLengthOffset, kBodySize, 4);
  putLe(image, kChecksumOffset, BodyChecksum(body), 4);
  putLe(image, kDeviceValue8Offset, config.deviceValue8(), 2);
  putLe(image, kDeviceValue16Offset, config.deviceValue16(), 2);
  return image;
}

FileResult decodeServerList(std::span<const std::uint8_t> fileBytes, ServerTable& table) {
  if (fileBytes.size() != kServerListSize) return FileResult::LengthError;
  const auto body = fileBytes.subspan(kHeaderSize, kBodySize);
  if (BodyChecksum(body) != getLe32(fileBytes, kChecksumOffset)) {
    return FileResult::ChecksumError;
  }
  TableImage image;
  std::copy_n(body.begin(), kTableSize, image.begin());
  UnscrambleTable(image);
  assign(table, image);
  return FileResult::Ok;
}

WriteOps WriteOps::system() {
  return WriteOps{
      [](int fd, const void* data, std::size_t size) -> long { return ::write(fd, data, size); },
      [](int fd) { return ::fsync(fd); },
      [](const char* folder, unsigned mode) {
        return ::open(folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, static_cast<mode_t>(mode));
      },
  };
}

FileResult writeServerList(const std::filesystem::path& path, const ServerTable& table,
                           const DeviceConfig& config, const RandomSource& random,
                           const WriteOps& ops) {
  const ServerListImage image = encodeServerList(table, config, random);
  return writeFileAtomically(path, image, ops);
}

FileResult readServerList(const std::filesystem::path& path, ServerTable& table) {
  ServerListImage image{};
  const FileResult result = readFixedSizeFile(path, image);
  if (result != FileResult::Ok) return result;
  return decodeServerList(image, table);
}

std::string serverListPath(const std::string& chosenPath) {
  return asciiLowered(chosenPath).find(".bin") != std::string::npos ? chosenPath
                                                                    : chosenPath + ".bin";
}

}  // namespace sci

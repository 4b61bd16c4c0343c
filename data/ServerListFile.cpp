#include "data/ServerListFile.h"

#include <algorithm>
#include <random>

#include "data/AsciiText.h"
#include "data/ByteOrder.h"
#include "data/FixedSizeRead.h"

namespace sci {
namespace {

constexpr std::size_t kMarkerOffset = 21;
constexpr std::uint8_t kMarkers[] = {0x13, 0x8F, 0x8E};
constexpr std::size_t kRandomOffset = 24;

void encodeHeader(std::span<std::uint8_t> out, const ServerListHeader& header) {
  writeLe(out, kDeviceValue32Offset, header.deviceValue32, 4);
  writeLe(out, kBodyLengthOffset, header.bodyLength, 4);
  writeLe(out, kChecksumOffset, header.checksum, 4);
  writeLe(out, kDeviceValue8Offset, header.deviceValue8, 2);
  writeLe(out, kDeviceValue16Offset, header.deviceValue16, 2);
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

  encodeHeader(image, ServerListHeader{
                          .deviceValue32 = config.deviceValue32(),
                          .bodyLength = kBodySize,
                          .checksum = BodyChecksum(body),
                          .deviceValue8 = config.deviceValue8(),
                          .deviceValue16 = config.deviceValue16(),
                      });
  return image;
}

ServerListHeader decodeServerListHeader(std::span<const std::uint8_t> fileBytes) {
  return ServerListHeader{
      .deviceValue32 = readLe32(fileBytes, kDeviceValue32Offset),
      .bodyLength = readLe32(fileBytes, kBodyLengthOffset),
      .checksum = readLe32(fileBytes, kChecksumOffset),
      .deviceValue8 = readLe16(fileBytes, kDeviceValue8Offset),
      .deviceValue16 = readLe16(fileBytes, kDeviceValue16Offset),
  };
}

FileResult decodeServerList(std::span<const std::uint8_t> fileBytes, ServerTable& table) {
  if (fileBytes.size() != kServerListSize) return FileResult::LengthError;
  const auto body = fileBytes.subspan(kHeaderSize, kBodySize);
  if (BodyChecksum(body) != decodeServerListHeader(fileBytes).checksum) {
    return FileResult::ChecksumError;
  }
  TableImage image;
  std::copy_n(body.begin(), kTableSize, image.begin());
  UnscrambleTable(image);
  assign(table, image);
  return FileResult::Ok;
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

std::filesystem::path serverListPath(const std::filesystem::path& chosenPath) {
  using Char = std::filesystem::path::value_type;
  static constexpr Char kExtension[] = {'.', 'b', 'i', 'n'};
  const std::filesystem::path::string_type& name = chosenPath.native();
  if (!std::ranges::search(name, kExtension, std::ranges::equal_to{}, asciiLower<Char>).empty()) {
    return chosenPath;
  }
  return std::filesystem::path::string_type(name).append(std::begin(kExtension),
                                                         std::end(kExtension));
}

}  // namespace sci

#include "data/DeviceConfig.h"

#include <algorithm>
#include <stdexcept>

#include "data/ByteOrder.h"
#include "data/FixedSizeRead.h"

namespace sci {
namespace {

constexpr std::size_t kValue16Offset = 32;
constexpr std::size_t kValue32Offset = 36;
constexpr std::size_t kValue8Offset = 40;
constexpr std::size_t kSumOffset = kDeviceConfigPayloadSize;

std::uint32_t payloadSum(const std::uint8_t* payload) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < kDeviceConfigPayloadSize; ++i) sum += payload[i];
  return sum;
}

}  // namespace

std::string DeviceConfig::title() const {
  const auto begin = plain_.begin();
  const auto end = std::find(begin, begin + kDeviceConfigPayloadSize, std::uint8_t{0});
  return std::string(begin, end);
}

std::uint16_t DeviceConfig::deviceValue16() const { return readLe16(plain_, kValue16Offset); }

std::uint32_t DeviceConfig::deviceValue32() const { return readLe32(plain_, kValue32Offset); }

std::uint8_t DeviceConfig::deviceValue8() const { return plain_[kValue8Offset]; }

std::int32_t DeviceConfig::storedSum() const {
  return static_cast<std::int32_t>(readLe32(plain_, kSumOffset));
}

FileResult decodeDeviceConfig(std::span<const std::uint8_t> fileBytes, DeviceConfig& config) {
  if (fileBytes.size() != kDeviceConfigSize) return FileResult::LengthError;
  std::array<std::uint8_t, kDeviceConfigSize> plain{};
  std::ranges::transform(fileBytes, plain.begin(),
                         [](std::uint8_t b) { return static_cast<std::uint8_t>(~b); });
  // The stored sum is a signed 32-bit value; comparing the bit patterns is
  // the same test, and the payload sum never exceeds 48 * 255 anyway.
  if (payloadSum(plain.data()) != readLe32(plain, kSumOffset)) return FileResult::ChecksumError;
  config.plain_ = plain;
  config.valid_ = true;
  return FileResult::Ok;
}

FileResult loadDeviceConfig(DeviceConfig& config, const std::filesystem::path& path) {
  std::array<std::uint8_t, kDeviceConfigSize> stored{};
  const FileResult result = readFixedSizeFile(path, stored);
  if (result != FileResult::Ok) return result;
  return decodeDeviceConfig(stored, config);
}

DeviceConfig DeviceConfig::fromValues(std::string_view title, std::uint16_t value16,
                                      std::uint32_t value32, std::uint8_t value8) {
  if (title.size() >= kDeviceTitleCapacity) {
    throw std::invalid_argument("device title longer than 31 bytes");
  }
  // A zero byte would end the title early and the text would not read back.
  if (title.find('\0') != std::string_view::npos) {
    throw std::invalid_argument("device title contains a zero byte");
  }
  DeviceConfig config;
  std::ranges::copy(title, config.plain_.begin());
  writeLe(config.plain_, kValue16Offset, value16, 2);
  writeLe(config.plain_, kValue32Offset, value32, 4);
  config.plain_[kValue8Offset] = value8;
  writeLe(config.plain_, kSumOffset, payloadSum(config.plain_.data()), 4);
  config.valid_ = true;
  return config;
}

std::array<std::uint8_t, kDeviceConfigSize> encodeDeviceConfig(std::string_view title,
                                                               std::uint16_t value16,
                                                               std::uint32_t value32,
                                                               std::uint8_t value8) {
  std::array<std::uint8_t, kDeviceConfigSize> stored =
      DeviceConfig::fromValues(title, value16, value32, value8).plain_;
  for (auto& b : stored) b = static_cast<std::uint8_t>(~b);
  return stored;
}

}  // namespace sci

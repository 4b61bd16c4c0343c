#pragma once
// "IPConfig.cfg": 52 bytes, each stored complemented; a 48-byte payload with
// the title and three device values, then the payload's byte sum.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "data/FileResult.h"

namespace sci {

inline constexpr std::size_t kDeviceConfigSize = 52;
inline constexpr std::size_t kDeviceConfigPayloadSize = 48;
inline constexpr std::size_t kDeviceTitleCapacity = 32;  // at most 31 characters
inline constexpr const char* kDeviceConfigFileName = "IPConfig.cfg";

class DeviceConfig {
 public:
  // A valid configuration with these values, as loading their encoded file
  // (encodeDeviceConfig) would give it; the same limits on the title.
  static DeviceConfig fromValues(std::string_view title, std::uint16_t value16,
                                 std::uint32_t value32, std::uint8_t value8);

  // Only meaningful after a successful load.
  bool valid() const { return valid_; }
  std::string title() const;
  std::uint16_t deviceValue16() const;
  std::uint32_t deviceValue32() const;
  std::uint8_t deviceValue8() const;
  // The payload sum as stored: a signed 32-bit value.
  std::int32_t storedSum() const;

 private:
  friend FileResult decodeDeviceConfig(std::span<const std::uint8_t>, DeviceConfig&);
  friend std::array<std::uint8_t, kDeviceConfigSize> encodeDeviceConfig(std::string_view,
                                                                        std::uint16_t,
                                                                        std::uint32_t,
                                                                        std::uint8_t);
  std::array<std::uint8_t, kDeviceConfigSize> plain_{};
  bool valid_ = false;
};

// Checks length and sum; fills config only on Ok.
FileResult decodeDeviceConfig(std::span<const std::uint8_t> fileBytes, DeviceConfig& config);

// Reads the file (by default "IPConfig.cfg" in the current directory).
// Throws FileError when reading fails after the file was opened.
FileResult loadDeviceConfig(DeviceConfig& config,
                            const std::filesystem::path& path = kDeviceConfigFileName);

// The 52 stored bytes of a configuration. The title must be at most 31 bytes
// (throws std::invalid_argument otherwise).
std::array<std::uint8_t, kDeviceConfigSize> encodeDeviceConfig(std::string_view title,
                                                               std::uint16_t value16,
                                                               std::uint32_t value32,
                                                               std::uint8_t value8);

}  // namespace sci

// Decodes arbitrary bytes as a device configuration; whatever is accepted
// must encode again to a file that decodes to the same values.

#include <cstddef>
#include <cstdint>
#include <span>

#include "data/DeviceConfig.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sci::DeviceConfig config;
  const sci::FileResult result = sci::decodeDeviceConfig(std::span(data, size), config);
  if (size != sci::kDeviceConfigSize) {
    FUZZ_CHECK(result == sci::FileResult::LengthError);
    FUZZ_CHECK(!config.valid());
    return 0;
  }
  if (result != sci::FileResult::Ok) {
    FUZZ_CHECK(result == sci::FileResult::ChecksumError);
    FUZZ_CHECK(!config.valid());
    return 0;
  }
  FUZZ_CHECK(config.valid());
  const std::string title = config.title();
  FUZZ_CHECK(title.size() <= sci::kDeviceConfigPayloadSize);
  FUZZ_CHECK(title.find('\0') == std::string::npos);
  if (title.size() >= sci::kDeviceTitleCapacity) return 0;

  const auto encoded = sci::encodeDeviceConfig(title, config.deviceValue16(),
                                               config.deviceValue32(), config.deviceValue8());
  sci::DeviceConfig again;
  FUZZ_CHECK(sci::decodeDeviceConfig(encoded, again) == sci::FileResult::Ok);
  FUZZ_CHECK(again.title() == title);
  FUZZ_CHECK(again.deviceValue16() == config.deviceValue16());
  FUZZ_CHECK(again.deviceValue32() == config.deviceValue32());
  FUZZ_CHECK(again.deviceValue8() == config.deviceValue8());
  return 0;
}

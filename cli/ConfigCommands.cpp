#include <fmt/format.h>

#include <charconv>
#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>

#include "cli/Commands.h"
#include "cli/JsonText.h"
#include "cli/LoadedDeviceConfig.h"
#include "cli/OutputFile.h"
#include "cli/TerminalText.h"
#include "data/ServerListFile.h"
#include "data/SingleByteText.h"

namespace sci {
namespace {

// Plain decimal digits only: no sign, no blanks, nothing after the number.
std::optional<std::uint64_t> decimalValue(const std::string& text, std::uint64_t max) {
  std::uint64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || value > max) return std::nullopt;
  return value;
}

}  // namespace

int runConfigShow(const std::string& path, bool json) {
  const LoadedDeviceConfig loaded = loadDeviceConfigFile(path);
  if (!loaded.failure.empty()) {
    reportFailure(path, loaded.failure);
    return kExitRefused;
  }
  const DeviceConfig& config = loaded.config;
  if (json) {
    nlohmann::ordered_json doc;
    // A file name need not be UTF-8; replace what is not rather than fail.
    doc["file"] = path;
    doc["title"] = bytesToUtf8(config.title());
    doc["deviceValue16"] = config.deviceValue16();
    doc["deviceValue32"] = config.deviceValue32();
    doc["deviceValue8"] = config.deviceValue8();
    doc["checksum"] = {{"stored", config.storedSum()}, {"holds", true}};
    fmt::print("{}\n", jsonText(doc));
    return kExitOk;
  }
  fmt::print(
      "file:           {}\n"
      "title:          {}\n"
      "deviceValue16:  {}\n"
      "deviceValue32:  {}\n"
      "deviceValue8:   {}\n"
      "checksum:       0x{:08X}, holds\n",
      printableName(path), printableText(config.title()), config.deviceValue16(),
      config.deviceValue32(), config.deviceValue8(), config.storedSum());
  return kExitOk;
}

int runConfigCreate(const ConfigCreateOptions& options) {
  bool refused = false;
  auto refuse = [&](const std::string& reason) {
    reportFailure(options.output, reason);
    refused = true;
  };
  const auto title = utf8ToBytes(options.title);
  if (!title) {
    refuse("--title: cannot be written as single-byte text");
  } else if (title->size() >= kDeviceTitleCapacity) {
    refuse(fmt::format("--title: longer than {} bytes", kDeviceTitleCapacity - 1));
  } else if (title->find('\0') != std::string::npos) {
    refuse("--title: must not contain a zero character");
  }
  auto value = [&](const char* name, const std::string& text, std::uint64_t max) {
    const auto parsed = decimalValue(text, max);
    if (!parsed)
      refuse(fmt::format("{}: must be an integer in 0..{}, not \"{}\"", name, max, text));
    return parsed.value_or(0);
  };
  const auto value16 =
      value("--value16", options.value16, std::numeric_limits<std::uint16_t>::max());
  const auto value32 =
      value("--value32", options.value32, std::numeric_limits<std::uint32_t>::max());
  const auto value8 = value("--value8", options.value8, std::numeric_limits<std::uint8_t>::max());
  if (refused) return kExitRefused;

  const auto bytes =
      encodeDeviceConfig(*title, static_cast<std::uint16_t>(value16),
                         static_cast<std::uint32_t>(value32), static_cast<std::uint8_t>(value8));
  const std::string failure = writeOutput(options.output, bytes, OutputContent::Binary);
  if (!failure.empty()) {
    reportFailure(options.output, failure);
    return kExitRefused;
  }
  reportWritten(options.output);
  return kExitOk;
}

}  // namespace sci

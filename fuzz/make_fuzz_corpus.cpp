// Writes the starting inputs for the three fuzz targets into
// <dir>/server_list, <dir>/device_config and <dir>/parse_key, made with the
// library's own encoders so they reach past the length and checksum checks.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>

#include "data/DeviceConfig.h"
#include "data/ServerListFile.h"

namespace fs = std::filesystem;

namespace {

void writeFile(const fs::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::exit(1);
  }
}

void writeText(const fs::path& path, std::string_view text) {
  writeFile(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

sci::DeviceConfig config() {
  sci::DeviceConfig c;
  sci::decodeDeviceConfig(sci::encodeDeviceConfig("Corpus", 0x0102, 0x03040506, 7), c);
  return c;
}

void serverLists(const fs::path& dir) {
  const auto fixed = [] { return 17u; };
  sci::ServerTable table = sci::initialTable();
  writeFile(dir / "fresh", sci::encodeServerList(table, config(), fixed));

  for (std::size_t i = 0; i < sci::kEntryCount; ++i) {
    auto& e = table.entries[i];
    sci::storeFields(e, "server" + std::to_string(i) + ".example.net", 1000 + i,
                     "00 11 22 33 44 55 66 77 88 99 AA BB CC DD", "user" + std::to_string(i),
                     "pw" + std::to_string(i));
  }
  table.preamble[26] = 0x42;
  table.preamble[27] = 0xFE;
  writeFile(dir / "filled", sci::encodeServerList(table, config(), fixed));

  const auto image = sci::encodeServerList(table, config(), fixed);
  writeFile(dir / "short", std::span(image).first(image.size() - 1));
}

void deviceConfigs(const fs::path& dir) {
  writeFile(dir / "unit_a", sci::encodeDeviceConfig("Unit A", 0x1234, 0xCAFEF00D, 0x99));
  writeFile(dir / "long_title",
            sci::encodeDeviceConfig(std::string(31, 'T'), 0xFFFF, 0xFFFFFFFF, 0xFF));

  std::array<std::uint8_t, sci::kDeviceConfigSize> allOnes{};
  allOnes.fill(0xFF);
  writeFile(dir / "all_ff", allOnes);

  // A payload without any zero byte: the title runs over the values.
  std::array<std::uint8_t, sci::kDeviceConfigSize> plain{};
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < sci::kDeviceConfigPayloadSize; ++i) {
    plain[i] = static_cast<std::uint8_t>('a' + i % 26);
    sum += plain[i];
  }
  for (int i = 0; i < 4; ++i) plain[48 + i] = static_cast<std::uint8_t>(sum >> (8 * i));
  for (auto& b : plain) b = static_cast<std::uint8_t>(~b);
  writeFile(dir / "no_zero", plain);
}

void keyTexts(const fs::path& dir) {
  const std::string_view texts[] = {
      "",
      "A B C",
      "123",
      "01 02 ZZ 04",
      "01 00 02 03",
      "00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE",
      "000102030405060708090A0B0C0D",
      "0x1F -2 +3",
      "\tff\nFF  fF",
  };
  int n = 0;
  for (const auto text : texts) writeText(dir / ("key" + std::to_string(n++)), text);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
    return 2;
  }
  const fs::path root(argv[1]);
  for (const char* sub : {"server_list", "device_config", "parse_key"}) {
    fs::create_directories(root / sub);
  }
  serverLists(root / "server_list");
  deviceConfigs(root / "device_config");
  keyTexts(root / "parse_key");
  return 0;
}

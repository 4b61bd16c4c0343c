// Writes the starting inputs for the fuzz targets into <dir>/<target>, made
// with the libraries' own encoders so they reach past the length and
// checksum checks. The import target starts from the JSON examples of the
// format's documentation and from exported lists.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/JsonText.h"
#include "cli/ServerListJson.h"
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
  return sci::DeviceConfig::fromValues("Corpus", 0x0102, 0x03040506, 7);
}

// The lists every list-reading target starts from.
std::vector<std::pair<std::string, sci::ServerTable>> tables() {
  std::vector<std::pair<std::string, sci::ServerTable>> result;
  sci::ServerTable table = sci::initialTable();
  result.emplace_back("fresh", table);

  for (std::size_t i = 0; i < sci::kEntryCount; ++i) {
    auto& e = table.entries[i];
    sci::storeFields(e, "server" + std::to_string(i) + ".example.net", 1000 + i,
                     "00 11 22 33 44 55 66 77 88 99 AA BB CC DD", "user" + std::to_string(i),
                     "pw" + std::to_string(i));
  }
  table.preamble[26] = 0x42;
  table.preamble[27] = 0xFE;
  result.emplace_back("filled", table);

  // Texts that hold controls, the undefined Windows-1252 bytes and no
  // terminator, as another program might write them.
  auto& odd = table.entries[3];
  odd.server.fill('\x1B');
  sci::storeFields(table.entries[4], "esc\x1B[2J\x7F\x81\x8D\x8F\x90\x9D", 7,
                   "01 23 45 67 89 AB CD EF 01 23 45 67 89 AB", "\xE9\x80", "\x07\x0A\x0D\x9B");
  result.emplace_back("controls", table);
  return result;
}

void serverLists(const fs::path& dir) {
  const auto fixed = [] { return 17u; };
  for (const auto& [name, table] : tables()) {
    writeFile(dir / name, sci::encodeServerList(table, config(), fixed));
  }
  const auto image = sci::encodeServerList(tables()[1].second, config(), fixed);
  writeFile(dir / "short", std::span(image).first(image.size() - 1));
}

// A list followed by the file name it is shown under.
void shownLists(const fs::path& dir) {
  const std::string names[] = {"list.bin", "n\x1B]0;x\a\x1B[2J.bin", "x\ny: OK",
                               "\xC2\x9B\x9B\xFF.bin"};
  int n = 0;
  for (const auto& [name, table] : tables()) {
    const auto image = sci::encodeServerList(table, config(), [] { return 17u; });
    std::string bytes(image.begin(), image.end());
    writeText(dir / (name + "_" + std::to_string(n)), bytes + names[n % std::size(names)]);
    ++n;
  }
}

// Every ```json block of the documentation, and each list exported.
void importTexts(const fs::path& dir, const fs::path& documentation) {
  std::ifstream in(documentation);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", documentation.c_str());
    std::exit(1);
  }
  std::string line;
  std::string block;
  bool inBlock = false;
  int n = 0;
  while (std::getline(in, line)) {
    if (!inBlock && line == "```json") {
      inBlock = true;
      block.clear();
    } else if (inBlock && line == "```") {
      inBlock = false;
      writeText(dir / ("documented" + std::to_string(n++) + ".json"), block);
    } else if (inBlock) {
      block += line + "\n";
    }
  }
  if (n == 0) {
    std::fprintf(stderr, "no JSON example in %s\n", documentation.c_str());
    std::exit(1);
  }
  for (const auto& [name, table] : tables()) {
    writeText(dir / ("exported_" + name + ".json"),
              sci::jsonText(sci::exportServerList(table)) + "\n");
  }
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
  for (int i = 0; i < 4; ++i)
    plain[sci::kDeviceConfigPayloadSize + i] = static_cast<std::uint8_t>(sum >> (8 * i));
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
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <corpus folder> <docs/json-format.md>\n", argv[0]);
    return 2;
  }
  const fs::path root(argv[1]);
  for (const char* sub : {"server_list", "device_config", "parse_key", "import", "show_output"}) {
    fs::create_directories(root / sub);
  }
  serverLists(root / "server_list");
  deviceConfigs(root / "device_config");
  keyTexts(root / "parse_key");
  importTexts(root / "import", argv[2]);
  shownLists(root / "show_output");
  return 0;
}

// Decodes arbitrary bytes as a server list file. Inputs of the file's size
// get a correct checksum first; every decoded table must survive being
// written and read again.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "data/ServerListFile.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzDeviceConfig.h"
#include "fuzz/PatchedChecksum.h"

namespace {

constexpr unsigned kFixedRandom = 300;  // 300 % 255 == 45
constexpr std::uint8_t kExpectedRandomByte = 45;

using sci::fuzz::fuzzConfig;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> file(data, data + size);
  if (file.size() == sci::kServerListSize) {
    sci::fuzz::patchChecksum(
        std::span<std::uint8_t, sci::kServerListSize>(file.data(), file.size()));
  }

  sci::ServerTable table = sci::initialTable();
  const sci::ServerTable before = table;
  const sci::FileResult result = sci::decodeServerList(file, table);
  if (size != sci::kServerListSize) {
    FUZZ_CHECK(result == sci::FileResult::LengthError);
    FUZZ_CHECK(table == before);
    return 0;
  }
  FUZZ_CHECK(result == sci::FileResult::Ok);

  const sci::ServerTable decoded = table;
  const sci::ServerListImage image =
      sci::encodeServerList(table, fuzzConfig(), [] { return kFixedRandom; });
  FUZZ_CHECK(table == decoded);

  sci::ServerTable again = sci::initialTable();
  FUZZ_CHECK(sci::decodeServerList(image, again) == sci::FileResult::Ok);
  FUZZ_CHECK(again.entries == decoded.entries);
  for (std::size_t i = 0; i < 21; ++i) FUZZ_CHECK(again.preamble[i] == 0);
  FUZZ_CHECK(again.preamble[21] == 0x13 && again.preamble[22] == 0x8F &&
             again.preamble[23] == 0x8E);
  FUZZ_CHECK(again.preamble[24] == kExpectedRandomByte &&
             again.preamble[25] == kExpectedRandomByte);
  FUZZ_CHECK(again.preamble[26] == decoded.preamble[26] &&
             again.preamble[27] == decoded.preamble[27]);

  // The scrambled table of the input is what the encoder must produce again,
  // apart from the preamble markers it stamps.
  FUZZ_CHECK(std::memcmp(image.data() + sci::kHeaderSize + sci::kPreambleSize,
                         file.data() + sci::kHeaderSize + sci::kPreambleSize,
                         sci::kTableSize - sci::kPreambleSize) == 0);
  return 0;
}

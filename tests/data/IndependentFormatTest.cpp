// Reads and builds server list files straight from the byte layout, with
// this file's own arithmetic, so a fault shared by the library's encoder and
// decoder cannot hide behind a round trip.

#include <gtest/gtest.h>

#include <cstring>

#include "data/ServerListFile.h"
#include "tests/data/TempDir.h"

namespace sci::test {
namespace {

std::uint32_t le(const Bytes& b, std::size_t at, int size) {
  std::uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i) v = v << 8 | b[at + i];
  return v;
}

struct PlainFile {
  std::uint32_t value32, bodyLength, checksum, zero, value8, value16;
  Bytes reserved, table, filler;
  std::uint32_t computedSum;
};

PlainFile decodeByHand(const Bytes& file) {
  PlainFile f{};
  f.value32 = le(file, 0, 4);
  f.bodyLength = le(file, 4, 4);
  f.checksum = le(file, 8, 4);
  f.zero = le(file, 12, 2);
  f.value8 = le(file, 14, 2);
  f.value16 = le(file, 16, 2);
  f.reserved.assign(file.begin() + 18, file.begin() + 28);
  std::uint32_t sum = 0;
  for (std::size_t i = 28; i < file.size(); ++i) sum += file[i];
  f.computedSum = ~sum;
  for (std::size_t i = 28; i < 28 + 1868; ++i) {
    f.table.push_back(static_cast<std::uint8_t>((file[i] - 1) ^ 0x80));
  }
  f.filler.assign(file.begin() + 28 + 1868, file.end());
  return f;
}

void putLe(Bytes& b, std::size_t at, std::uint32_t v, int size) {
  for (int i = 0; i < size; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

TEST(IndependentFormat, WrittenFileMatchesTheByteLayout) {
  TempDir dir;
  const DeviceConfig config = DeviceConfig::fromValues("Dev", 0x4321, 0x89ABCDEF, 0x3C);
  ServerTable table = initialTable();
  storeFields(table.entries[2], "10.1.2.3", 4433, "DE AD BE EF", "admin", "pw");
  table.preamble.fill(0x66);
  const auto path = dir / "layout.bin";
  unsigned next = 600;
  ASSERT_EQ(writeServerList(path, table, config, [&] { return next++; }), FileResult::Ok);

  const Bytes file = readBytes(path);
  ASSERT_EQ(file.size(), 4124u);
  const PlainFile f = decodeByHand(file);
  EXPECT_EQ(f.value32, 0x89ABCDEFu);
  EXPECT_EQ(f.bodyLength, 4096u);
  EXPECT_EQ(f.checksum, f.computedSum);
  EXPECT_EQ(f.zero, 0u);
  EXPECT_EQ(f.value8, 0x3Cu);
  EXPECT_EQ(f.value16, 0x4321u);
  EXPECT_EQ(f.reserved, Bytes(10, 0));
  EXPECT_EQ(f.filler, Bytes(2228, 0xFF));

  Bytes expectedPreamble(28, 0);
  expectedPreamble[21] = 0x13;
  expectedPreamble[22] = 0x8F;
  expectedPreamble[23] = 0x8E;
  expectedPreamble[24] = 600 % 255;
  expectedPreamble[25] = 601 % 255;
  expectedPreamble[26] = 0x66;
  expectedPreamble[27] = 0x66;
  EXPECT_EQ(Bytes(f.table.begin(), f.table.begin() + 28), expectedPreamble);

  const std::size_t slot = 28 + 2 * 92;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&f.table[slot])), "10.1.2.3");
  EXPECT_EQ(le(f.table, slot + 32, 4), 4433u);
  EXPECT_EQ(Bytes(f.table.begin() + slot + 36, f.table.begin() + slot + 40),
            (Bytes{0xDE, 0xAD, 0xBE, 0xEF}));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&f.table[slot + 52])), "admin");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&f.table[slot + 72])), "pw");

  const TableImage image = bytes(table);
  EXPECT_TRUE(std::equal(f.table.begin() + 28, f.table.end(), image.begin() + 28));
}

TEST(IndependentFormat, HandBuiltFileReadsIntoTheSameTable) {
  Bytes plain(1868, 0);
  for (std::size_t i = 0; i < 28; ++i) plain[i] = static_cast<std::uint8_t>(0xF0 + i % 16);
  for (std::size_t e = 0; e < 20; ++e) {
    const std::size_t at = 28 + 92 * e;
    const std::string server = "host" + std::to_string(e);
    std::memcpy(&plain[at], server.c_str(), server.size() + 1);
    putLe(plain, at + 32, 1000 + static_cast<std::uint32_t>(e), 4);
    for (std::size_t k = 0; k < 14; ++k) plain[at + 36 + k] = static_cast<std::uint8_t>(e * 16 + k);
    plain[at + 50] = 0x7F;  // the gap is carried too
    std::memcpy(&plain[at + 52], "user", 5);
    std::memcpy(&plain[at + 72], "secret", 7);
  }

  Bytes file(4124, 0);
  putLe(file, 0, 0x01020304, 4);
  putLe(file, 4, 12345, 4);  // not examined by the reader
  for (std::size_t i = 0; i < 1868; ++i) {
    file[28 + i] = static_cast<std::uint8_t>((plain[i] ^ 0x80) + 1);
  }
  for (std::size_t i = 28 + 1868; i < 4124; ++i) file[i] = 0xFF;
  std::uint32_t sum = 0;
  for (std::size_t i = 28; i < 4124; ++i) sum += file[i];
  putLe(file, 8, ~sum, 4);

  TempDir dir;
  const auto path = dir / "hand.bin";
  writeBytes(path, file);
  ServerTable table = initialTable();
  ASSERT_EQ(readServerList(path, table), FileResult::Ok);

  const TableImage image = bytes(table);
  EXPECT_TRUE(std::equal(plain.begin(), plain.end(), image.begin()));
  EXPECT_EQ(getText(table.entries[19].server), "host19");
  EXPECT_EQ(table.entries[19].port(), 1019u);
  EXPECT_EQ(formatKey(table.entries[1]), "10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D");
  EXPECT_EQ(getText(table.entries[5].userName), "user");
  EXPECT_EQ(getText(table.entries[5].password), "secret");
}

}  // namespace
}  // namespace sci::test

#include "data/ServerListFile.h"

#include <gtest/gtest.h>

#include <iostream>
#include <vector>

#include "tests/SystemForTests.h"
#include "tests/data/TempDir.h"
#include "tests/data/TurkishLocale.h"

namespace sci::test {
namespace {

namespace fs = std::filesystem;

DeviceConfig makeConfig(std::uint16_t v16, std::uint32_t v32, std::uint8_t v8) {
  return DeviceConfig::fromValues("Test", v16, v32, v8);
}

// A table whose bytes cover every value, preamble included.
ServerTable varied() {
  ServerTable table = initialTable();
  TableImage image = bytes(table);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7 + 3);
  assign(table, image);
  return table;
}

RandomSource fixed(unsigned first, unsigned second) {
  auto calls = std::make_shared<int>(0);
  return [=] { return (*calls)++ == 0 ? first : second; };
}

class ServerListFile : public testing::Test {
 protected:
  TempDir dir;
  const DeviceConfig config = makeConfig(0xA1B2, 0xC3D4E5F6, 0x97);
};

TEST_F(ServerListFile, FreshTableRoundTripsByteForByte) {
  const ServerTable table = initialTable();
  const auto path = dir / "fresh.bin";
  ASSERT_EQ(writeServerList(path, table, config, fixed(3, 300)), FileResult::Ok);
  EXPECT_EQ(readBytes(path).size(), kServerListSize);

  ServerTable read = varied();
  ASSERT_EQ(readServerList(path, read), FileResult::Ok);
  EXPECT_EQ(read.entries, table.entries);
  for (std::size_t i = 0; i <= 20; ++i) EXPECT_EQ(read.preamble[i], 0) << i;
  EXPECT_EQ(read.preamble[21], 0x13);
  EXPECT_EQ(read.preamble[22], 0x8F);
  EXPECT_EQ(read.preamble[23], 0x8E);
  EXPECT_EQ(read.preamble[24], 3);
  EXPECT_EQ(read.preamble[25], 300 % 255);
  EXPECT_EQ(read.preamble[26], 0);
  EXPECT_EQ(read.preamble[27], 0);
}

TEST_F(ServerListFile, WriterKeepsTheTableAndItsLastTwoPreambleBytes) {
  const ServerTable table = varied();
  const ServerTable before = table;
  const auto image = encodeServerList(table, config, fixed(1, 2));
  EXPECT_EQ(table, before);

  ServerTable read = initialTable();
  ASSERT_EQ(decodeServerList(image, read), FileResult::Ok);
  EXPECT_EQ(read.entries, table.entries);
  EXPECT_EQ(read.preamble[26], table.preamble[26]);
  EXPECT_EQ(read.preamble[27], table.preamble[27]);
}

TEST_F(ServerListFile, RandomPreambleBytesAreTakenModulo255) {
  const std::pair<unsigned, unsigned> cases[] = {{0, 254}, {255, 256}, {509, 510}, {~0u, 1000}};
  for (const auto& [first, second] : cases) {
    ServerTable read = initialTable();
    ASSERT_EQ(
        decodeServerList(encodeServerList(initialTable(), config, fixed(first, second)), read),
        FileResult::Ok);
    EXPECT_EQ(read.preamble[24], first % 255);
    EXPECT_EQ(read.preamble[25], second % 255);
  }
}

TEST_F(ServerListFile, FillerAndScrambledBytes) {
  ServerTable table = initialTable();
  table.entries[0].server.fill(0);
  table.entries[0].server[0] = 0x7F;
  const auto image = encodeServerList(table, config, fixed(0, 0));
  for (std::size_t i = kHeaderSize + kTableSize; i < kServerListSize; ++i) {
    ASSERT_EQ(image[i], 0xFF) << i;
  }
  const std::size_t server = kHeaderSize + kPreambleSize;
  EXPECT_EQ(image[server], 0x00);       // 0x7F
  EXPECT_EQ(image[server + 1], 0x81);   // 0x00
  EXPECT_EQ(image[kHeaderSize], 0x81);  // preamble byte 0 is always zero
}

TEST_F(ServerListFile, HeaderCarriesTheDeviceValues) {
  const auto image = encodeServerList(initialTable(), config, fixed(0, 0));
  const Bytes header(image.begin(), image.begin() + kHeaderSize);
  const Bytes expectedStart = {0xF6, 0xE5, 0xD4, 0xC3, 0x00, 0x10, 0x00, 0x00};
  EXPECT_EQ(Bytes(header.begin(), header.begin() + 8), expectedStart);
  const Bytes expectedEnd = {0x00, 0x00, 0x97, 0x00, 0xB2, 0xA1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(Bytes(header.begin() + 12, header.end()), expectedEnd);
}

TEST_F(ServerListFile, WrongLengthIsRefusedAndTheTableKept) {
  const auto image = encodeServerList(initialTable(), config);
  for (const std::size_t size : {0u, 1u, 4123u, 4125u, 8248u}) {
    Bytes file(image.begin(), image.end());
    file.resize(size, 0xFF);
    const auto path = dir / ("len" + std::to_string(size));
    writeBytes(path, file);
    ServerTable table = varied();
    EXPECT_EQ(readServerList(path, table), FileResult::LengthError) << size;
    EXPECT_EQ(table, varied());
  }
}

TEST_F(ServerListFile, AnyFlippedBodyByteIsAChecksumError) {
  const auto image = encodeServerList(initialTable(), config);
  const std::size_t offsets[] = {kHeaderSize, kHeaderSize + 21, kHeaderSize + kTableSize - 1,
                                 kHeaderSize + kTableSize,  // first filler byte
                                 kServerListSize - 1};
  for (const auto offset : offsets) {
    ServerListImage file = image;
    file[offset] ^= 0x01;
    const auto path = dir / "flipped.bin";
    writeBytes(path, file);
    ServerTable table = varied();
    EXPECT_EQ(readServerList(path, table), FileResult::ChecksumError) << offset;
    EXPECT_EQ(table, varied());
  }
}

TEST_F(ServerListFile, HeaderBytesOutsideTheChecksumAreNotExamined) {
  const ServerTable written = varied();
  const auto image = encodeServerList(written, config);
  for (std::size_t offset = 0; offset < kHeaderSize; ++offset) {
    ServerListImage file = image;
    file[offset] ^= 0xA5;
    ServerTable table = initialTable();
    const FileResult expected =
        offset >= 8 && offset < 12 ? FileResult::ChecksumError : FileResult::Ok;
    EXPECT_EQ(decodeServerList(file, table), expected) << offset;
    if (expected == FileResult::Ok) {
      EXPECT_EQ(table.entries, written.entries);
    }
  }
}

TEST_F(ServerListFile, MissingFileOrFolderCannotBeOpened) {
  ServerTable table = varied();
  EXPECT_EQ(readServerList(dir / "absent.bin", table), FileResult::OpenFailed);
  EXPECT_EQ(readServerList(dir.path(), table), FileResult::OpenFailed);
  EXPECT_EQ(table, varied());
}

// Pipes and devices have no length to check. A pipe nobody writes to must
// not make Open wait: the watchdog fails the test instead of letting it hang.
TEST_F(ServerListFile, PipesAndDevicesAreLengthErrors) {
  std::vector<std::filesystem::path> paths{test::nullDevice(), test::otherDevice()};
  const auto pipe = dir / "pipe.bin";
  const auto noPipe = test::makeFifo(pipe);
  if (!noPipe) paths.push_back(pipe);
  test::armWatchdog(30);
  for (const std::filesystem::path& path : paths) {
    ServerTable table = varied();
    EXPECT_EQ(readServerList(path, table), FileResult::LengthError) << path;
    EXPECT_EQ(table, varied());
    DeviceConfig loaded;
    EXPECT_EQ(loadDeviceConfig(loaded, path), FileResult::LengthError) << path;
    EXPECT_FALSE(loaded.valid());
  }
  test::disarmWatchdog();
  if (noPipe) GTEST_SKIP() << "devices checked; pipes not: " << *noPipe;
}

TEST_F(ServerListFile, SavingOverAnExistingFileReplacesItWhole) {
  const auto path = dir / "list.bin";
  writeBytes(path, Bytes(9000, 0x55));
  ASSERT_EQ(writeServerList(path, varied(), config, fixed(4, 5)), FileResult::Ok);
  const Bytes file = readBytes(path);
  const auto expected = encodeServerList(varied(), config, fixed(4, 5));
  EXPECT_EQ(file, Bytes(expected.begin(), expected.end()));
}

TEST_F(ServerListFile, OpeningReplacesThePreambleToo) {
  const auto path = dir / "list.bin";
  ServerTable source = varied();
  ASSERT_EQ(writeServerList(path, source, config, fixed(9, 10)), FileResult::Ok);
  ServerTable table = initialTable();
  ASSERT_EQ(readServerList(path, table), FileResult::Ok);
  const auto image = bytes(table);
  EXPECT_EQ(image[24], 9);
  EXPECT_EQ(image[25], 10);
  EXPECT_EQ(image[26], source.preamble[26]);
}

struct PathCase {
  const char8_t* chosen;
  const char8_t* saved;
};

void PrintTo(const PathCase& c, std::ostream* os) {
  *os << reinterpret_cast<const char*>(c.chosen);
}

// In UTF-8, which both systems can name files in: each becomes the path's
// own characters (UTF-16 on Windows, bytes on POSIX) before the look. A
// dotted capital I, which a Turkish locale lowers to a plain 'i', is not an
// ASCII letter, so ".BİN" is no extension; nor do other letters fold.
const PathCase kPathCases[] = {
    {u8"servers", u8"servers.bin"},
    {u8"Servers.BIN", u8"Servers.BIN"},
    {u8"LIST.BIN", u8"LIST.BIN"},
    {u8"a.bin.txt", u8"a.bin.txt"},
    {u8"x.bin/list", u8"x.bin/list"},
    {u8"/home/u/list.bi", u8"/home/u/list.bi.bin"},
    {u8"", u8".bin"},
    {u8"list.B\u0130N", u8"list.B\u0130N.bin"},
    {u8"\u00C4rger/Liste", u8"\u00C4rger/Liste.bin"},
    {u8"\u0130.BIN/\u00C4", u8"\u0130.BIN/\u00C4"},
    {u8"\u00C4.bIn", u8"\u00C4.bIn"},
};

// Where names are bytes, Latin-5's 0xDD is that dotted capital I, and a
// Turkish ISO-8859-9 locale lowers it to 'i'.
constexpr char kLatin5Name[] = "list.B\xDDN";

// Compared as the system spells them: nothing but the extension changes.
void expectSavedAs(const fs::path& chosen, const fs::path& saved, const std::string& context) {
  EXPECT_EQ(serverListPath(chosen).native(), saved.native()) << context;
}

void expectEveryCase(const std::string& context) {
  for (const auto& c : kPathCases) {
    expectSavedAs(c.chosen, c.saved, context + reinterpret_cast<const char*>(c.chosen));
  }
  if (!fileNamesAreNotBytes()) {
    expectSavedAs(kLatin5Name, std::string(kLatin5Name) + ".bin", context + "Latin-5");
  }
}

class ServerListPath : public testing::TestWithParam<PathCase> {};

TEST_P(ServerListPath, AppendsTheExtensionOnlyWhenMissing) {
  expectSavedAs(GetParam().chosen, GetParam().saved, "");
}

INSTANTIATE_TEST_SUITE_P(Cases, ServerListPath, testing::ValuesIn(kPathCases));

TEST(ServerListPathBytes, NonAsciiByteIsNoLetter) {
  if (const auto whyNot = fileNamesAreNotBytes()) GTEST_SKIP() << *whyNot;
  expectSavedAs(kLatin5Name, std::string(kLatin5Name) + ".bin", "");
}

// The editor runs under the user's locale; the name it saves to must not.
TEST(ServerListPathLocale, TurkishLocaleChangesNoName) {
  std::string skipped;
  for (const char* charset : {"UTF-8", "ISO-8859-9"}) {
    const test::TurkishLocale turkish(charset);
    if (!turkish.unavailable().empty()) {
      skipped += (skipped.empty() ? "" : "; ") + turkish.unavailable();
      continue;
    }
    expectEveryCase(std::string(charset) + ": ");
  }
  if (skipped.find("ISO") != std::string::npos && skipped.find("UTF") != std::string::npos) {
    GTEST_SKIP() << skipped;
  }
  if (!skipped.empty()) std::cout << "[   NOTE   ] " << skipped << "\n";
}

}  // namespace
}  // namespace sci::test

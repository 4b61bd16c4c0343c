#include "data/DeviceConfig.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/data/TempDir.h"

namespace sci {
namespace {

using test::Bytes;
using test::TempDir;
using test::writeBytes;

// The stored form of a payload, built here from the layout: the byte sum as
// a little-endian 32-bit value after the payload, everything complemented.
Bytes storedFile(const Bytes& payload) {
  Bytes plain = payload;
  plain.resize(kDeviceConfigPayloadSize, 0);
  std::uint32_t sum = 0;
  for (const auto b : plain) sum += b;
  for (int i = 0; i < 4; ++i) plain.push_back(static_cast<std::uint8_t>(sum >> (8 * i)));
  for (auto& b : plain) b = static_cast<std::uint8_t>(~b);
  return plain;
}

Bytes unitA() { return {'U', 'n', 'i', 't', ' ', 'A'}; }

class DeviceConfigFile : public testing::Test {
 protected:
  FileResult load(const Bytes& stored) {
    const auto path = dir / kDeviceConfigFileName;
    writeBytes(path, stored);
    return loadDeviceConfig(config, path);
  }

  TempDir dir;
  DeviceConfig config;
};

TEST_F(DeviceConfigFile, UnitAExampleIsAccepted) {
  const Bytes stored = storedFile(unitA());
  ASSERT_EQ(stored.size(), kDeviceConfigSize);
  const Bytes sum = {static_cast<std::uint8_t>(~stored[48]), static_cast<std::uint8_t>(~stored[49]),
                     static_cast<std::uint8_t>(~stored[50]),
                     static_cast<std::uint8_t>(~stored[51])};
  EXPECT_EQ(sum, (Bytes{0x01, 0x02, 0x00, 0x00}));  // 513

  ASSERT_EQ(load(stored), FileResult::Ok);
  EXPECT_TRUE(config.valid());
  EXPECT_EQ(config.title(), "Unit A");
  EXPECT_EQ(config.deviceValue16(), 0);
  EXPECT_EQ(config.deviceValue32(), 0u);
  EXPECT_EQ(config.deviceValue8(), 0);
}

TEST_F(DeviceConfigFile, AnyChangedPayloadByteIsRefused) {
  const Bytes good = storedFile(unitA());
  for (std::size_t i = 0; i < kDeviceConfigPayloadSize; ++i) {
    Bytes stored = good;
    stored[i] ^= 0x10;
    DeviceConfig fresh;
    EXPECT_EQ(decodeDeviceConfig(stored, fresh), FileResult::ChecksumError) << i;
    EXPECT_FALSE(fresh.valid());
  }
}

TEST_F(DeviceConfigFile, WrongLengthIsRefused) {
  for (const std::size_t size : {0u, 51u, 53u, 104u}) {
    Bytes stored = storedFile(unitA());
    stored.resize(size, 0xFF);
    EXPECT_EQ(load(stored), FileResult::LengthError) << size;
    EXPECT_FALSE(config.valid());
  }
}

TEST_F(DeviceConfigFile, MissingFileOrAFolderCannotBeOpened) {
  EXPECT_EQ(loadDeviceConfig(config, dir / "absent.cfg"), FileResult::OpenFailed);
  EXPECT_EQ(loadDeviceConfig(config, dir.path()), FileResult::OpenFailed);
  EXPECT_FALSE(config.valid());
}

TEST_F(DeviceConfigFile, AllOnesComplementsToAnEmptyValidConfig) {
  ASSERT_EQ(load(Bytes(kDeviceConfigSize, 0xFF)), FileResult::Ok);
  EXPECT_EQ(config.title(), "");
  EXPECT_EQ(config.deviceValue16(), 0);
  EXPECT_EQ(config.deviceValue32(), 0u);
  EXPECT_EQ(config.deviceValue8(), 0);
}

TEST_F(DeviceConfigFile, TitleWithoutZeroByteEndsAtThePayloadEnd) {
  Bytes payload(kDeviceConfigPayloadSize);
  for (std::size_t i = 0; i < payload.size(); ++i)
    payload[i] = static_cast<std::uint8_t>('A' + i % 26);
  ASSERT_EQ(load(storedFile(payload)), FileResult::Ok);
  EXPECT_EQ(config.title(), std::string(payload.begin(), payload.end()));
}

TEST_F(DeviceConfigFile, DeviceValuesAreReadLittleEndian) {
  Bytes payload = unitA();
  payload.resize(kDeviceConfigPayloadSize, 0);
  payload[32] = 0x34, payload[33] = 0x12;
  payload[36] = 0x78, payload[37] = 0x56, payload[38] = 0x34, payload[39] = 0xF2;
  payload[40] = 0xAB;
  payload[41] = 0xEE;  // unused bytes still count in the sum
  ASSERT_EQ(load(storedFile(payload)), FileResult::Ok);
  EXPECT_EQ(config.deviceValue16(), 0x1234);
  EXPECT_EQ(config.deviceValue32(), 0xF2345678u);
  EXPECT_EQ(config.deviceValue8(), 0xAB);
}

TEST_F(DeviceConfigFile, DefaultNameIsLookedUpInTheCurrentFolder) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  writeBytes(dir / kDeviceConfigFileName, storedFile(unitA()));
  const FileResult result = loadDeviceConfig(config);
  std::filesystem::current_path(previous);
  EXPECT_EQ(result, FileResult::Ok);
  EXPECT_EQ(config.title(), "Unit A");
}

TEST(EncodeDeviceConfig, BuildsTheStoredBytes) {
  const auto encoded = encodeDeviceConfig("Unit A", 0, 0, 0);
  EXPECT_EQ(Bytes(encoded.begin(), encoded.end()), storedFile(unitA()));

  DeviceConfig config;
  ASSERT_EQ(decodeDeviceConfig(encodeDeviceConfig(std::string(31, 'z'), 0xFFFF, 0x80000001, 0x80),
                               config),
            FileResult::Ok);
  EXPECT_EQ(config.title(), std::string(31, 'z'));
  EXPECT_EQ(config.deviceValue16(), 0xFFFF);
  EXPECT_EQ(config.deviceValue32(), 0x80000001u);
  EXPECT_EQ(config.deviceValue8(), 0x80);
}

TEST(EncodeDeviceConfig, RefusesTitlesThatWouldNotReadBack) {
  EXPECT_THROW(encodeDeviceConfig(std::string(32, 'z'), 0, 0, 0), std::invalid_argument);
  EXPECT_THROW(encodeDeviceConfig(std::string("a\0b", 3), 0, 0, 0), std::invalid_argument);
  EXPECT_THROW(DeviceConfig::fromValues(std::string(32, 'z'), 0, 0, 0), std::invalid_argument);
}

// A configuration made from its values is the one its file loads as.
TEST(DeviceConfigFromValues, EqualsTheDecodedFile) {
  const std::string title(31, 'z');
  const DeviceConfig made = DeviceConfig::fromValues(title, 0xFFFF, 0x80000001, 0x80);
  DeviceConfig loaded;
  ASSERT_EQ(decodeDeviceConfig(encodeDeviceConfig(title, 0xFFFF, 0x80000001, 0x80), loaded),
            FileResult::Ok);
  EXPECT_TRUE(made.valid());
  EXPECT_EQ(made.title(), loaded.title());
  EXPECT_EQ(made.deviceValue16(), loaded.deviceValue16());
  EXPECT_EQ(made.deviceValue32(), loaded.deviceValue32());
  EXPECT_EQ(made.deviceValue8(), loaded.deviceValue8());
  EXPECT_EQ(made.storedSum(), loaded.storedSum());
}

}  // namespace
}  // namespace sci

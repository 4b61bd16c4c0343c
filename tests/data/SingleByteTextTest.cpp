#include "data/SingleByteText.h"

#include <gtest/gtest.h>

namespace sci {
namespace {

TEST(SingleByteText, EveryByteSurvivesTheRoundTrip) {
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    const auto back = utf8ToBytes(bytesToUtf8(one));
    ASSERT_TRUE(back.has_value()) << b;
    EXPECT_EQ(*back, one) << b;
  }
}

struct CharCase {
  std::uint8_t byte;
  char32_t unicode;
};

class Windows1252 : public testing::TestWithParam<CharCase> {};

TEST_P(Windows1252, MapsBothWays) {
  EXPECT_EQ(byteToUnicode(GetParam().byte), GetParam().unicode);
  EXPECT_EQ(unicodeToByte(GetParam().unicode), GetParam().byte);
}

INSTANTIATE_TEST_SUITE_P(Table, Windows1252,
                         testing::Values(CharCase{0x41, U'A'}, CharCase{0x80, U'\u20AC'},
                                         CharCase{0x81, U'\u0081'}, CharCase{0x8A, U'\u0160'},
                                         CharCase{0x9F, U'\u0178'}, CharCase{0xA0, U'\u00A0'},
                                         CharCase{0xE9, U'\u00E9'}, CharCase{0xFF, U'\u00FF'}));

TEST(SingleByteText, ConvertsMixedText) {
  EXPECT_EQ(bytesToUtf8("Caf\xE9 \x80"), "Caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(utf8ToBytes("Caf\xC3\xA9 \xE2\x82\xAC"), std::string("Caf\xE9 \x80"));
}

class RefusedUtf8 : public testing::TestWithParam<std::string> {};

TEST_P(RefusedUtf8, GivesNothing) { EXPECT_FALSE(utf8ToBytes(GetParam()).has_value()); }

INSTANTIATE_TEST_SUITE_P(Cases, RefusedUtf8,
                         testing::Values(std::string("\xC3"),              // cut short
                                         std::string("\xC0\xAF"),          // overlong
                                         std::string("\xED\xA0\x80"),      // surrogate
                                         std::string("\xF4\x90\x80\x80"),  // past U+10FFFF
                                         std::string("\x80"),              // lone continuation
                                         std::string("\xC4\x80"),          // U+0100, no byte
                                         std::string("\xF0\x9F\x98\x80")   // emoji, no byte
                                         ));

}  // namespace
}  // namespace sci

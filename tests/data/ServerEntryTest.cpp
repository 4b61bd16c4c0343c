#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "data/ServerEntry.h"

namespace sci {
namespace {

std::string hexText(std::span<const std::uint8_t> bytes) {
  std::string text;
  char buffer[4];
  for (const auto b : bytes) {
    std::snprintf(buffer, sizeof buffer, text.empty() ? "%02X" : " %02X", b);
    text += buffer;
  }
  return text;
}

TEST(FreshTable, EveryEntryIsTheDefaultSlot) {
  const ServerTable table = initialTable();
  const auto& pattern = defaultPattern();
  for (const auto b : pattern) EXPECT_NE(b, 0);

  for (const auto b : table.preamble) EXPECT_EQ(b, 0);
  for (const auto& entry : table.entries) {
    const std::string key = formatKey(entry);
    EXPECT_EQ(key.size(), kKeyTextLength);
    EXPECT_EQ(key, hexText(std::span(pattern).first(kKeySize)));
    EXPECT_EQ(entry.port(), 0u);
    EXPECT_EQ(getText(entry.server), "");
    EXPECT_EQ(getText(entry.password), "");
    EXPECT_EQ(getText(entry.userName), std::string(pattern.begin() + kKeySize + 2, pattern.end()));
    EXPECT_EQ(entry.gap[0], pattern[14]);
    EXPECT_EQ(entry.gap[1], pattern[15]);
    EXPECT_FALSE(isComplete(entry));
  }
}

TEST(FreshTable, ResetEntryRestoresTheDefaultSlot) {
  ServerEntry entry = DefaultEntry();
  storeFields(entry, "host", 80, "01 02", "me", "secret");
  entry.gap = {9, 9};
  resetEntry(entry);
  EXPECT_EQ(entry, DefaultEntry());
}

TEST(TableImage, FieldsLandAtTheirByteOffsets) {
  ServerTable table = initialTable();
  const std::size_t slot = 7;
  const std::size_t base = kPreambleSize + slot * kEntrySize;
  table.preamble[27] = 0x5A;
  table.entries[slot].setPort(0x11223344);
  setServerText(table.entries[slot], "srv");
  table.entries[slot].key[13] = 0xEE;
  setText(table.entries[slot].userName, kUserNameCapacity, "u");
  setText(table.entries[slot].password, kPasswordCapacity, "p");

  const TableImage image = bytes(table);
  EXPECT_EQ(image[27], 0x5A);
  EXPECT_EQ(image[base + 0], 's');
  EXPECT_EQ(image[base + 3], 0);
  EXPECT_EQ(image[base + 32], 0x44);
  EXPECT_EQ(image[base + 35], 0x11);
  EXPECT_EQ(image[base + 36 + 13], 0xEE);
  EXPECT_EQ(image[base + 52], 'u');
  EXPECT_EQ(image[base + 72], 'p');

  ServerTable copy = initialTable();
  assign(copy, image);
  EXPECT_EQ(copy, table);
}

struct KeyCase {
  const char* text;
  Key expected;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class ParseKey : public testing::TestWithParam<KeyCase> {};

TEST_P(ParseKey, GivesTheScannedBytes) {
  EXPECT_EQ(parseKey(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseKey,
    testing::Values(KeyCase{"", Key{}}, KeyCase{"A B C", Key{0x0A, 0x0B, 0x0C}},
                    KeyCase{"123", Key{0x12, 0x03}}, KeyCase{"0102", Key{0x01, 0x02}},
                    KeyCase{"01 02 ZZ 04", Key{0x01, 0x02}},
                    KeyCase{"01 00 02 03", Key{0x01, 0x00, 0x02, 0x03}},
                    KeyCase{"ff aB", Key{0xFF, 0xAB}}, KeyCase{"  7\t8", Key{0x07, 0x08}},
                    KeyCase{"\n01\v02\f03\r04", Key{0x01, 0x02, 0x03, 0x04}},
                    // A sign is one of the two characters, and a negative
                    // value keeps the low byte of its unsigned form.
                    KeyCase{"-1 02", Key{0xFF, 0x02}}, KeyCase{" -F 03", Key{0xF1, 0x03}},
                    KeyCase{"+F", Key{0x0F}}, KeyCase{"+12", Key{0x01, 0x02}},
                    KeyCase{"- 1", Key{}}, KeyCase{"1x 02", Key{0x01}},
                    KeyCase{"00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF",
                            Key{0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA,
                                0xBB, 0xCC, 0xDD}},
                    KeyCase{"000102030405060708090A0B0C0D0E",
                            Key{0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A,
                                0x0B, 0x0C, 0x0D}}));

TEST(FormatKey, ParsesBackToTheSameKey) {
  ServerEntry entry = DefaultEntry();
  entry.key =
      Key{0x00, 0x0F, 0x10, 0xA0, 0xFF, 0x7E, 0x81, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07};
  const std::string text = formatKey(entry);
  EXPECT_EQ(text, "00 0F 10 A0 FF 7E 81 01 02 03 04 05 06 07");
  EXPECT_EQ(parseKey(text), entry.key);
}

TEST(TextFields, ShorterTextKeepsTheOldTailBehindItsZero) {
  ServerEntry entry = DefaultEntry();
  setText(entry.userName, kUserNameCapacity, "abcdef");
  setText(entry.userName, kUserNameCapacity, "a");
  EXPECT_EQ(getText(entry.userName), "a");
  EXPECT_EQ(entry.userName[1], '\0');
  EXPECT_EQ(entry.userName[2], 'c');
}

struct TruncationCase {
  std::size_t capacity;
  std::size_t length;
  std::size_t kept;
};

class TextTruncation : public testing::TestWithParam<TruncationCase> {};

TEST_P(TextTruncation, KeepsCapacityLessOneCharacters) {
  const auto [capacity, length, kept] = GetParam();
  ServerEntry entry = DefaultEntry();
  const std::string text(length, 'x');
  if (capacity == kServerCapacity) {
    setServerText(entry, text);
    EXPECT_EQ(getText(entry.server), text.substr(0, kept));
  } else {
    setText(entry.password, capacity, text);
    EXPECT_EQ(getText(entry.password), text.substr(0, kept));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, TextTruncation,
                         testing::Values(TruncationCase{32, 40, 31}, TruncationCase{32, 31, 31},
                                         TruncationCase{32, 0, 0}, TruncationCase{20, 19, 19},
                                         TruncationCase{20, 20, 19}, TruncationCase{20, 25, 19}));

TEST(TextFields, ServerAlwaysEndsWithAZeroByte) {
  ServerEntry entry = DefaultEntry();
  entry.server.fill('x');
  setServerText(entry, "ab");
  EXPECT_EQ(entry.server[31], '\0');
  EXPECT_EQ(entry.server[3], 'x');  // the old tail is not cleared
  EXPECT_EQ(getText(entry.server), "ab");
}

TEST(TextFields, FieldWithoutAZeroByteYieldsAllItsBytes) {
  ServerEntry entry = DefaultEntry();
  entry.server.fill('s');
  entry.userName.fill('u');
  entry.password.fill('p');  // the password is the last field of the slot
  EXPECT_EQ(getText(entry.server), std::string(32, 's'));
  EXPECT_EQ(getText(entry.userName), std::string(20, 'u'));
  EXPECT_EQ(getText(entry.password), std::string(20, 'p'));
}

struct CompletenessCase {
  const char* name;
  void (*change)(ServerEntry&);
  bool complete;
};

void PrintTo(const CompletenessCase& c, std::ostream* os) { *os << c.name; }

class IsComplete : public testing::TestWithParam<CompletenessCase> {};

TEST_P(IsComplete, NeedsEveryFieldStarted) {
  ServerEntry entry = DefaultEntry();
  storeFields(entry, "host", 21, "11 22 33", "user", "pass");
  GetParam().change(entry);
  EXPECT_EQ(isComplete(entry), GetParam().complete) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IsComplete,
    testing::Values(
        CompletenessCase{"all filled", [](ServerEntry&) {}, true},
        CompletenessCase{"port 0", [](ServerEntry& e) { e.setPort(0); }, false},
        CompletenessCase{"port only high byte", [](ServerEntry& e) { e.setPort(0x01000000); },
                         true},
        CompletenessCase{"key starts with zero",
                         [](ServerEntry& e) {
                           e.key.fill(0xFF);
                           e.key[0] = 0;
                         },
                         false},
        CompletenessCase{"empty server", [](ServerEntry& e) { setServerText(e, ""); }, false},
        CompletenessCase{"empty user",
                         [](ServerEntry& e) { setText(e.userName, kUserNameCapacity, ""); }, false},
        CompletenessCase{"empty password",
                         [](ServerEntry& e) { setText(e.password, kPasswordCapacity, ""); }, false},
        CompletenessCase{"default slot", [](ServerEntry& e) { e = DefaultEntry(); }, false}));

}  // namespace
}  // namespace sci

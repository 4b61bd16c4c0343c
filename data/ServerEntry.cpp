#include "data/ServerEntry.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "data/ByteOrder.h"

namespace sci {

std::uint32_t ServerEntry::port() const { return readLe32(portBytes, 0); }

void ServerEntry::setPort(std::uint32_t value) { writeLe(portBytes, 0, value, portBytes.size()); }

const std::array<std::uint8_t, kDefaultPatternSize>& defaultPattern() {
  // Upper-case letters stepping by five through the alphabet: every byte is
  // non-zero and printable, so the hidden user name of an empty slot is text.
  static const auto pattern = [] {
    std::array<std::uint8_t, kDefaultPatternSize> p{};
    for (std::size_t i = 0; i < p.size(); ++i) {
      p[i] = static_cast<std::uint8_t>('A' + (i * 5) % 26);
    }
    return p;
  }();
  return pattern;
}

const ServerEntry& DefaultEntry() {
  static const ServerEntry entry = [] {
    std::array<std::uint8_t, kEntrySize> raw{};
    std::ranges::copy(defaultPattern(), raw.begin() + kDefaultPatternOffset);
    ServerEntry e;
    std::memcpy(&e, raw.data(), raw.size());
    return e;
  }();
  return entry;
}

ServerTable initialTable() {
  ServerTable table;
  table.preamble.fill(0);
  table.entries.fill(DefaultEntry());
  return table;
}

void resetEntry(ServerEntry& entry) { entry = DefaultEntry(); }

std::string formatKey(const ServerEntry& entry) {
  std::string text;
  text.reserve(kKeyTextLength);
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (std::size_t i = 0; i < entry.key.size(); ++i) {
    if (i != 0) text += ' ';
    text += kDigits[entry.key[i] >> 4];
    text += kDigits[entry.key[i] & 0x0F];
  }
  return text;
}

Key parseKey(std::string_view text) {
  // The C library's scan is the reference behaviour (optional blanks, a sign
  // or "0x" prefix, two characters at most per value), so use it directly.
  const std::string terminated(text);
  unsigned v[kKeySize] = {};
  const int converted = std::sscanf(
      terminated.c_str(), "%2X %2X %2X %2X %2X %2X %2X %2X %2X %2X %2X %2X %2X %2X", &v[0], &v[1],
      &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10], &v[11], &v[12], &v[13]);
  Key key{};
  for (int i = 0; i < converted; ++i) key[i] = static_cast<std::uint8_t>(v[i]);
  return key;
}

void setText(std::span<char> field, std::size_t capacity, std::string_view text) {
  capacity = std::min(capacity, field.size());
  if (capacity == 0) return;
  const std::size_t n = std::min(text.size(), capacity - 1);
  std::copy_n(text.begin(), n, field.begin());
  field[n] = '\0';
}

std::string getText(std::span<const char> field) {
  const auto end = std::ranges::find(field, '\0');
  return std::string(field.begin(), end);
}

void setServerText(ServerEntry& entry, std::string_view text) {
  setText(entry.server, kServerCapacity, text);
  entry.server.back() = '\0';
}

void storeFields(ServerEntry& entry, std::string_view server, std::uint32_t port,
                 std::string_view keyText, std::string_view userName, std::string_view password) {
  setServerText(entry, server);
  entry.setPort(port);
  entry.key = parseKey(keyText);
  setText(entry.userName, kUserNameCapacity, userName);
  setText(entry.password, kPasswordCapacity, password);
}

bool isComplete(const ServerEntry& entry) {
  return entry.server[0] != '\0' && entry.key[0] != 0 && entry.userName[0] != '\0' &&
         entry.password[0] != '\0' && entry.port() != 0;
}

TableImage bytes(const ServerTable& table) {
  TableImage image;
  std::memcpy(image.data(), &table, image.size());
  return image;
}

void assign(ServerTable& table, std::span<const std::uint8_t, kTableSize> image) {
  std::memcpy(&table, image.data(), image.size());
}

}  // namespace sci

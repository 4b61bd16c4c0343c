#pragma once
// The server list as the device stores it: a 28-byte preamble and 20 slots of
// 92 bytes each. The structs are the byte image itself, so the table can be
// written and read as raw bytes; the offsets are checked at compile time.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace sci {

inline constexpr std::size_t kEntryCount = 20;
inline constexpr std::size_t kEntrySize = 92;
inline constexpr std::size_t kPreambleSize = 28;
inline constexpr std::size_t kTableSize = kPreambleSize + kEntryCount * kEntrySize;  // 1868
inline constexpr std::size_t kKeySize = 14;
inline constexpr std::size_t kKeyTextLength = 41;  // "XX " x 13 + "XX"
inline constexpr std::size_t kServerCapacity = 32;
inline constexpr std::size_t kUserNameCapacity = 20;
inline constexpr std::size_t kPasswordCapacity = 20;
inline constexpr std::size_t kDefaultPatternSize = 21;
inline constexpr std::size_t kDefaultPatternOffset = 36;

using Key = std::array<std::uint8_t, kKeySize>;

struct ServerEntry {
  std::array<char, kServerCapacity> server;
  std::array<std::uint8_t, 4> portBytes;  // little-endian, see port()/setPort()
  Key key;
  std::array<std::uint8_t, 2> gap;
  std::array<char, kUserNameCapacity> userName;
  std::array<char, kPasswordCapacity> password;

  std::uint32_t port() const;
  void setPort(std::uint32_t value);

  friend bool operator==(const ServerEntry&, const ServerEntry&) = default;
};

struct ServerTable {
  std::array<std::uint8_t, kPreambleSize> preamble;
  std::array<ServerEntry, kEntryCount> entries;

  friend bool operator==(const ServerTable&, const ServerTable&) = default;
};

static_assert(sizeof(ServerEntry) == kEntrySize);
static_assert(offsetof(ServerEntry, server) == 0);
static_assert(offsetof(ServerEntry, portBytes) == 32);
static_assert(offsetof(ServerEntry, key) == 36);
static_assert(offsetof(ServerEntry, gap) == 50);
static_assert(offsetof(ServerEntry, userName) == 52);
static_assert(offsetof(ServerEntry, password) == 72);
static_assert(sizeof(ServerTable) == kTableSize);
static_assert(offsetof(ServerTable, entries) == kPreambleSize);

using TableImage = std::array<std::uint8_t, kTableSize>;

// The 21 non-zero bytes an empty slot carries from offset 36 (key, gap and
// the first five bytes of the user name). Built once, from a position rule.
const std::array<std::uint8_t, kDefaultPatternSize>& defaultPattern();

// The content of an empty slot.
const ServerEntry& DefaultEntry();

// Preamble all zero, every slot DefaultEntry().
ServerTable initialTable();

void resetEntry(ServerEntry& entry);

// "%02X %02X ... %02X": always kKeyTextLength characters.
std::string formatKey(const ServerEntry& entry);

// scanf("%2X") semantics: up to 14 values, blanks optional between them,
// stops at the first value that does not convert; the rest stays zero.
Key parseKey(std::string_view text);

// Stores the first min(text.size(), capacity - 1) characters and one zero
// byte; the bytes after that zero are left as they were.
void setText(std::span<char> field, std::size_t capacity, std::string_view text);

// The characters up to the first zero byte, never past the field's end.
std::string getText(std::span<const char> field);

// Server texts also force the field's last byte to zero.
void setServerText(ServerEntry& entry, std::string_view text);

// What storing the editor's form writes into a slot: the three texts with
// their storage capacities, the port, and the key parsed from its text.
void storeFields(ServerEntry& entry, std::string_view server, std::uint32_t port,
                 std::string_view keyText, std::string_view userName, std::string_view password);

// Server, key, user name and password start with a non-zero byte and the
// port is non-zero.
bool isComplete(const ServerEntry& entry);

TableImage bytes(const ServerTable& table);
void assign(ServerTable& table, std::span<const std::uint8_t, kTableSize> image);

}  // namespace sci

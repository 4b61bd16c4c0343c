#pragma once
// An entry's values as the editor's form shows them: an entry without a
// server shows an empty user name, whatever bytes its user name field holds.
// Texts are single-byte (Windows-1252), as stored.

#include <cstdint>
#include <string>

#include "data/ServerEntry.h"

namespace sci {

struct ShownEntry {
  std::string server;
  std::uint32_t port = 0;
  Key key{};
  std::string userName;
  std::string password;

  bool empty() const { return server.empty(); }
  friend bool operator==(const ShownEntry&, const ShownEntry&) = default;
};

ShownEntry showEntry(const ServerEntry& entry);

}  // namespace sci

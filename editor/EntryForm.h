#pragma once
// The values the dialog's edit fields exchange with the editor.

#include <cstdint>
#include <string>

namespace sci {

// In the order the editor asks for change marks.
enum class Field {
  Server,
  ServerConfirm,
  Port,
  PortConfirm,
  Key,
  UserName,
  Password,
  PasswordConfirm,
};

struct EntryForm {
  std::string server;
  std::string serverConfirm;  // mirrors: filled on show, never stored
  std::uint32_t port = 0;
  std::uint32_t portConfirm = 0;
  std::string keyText;
  std::string userName;
  std::string password;
  std::string passwordConfirm;

  friend bool operator==(const EntryForm&, const EntryForm&) = default;
};

}  // namespace sci

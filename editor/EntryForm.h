#pragma once
// The values the dialog's edit fields exchange with the editor, and the
// rules between a stored entry and that form: which values it shows, how
// it is stored, and when it may be stored at all. The editor and scitool's
// import both go through these, so the two cannot disagree about an entry.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "data/ServerEntry.h"
#include "editor/FormLimits.h"

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

// The visible field a hidden confirmation mirror copies; nullopt for a
// visible field. The program alone fills a mirror.
std::optional<Field> mirrorOf(Field field);

// How many characters the user may type into a field, a mirror's being its
// visible field's; 0 for the ports, whose text is read from its first
// kPortTextReadLength characters instead.
std::size_t typingLimit(Field field);

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

// The validation's result codes. Port and key are accepted as entered: no
// check gives codes 2 and 3, which keep their places in the message table.
inline constexpr int kFormValid = 0;
inline constexpr int kServerInvalid = 1;
inline constexpr int kPortInvalid = 2;
inline constexpr int kKeyInvalid = 3;
inline constexpr int kUserNameInvalid = 4;
inline constexpr int kPasswordInvalid = 5;

// A stored text field: its typing limit, the shortest text the validation
// takes, and the code it fails with. `confirm` is its hidden mirror, if any.
struct TextFieldRule {
  const char* name;  // as the member is called, in messages and JSON
  Field field;
  std::string EntryForm::*text;
  std::string EntryForm::*confirm;
  std::size_t minLength;
  std::size_t maxLength;
  int failure;
};

// In the order the validation checks them; the first failing one wins.
inline constexpr TextFieldRule kTextFieldRules[] = {
    {"server", Field::Server, &EntryForm::server, &EntryForm::serverConfirm, kServerMinLength,
     kServerMaxLength, kServerInvalid},
    {"userName", Field::UserName, &EntryForm::userName, nullptr, kUserNameMinLength,
     kUserNameMaxLength, kUserNameInvalid},
    {"password", Field::Password, &EntryForm::password, &EntryForm::passwordConfirm,
     kPasswordMinLength, kPasswordMaxLength, kPasswordInvalid},
};

// The form an entry shows, mirrors filled. An entry without a server shows
// an empty user name, whatever bytes its user name field holds.
EntryForm formFromEntry(const ServerEntry& entry);

// Writes the form's values into the entry as the editor stores them; the
// mirrors are not stored.
void storeForm(const EntryForm& form, ServerEntry& entry);

// The first rule the form breaks (only the minimum lengths are checked:
// the fields' typing limits keep texts short), nullptr when it passes.
const TextFieldRule* brokenRule(const EntryForm& form);

}  // namespace sci

#include "editor/EntryForm.h"

namespace sci {

std::optional<Field> mirrorOf(Field field) {
  switch (field) {
    case Field::ServerConfirm:
      return Field::Server;
    case Field::PortConfirm:
      return Field::Port;
    case Field::PasswordConfirm:
      return Field::Password;
    default:
      return std::nullopt;
  }
}

std::size_t typingLimit(Field field) {
  switch (mirrorOf(field).value_or(field)) {
    case Field::Server:
      return kServerMaxLength;
    case Field::Key:
      return kKeyTextMaxLength;
    case Field::UserName:
      return kUserNameMaxLength;
    case Field::Password:
      return kPasswordMaxLength;
    default:
      return 0;
  }
}

EntryForm formFromEntry(const ServerEntry& entry) {
  EntryForm form;
  form.server = getText(entry.server);
  form.serverConfirm = form.server;
  form.port = entry.port();
  form.portConfirm = form.port;
  form.keyText = formatKey(entry);
  // An empty slot carries pattern bytes in its user name; they are never shown.
  form.userName = form.server.empty() ? std::string() : getText(entry.userName);
  form.password = getText(entry.password);
  form.passwordConfirm = form.password;
  return form;
}

void storeForm(const EntryForm& form, ServerEntry& entry) {
  storeFields(entry, form.server, form.port, form.keyText, form.userName, form.password);
}

const TextFieldRule* brokenRule(const EntryForm& form) {
  for (const TextFieldRule& rule : kTextFieldRules) {
    if ((form.*rule.text).size() < rule.minLength) return &rule;
  }
  return nullptr;
}

}  // namespace sci

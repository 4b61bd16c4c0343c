#include "ui/FormBinding.h"

#include <QString>

#include "editor/FormLimits.h"
#include "ui/ApplicationName.h"
#include "ui/FieldEdit.h"
#include "ui/PortText.h"
#include "ui/ServerListLayout.h"
#include "ui/SingleByteQString.h"
#include "ui/UserPrompts.h"

namespace sci {

namespace {

constexpr const char* kTooLong = "Please enter no more than %1 characters.";
constexpr const char* kNotPositive = "Please enter a positive integer.";

std::size_t index(Field field) { return static_cast<std::size_t>(field); }

}  // namespace

FormBinding::FormBinding(const ServerListWidgets& widgets, UserPrompts& prompts, QWidget& owner)
    : prompts_(prompts), owner_(owner) {
  edits_[index(Field::Server)] = widgets.server;
  edits_[index(Field::ServerConfirm)] = widgets.serverConfirm;
  edits_[index(Field::Port)] = widgets.port;
  edits_[index(Field::PortConfirm)] = widgets.portConfirm;
  edits_[index(Field::Key)] = widgets.key;
  edits_[index(Field::UserName)] = widgets.userName;
  edits_[index(Field::Password)] = widgets.password;
  edits_[index(Field::PasswordConfirm)] = widgets.passwordConfirm;

  const auto limit = [this](Field field, std::size_t characters) {
    edit(field)->setInputLimit(static_cast<int>(characters));
  };
  limit(Field::Server, kServerMaxLength);
  limit(Field::ServerConfirm, kServerMaxLength);
  limit(Field::Key, kKeyTextMaxLength);
  limit(Field::UserName, kUserNameMaxLength);
  limit(Field::Password, kPasswordMaxLength);
  limit(Field::PasswordConfirm, kPasswordMaxLength);
}

FieldEdit* FormBinding::edit(Field field) const { return edits_[index(field)]; }

void FormBinding::push(const EntryForm& form) {
  edit(Field::Server)->showText(fromSingleByte(form.server));
  edit(Field::ServerConfirm)->showText(fromSingleByte(form.serverConfirm));
  edit(Field::Key)->showText(fromSingleByte(form.keyText));
  edit(Field::Port)->showText(QString::number(form.port));
  edit(Field::PortConfirm)->showText(QString::number(form.portConfirm));
  edit(Field::UserName)->showText(fromSingleByte(form.userName));
  edit(Field::Password)->showText(fromSingleByte(form.password));
  edit(Field::PasswordConfirm)->showText(fromSingleByte(form.passwordConfirm));
}

bool FormBinding::pull(EntryForm& form) {
  return pullText(Field::Server, kServerMaxLength, form.server) &&
         pullText(Field::ServerConfirm, kServerMaxLength, form.serverConfirm) &&
         pullText(Field::Key, kKeyTextMaxLength, form.keyText) &&
         pullPort(Field::Port, form.port) && pullPort(Field::PortConfirm, form.portConfirm) &&
         pullText(Field::UserName, kUserNameMaxLength, form.userName) &&
         pullText(Field::Password, kPasswordMaxLength, form.password) &&
         pullText(Field::PasswordConfirm, kPasswordMaxLength, form.passwordConfirm);
}

bool FormBinding::pullText(Field field, std::size_t limit, std::string& value) {
  const FieldEdit* control = edit(field);
  // The input guard admits single-byte characters only, so this always converts.
  value = toSingleByte(control->text()).value_or(std::string{});
  // The hidden mirrors are filled by the program alone and the user can never
  // shorten them, so a long mirror (a long password from an opened file)
  // must not stop the read-back for good.
  if (field == Field::ServerConfirm || field == Field::PasswordConfirm) return true;
  if (static_cast<std::size_t>(control->text().size()) <= limit) return true;
  refuse(field, QString::fromLatin1(kTooLong).arg(limit));
  return false;
}

bool FormBinding::pullPort(Field field, std::uint32_t& value) {
  const auto parsed = parsePortText(edit(field)->text());
  if (parsed) {
    value = *parsed;
    return true;
  }
  refuse(field, QString::fromLatin1(kNotPositive));
  return false;
}

void FormBinding::refuse(Field field, const QString& message) {
  prompts_.message(&owner_, message, applicationName(), PromptIcon::Exclamation, PromptButtons::Ok);
  focus(field);
  edit(field)->selectAll();
}

bool FormBinding::modified(Field field) const { return edit(field)->isModified(); }

void FormBinding::focus(Field field) {
  // The mirrors are never shown; their visible field is where the user can act.
  switch (field) {
    case Field::ServerConfirm:
      field = Field::Server;
      break;
    case Field::PortConfirm:
      field = Field::Port;
      break;
    case Field::PasswordConfirm:
      field = Field::Password;
      break;
    default:
      break;
  }
  edit(field)->setFocus(Qt::OtherFocusReason);
}

}  // namespace sci

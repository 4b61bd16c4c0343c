#include "ui/FieldBinding.h"

#include <algorithm>

#include "data/SingleByteText.h"
#include "editor/PortText.h"
#include "ui/DialogPrompts.h"

namespace sci {

const std::array<FieldBinding, 8> kFieldBindings{{
    {IDC_SERVER, Field::Server, FieldKind::Text},
    {IDC_SERVER_CONFIRM, Field::ServerConfirm, FieldKind::Text},
    {IDC_KEY, Field::Key, FieldKind::Text},
    {IDC_PORT, Field::Port, FieldKind::Port},
    {IDC_PORT_CONFIRM, Field::PortConfirm, FieldKind::Port},
    {IDC_USER_NAME, Field::UserName, FieldKind::Text},
    {IDC_PASSWORD, Field::Password, FieldKind::Text},
    {IDC_PASSWORD_CONFIRM, Field::PasswordConfirm, FieldKind::Text},
}};

namespace {

// Form is EntryForm or const EntryForm.
template <typename Form>
auto* textOf(Form& form, Field field) {
  switch (field) {
    case Field::Server:
      return &form.server;
    case Field::ServerConfirm:
      return &form.serverConfirm;
    case Field::Key:
      return &form.keyText;
    case Field::UserName:
      return &form.userName;
    case Field::Password:
      return &form.password;
    case Field::PasswordConfirm:
      return &form.passwordConfirm;
    case Field::Port:
    case Field::PortConfirm:
      break;
  }
  return static_cast<decltype(&form.server)>(nullptr);
}

template <typename Form>
auto* portOf(Form& form, Field field) {
  return field == Field::PortConfirm ? &form.portConfirm : &form.port;
}

std::string shownText(const EntryForm& form, const FieldBinding& binding) {
  if (binding.kind == FieldKind::Port) return std::to_string(*portOf(form, binding.field));
  return bytesToUtf8(*textOf(form, binding.field));
}

std::size_t characterCount(std::string_view utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char ch) {
    return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  }));
}

void refuse(DialogControls& controls, DialogPrompts& prompts, const std::string& caption,
            const FieldBinding& binding, const std::string& message) {
  prompts.message(message, caption, PromptIcon::Exclamation, PromptButtons::Ok);
  controls.focusAndSelectAll(bindingOf(mirrorOf(binding.field).value_or(binding.field)).control);
}

}  // namespace

const FieldBinding& bindingOf(Field field) {
  return *std::find_if(kFieldBindings.begin(), kFieldBindings.end(),
                       [field](const FieldBinding& binding) { return binding.field == field; });
}

std::string tooLongText(std::size_t limit) {
  return "Please enter no more than " + std::to_string(limit) + " characters.";
}

void applyFieldRules(DialogControls& controls) {
  for (const FieldBinding& binding : kFieldBindings) {
    controls.setFieldKind(binding.control, binding.kind);
    if (const std::size_t limit = typingLimit(binding.field)) {
      controls.setInputLimit(binding.control, limit);
    }
  }
}

void pushForm(DialogControls& controls, const EntryForm& form) {
  for (const FieldBinding& binding : kFieldBindings) {
    const std::string text = shownText(form, binding);
    if (controls.text(binding.control) != text) controls.setText(binding.control, text);
  }
}

bool pullForm(DialogControls& controls, DialogPrompts& prompts, const std::string& caption,
              EntryForm& form) {
  for (const FieldBinding& binding : kFieldBindings) {
    const std::string text = controls.text(binding.control);
    if (binding.kind == FieldKind::Port) {
      const auto port = parsePortText(text);
      if (!port) {
        refuse(controls, prompts, caption, binding, kNotPositiveText);
        return false;
      }
      *portOf(form, binding.field) = *port;
      continue;
    }
    // The controls admit single-byte characters only, so this always converts.
    *textOf(form, binding.field) = utf8ToBytes(text).value_or(std::string{});
    // The hidden mirrors are filled by the program alone and the user can
    // never shorten them, so a long mirror (a long password from an opened
    // file) must not stop the read-back for good.
    if (mirrorOf(binding.field)) continue;
    const std::size_t limit = typingLimit(binding.field);
    if (characterCount(text) > limit) {
      refuse(controls, prompts, caption, binding, tooLongText(limit));
      return false;
    }
  }
  return true;
}

bool fieldModified(const DialogControls& controls, Field field) {
  return controls.modified(bindingOf(field).control);
}

void focusField(DialogControls& controls, Field field) {
  // A mirror is never shown: the focus goes to the visible field it mirrors.
  controls.focus(bindingOf(mirrorOf(field).value_or(field)).control);
}

}  // namespace sci

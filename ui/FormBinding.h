#pragma once
// The eight edit fields bound to the editor's form, each with its typing
// limit: showing a form, reading it back in binding order with the
// read-back's messages, the change marks, and where the focus goes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "editor/EntryForm.h"

class QString;
class QWidget;

namespace sci {

class FieldEdit;
class UserPrompts;
struct ServerListWidgets;

class FormBinding {
 public:
  // Gives each text field its typing limit. The read-back's messages are
  // owned by owner.
  FormBinding(const ServerListWidgets& widgets, UserPrompts& prompts, QWidget& owner);

  // A field that already shows its new text is not rewritten and keeps its
  // change mark.
  void push(const EntryForm& form);

  // Stops at the first field it refuses, after saying why and putting the
  // focus there with the text selected; the later values stay as they were.
  bool pull(EntryForm& form);

  bool modified(Field field) const;
  void focus(Field field);

 private:
  FieldEdit* edit(Field field) const;
  bool pullText(Field field, std::size_t limit, std::string& value);
  bool pullPort(Field field, std::uint32_t& value);
  void refuse(Field field, const QString& message);

  std::array<FieldEdit*, 8> edits_{};  // indexed by Field
  UserPrompts& prompts_;
  QWidget& owner_;
};

}  // namespace sci

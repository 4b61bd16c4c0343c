#pragma once
// A scripted stand-in for the dialog's edit fields. It keeps one text and one
// change mark per field and behaves as the real controls do: typing sets the
// mark, and only a push that actually changes a field's text clears it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "editor/EntryView.h"

namespace sci::test {

inline constexpr std::size_t kFieldCount = 8;

class FakeEntryView : public EntryView {
 public:
  // A user edit: the field shows text and carries the change mark.
  void type(Field field, std::string text);
  const std::string& text(Field field) const { return texts_[index(field)]; }

  // Read-back options. With limits on, an over-long text in a visible field
  // is taken whole and the read-back stops after it (typingLimit; the hidden
  // mirrors have none). Port texts read as parsePortText reads them.
  // stopAt makes the read-back refuse that field as a bad port text would:
  // it keeps its previous value and nothing after it is read.
  bool applyLimits = false;
  std::optional<Field> stopAt;

  // Answers for askDiscard, first in first out; asking with none left fails the test.
  std::deque<bool> discardAnswers;

  int pushCount = 0;
  int pullCount = 0;
  int discardQuestions = 0;
  std::vector<std::size_t> limitMessages;  // the %1 of each "no more than" message
  mutable std::vector<Field> markQueries;
  std::optional<Field> focused;
  std::vector<bool> pasteEnabledCalls;

  void pushForm(const EntryForm& form) override;
  bool pullForm(EntryForm& form) override;
  bool fieldModified(Field field) const override;
  void focusField(Field field) override { focused = field; }
  bool askDiscard() override;
  void setPasteEnabled(bool enabled) override { pasteEnabledCalls.push_back(enabled); }

 private:
  static std::size_t index(Field field) { return static_cast<std::size_t>(field); }
  void show(Field field, const std::string& text);
  bool readText(Field field, std::string& value);
  bool readPort(Field field, std::uint32_t& value);

  std::array<std::string, kFieldCount> texts_;
  std::array<bool, kFieldCount> marks_{};
};

}  // namespace sci::test

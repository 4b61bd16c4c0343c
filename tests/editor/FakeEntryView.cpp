#include "tests/editor/FakeEntryView.h"

#include <gtest/gtest.h>

#include "editor/PortText.h"

namespace sci::test {

void FakeEntryView::type(Field field, std::string text) {
  texts_[index(field)] = std::move(text);
  marks_[index(field)] = true;
}

void FakeEntryView::show(Field field, const std::string& text) {
  if (texts_[index(field)] == text) return;
  texts_[index(field)] = text;
  marks_[index(field)] = false;
}

void FakeEntryView::pushForm(const EntryForm& form) {
  ++pushCount;
  show(Field::Server, form.server);
  show(Field::ServerConfirm, form.serverConfirm);
  show(Field::Key, form.keyText);
  show(Field::Port, std::to_string(form.port));
  show(Field::PortConfirm, std::to_string(form.portConfirm));
  show(Field::UserName, form.userName);
  show(Field::Password, form.password);
  show(Field::PasswordConfirm, form.passwordConfirm);
}

bool FakeEntryView::readText(Field field, std::string& value) {
  if (stopAt == field) return false;
  value = texts_[index(field)];
  // The hidden mirrors are filled by the program alone, so the read-back
  // does not hold them to a typing limit.
  const std::size_t limit = typingLimit(field);
  if (applyLimits && !mirrorOf(field) && value.size() > limit) {
    limitMessages.push_back(limit);
    focused = field;
    return false;
  }
  return true;
}

bool FakeEntryView::readPort(Field field, std::uint32_t& value) {
  if (stopAt == field) return false;
  const auto parsed = parsePortText(texts_[index(field)]);
  if (!parsed) return false;
  value = *parsed;
  return true;
}

bool FakeEntryView::pullForm(EntryForm& form) {
  ++pullCount;
  return readText(Field::Server, form.server) &&
         readText(Field::ServerConfirm, form.serverConfirm) && readText(Field::Key, form.keyText) &&
         readPort(Field::Port, form.port) && readPort(Field::PortConfirm, form.portConfirm) &&
         readText(Field::UserName, form.userName) && readText(Field::Password, form.password) &&
         readText(Field::PasswordConfirm, form.passwordConfirm);
}

bool FakeEntryView::fieldModified(Field field) const {
  markQueries.push_back(field);
  return marks_[index(field)];
}

bool FakeEntryView::askDiscard() {
  ++discardQuestions;
  if (discardAnswers.empty()) {
    ADD_FAILURE() << "unexpected discard question";
    return false;
  }
  const bool answer = discardAnswers.front();
  discardAnswers.pop_front();
  return answer;
}

}  // namespace sci::test

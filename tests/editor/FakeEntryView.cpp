#include "tests/editor/FakeEntryView.h"

#include <gtest/gtest.h>

#include <limits>

#include "editor/FormLimits.h"

namespace sci::test {

namespace {

// The hidden mirrors are filled by the program alone, so the dialog does not
// hold them to a typing limit.
std::optional<std::size_t> limitOf(Field field) {
  switch (field) {
    case Field::Server:
      return kServerMaxLength;
    case Field::Key:
      return kKeyTextMaxLength;
    case Field::UserName:
      return kUserNameMaxLength;
    case Field::Password:
      return kPasswordMaxLength;
    default:
      return std::nullopt;
  }
}

// Digits only, as the port fields accept; too large a number saturates.
std::optional<std::uint32_t> parsePort(const std::string& text) {
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > std::numeric_limits<std::uint32_t>::max()) {
      value = std::numeric_limits<std::uint32_t>::max();
    }
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace

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
  const auto limit = limitOf(field);
  if (applyLimits && limit && value.size() > *limit) {
    limitMessages.push_back(*limit);
    focused = field;
    return false;
  }
  return true;
}

bool FakeEntryView::readPort(Field field, std::uint32_t& value) {
  if (stopAt == field) return false;
  const auto parsed = parsePort(texts_[index(field)]);
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

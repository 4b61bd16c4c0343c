#include "editor/EntryEditor.h"

#include "editor/ListPositions.h"

namespace sci {

namespace {

// The order in which change marks are asked for; the first mark found ends the test.
constexpr Field kMarkOrder[] = {
    Field::Server, Field::ServerConfirm, Field::Port,     Field::PortConfirm,
    Field::Key,    Field::UserName,      Field::Password, Field::PasswordConfirm,
};

// Positions 1..20 wrap around in both directions, for steps of any size, as
// the wrapping spin control itself does. Computed in 64 bits so that no
// reported change can overflow.
int wrappedPosition(int iPos, int iDelta) {
  const long long count = kLastPosition - kFirstPosition + 1;
  long long zeroBased = (static_cast<long long>(iPos) - kFirstPosition + iDelta) % count;
  if (zeroBased < 0) zeroBased += count;
  return static_cast<int>(zeroBased) + kFirstPosition;
}

}  // namespace

EntryEditor::EntryEditor(EntryView& view) : view_(view), table_(initialTable()) {}

void EntryEditor::ShowEntry() {
  form_ = formFromEntry(table_.entries[current_]);
  view_.pushForm(form_);
}

bool EntryEditor::IsFormModified() const {
  for (Field field : kMarkOrder) {
    if (view_.fieldModified(field)) return true;
  }
  return false;
}

int EntryEditor::ValidateForm() {
  // The confirmation fields are never shown, so the focus goes to the main
  // field they mirror.
  const TextFieldRule* rule = brokenRule(form_);
  if (!rule) return kFormValid;
  if (rule->confirm) (form_.*rule->confirm).clear();
  view_.focusField(rule->field);
  return rule->failure;
}

bool EntryEditor::StoreEntry() {
  if (!IsFormModified()) return true;
  // A read-back that stops part-way has already told the user why; what it
  // did read is validated and stored like a complete one.
  view_.pullForm(form_);
  if (ValidateForm() != kFormValid) return false;
  storeForm(form_, table_.entries[current_]);
  return true;
}

int EntryEditor::MoveTo(int iPos, int iDelta) {
  if (!StoreEntry() && !view_.askDiscard()) iDelta = 0;
  if (iDelta != 0) {
    const int newPos = wrappedPosition(iPos, iDelta);
    current_ = newPos - kFirstPosition;
    // A single step across an end is wrapped by the control itself. Any other
    // change is returned as the plain difference, which lands on newPos
    // whether the control applies it by stepping, clamping or setting it.
    const bool singleStepWrap =
        (iPos == kFirstPosition && iDelta == -1) || (iPos == kLastPosition && iDelta == 1);
    if (!singleStepWrap) iDelta = newPos - iPos;
  }
  ShowEntry();
  return iDelta;
}

void EntryEditor::Copy() {
  StoreEntry();
  const ServerEntry& entry = table_.entries[current_];
  if (!isComplete(entry)) return;
  clip_ = entry;
  clipValid_ = true;
  UpdatePasteButton();
}

void EntryEditor::Paste() {
  if (!clipValid_) return;
  table_.entries[current_] = clip_;
  ShowEntry();
}

void EntryEditor::Delete() {
  resetEntry(table_.entries[current_]);
  ShowEntry();
}

void EntryEditor::UpdatePasteButton() { view_.setPasteEnabled(clipValid_); }

void EntryEditor::replaceTable(const ServerTable& table) { table_ = table; }

}  // namespace sci

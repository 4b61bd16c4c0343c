#pragma once
// The dialog's controls for the toolkit-free core, on a Win32 dialog window.

#include <windows.h>

#include "ui/DialogControls.h"

namespace sci::win32 {

class Win32Controls : public DialogControls {
 public:
  explicit Win32Controls(HWND dialog) : dialog_(dialog) {}

  std::string text(ControlId id) const override;
  void setText(ControlId id, std::string_view text) override;
  bool modified(ControlId id) const override;
  void setInputLimit(ControlId id, std::size_t characters) override;
  void setFieldKind(ControlId id, FieldKind kind) override;
  void focus(ControlId id) override;
  ControlId focusedControl() const override;
  void activate() override;
  void focusAndSelectAll(ControlId id) override;
  void setEnabled(ControlId id, bool enabled) override;
  bool enabled(ControlId id) const override;
  void setCaption(std::string_view caption) override;
  void setPositionRange(int lowest, int highest) override;
  void setPosition(int position) override;
  void close(DialogResult result) override;

 private:
  HWND item(ControlId id) const { return GetDlgItem(dialog_, id); }

  HWND dialog_;
};

}  // namespace sci::win32

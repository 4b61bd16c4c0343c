#pragma once
// The dialog core's controls on the Qt window: each template id names one
// of the layout's widgets.

#include <QHash>
#include <functional>

#include "ui/DialogControls.h"
#include "ui/qt/ServerListLayout.h"

class QWidget;

namespace sci {

class FieldEdit;

class QtDialogControls : public DialogControls {
 public:
  // close ends the window with the core's result.
  QtDialogControls(QWidget& window, const ServerListWidgets& widgets,
                   std::function<void(DialogResult)> close);

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
  QWidget* widget(ControlId id) const;
  FieldEdit* edit(ControlId id) const;

  QWidget& window_;
  ServerListWidgets widgets_;
  QHash<ControlId, QWidget*> byId_;
  std::function<void(DialogResult)> close_;
};

}  // namespace sci

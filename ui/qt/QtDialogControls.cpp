#include "ui/qt/QtDialogControls.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <utility>

#include "ui/qt/FieldEdit.h"
#include "ui/qt/PositionSpinBox.h"

namespace sci {

namespace {

QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtDialogControls::QtDialogControls(QWidget& window, const ServerListWidgets& widgets,
                                   std::function<void(DialogResult)> close)
    : window_(window), widgets_(widgets), close_(std::move(close)) {
  const std::pair<ControlId, QWidget*> controls[] = {
      {IDC_SERVER, widgets.server},
      {IDC_PORT, widgets.port},
      {IDC_SERVER_CONFIRM, widgets.serverConfirm},
      {IDC_PORT_CONFIRM, widgets.portConfirm},
      {IDC_KEY, widgets.key},
      {IDC_USER_NAME, widgets.userName},
      {IDC_PASSWORD, widgets.password},
      {IDC_PASSWORD_CONFIRM, widgets.passwordConfirm},
      {IDC_POSITION, widgets.position},
      {IDC_SPIN, widgets.position},
      {IDC_INFO, widgets.infoLine},
      {IDC_OPEN, widgets.open},
      {IDC_SAVE, widgets.save},
      {IDC_COPY, widgets.copy},
      {IDC_PASTE, widgets.paste},
      {IDC_DELETE, widgets.remove},
      {IDC_EXIT, widgets.exit},
  };
  for (const auto& [id, control] : controls) byId_.insert(id, control);
}

QWidget* QtDialogControls::widget(ControlId id) const { return byId_.value(id); }

FieldEdit* QtDialogControls::edit(ControlId id) const {
  return qobject_cast<FieldEdit*>(widget(id));
}

std::string QtDialogControls::text(ControlId id) const {
  const FieldEdit* field = edit(id);
  return field ? field->text().toStdString() : std::string{};
}

void QtDialogControls::setText(ControlId id, std::string_view text) {
  // Through showText, so a longer text from the program is allowed to stand.
  FieldEdit* field = edit(id);
  if (!field) return;
  const QString shown = fromUtf8(text);
  if (field->text() == shown) {
    field->setModified(false);
  } else {
    field->showText(shown);
  }
}

bool QtDialogControls::modified(ControlId id) const {
  const FieldEdit* field = edit(id);
  return field && field->isModified();
}

void QtDialogControls::setInputLimit(ControlId id, std::size_t characters) {
  if (FieldEdit* field = edit(id)) field->setInputLimit(static_cast<int>(characters));
}

void QtDialogControls::setFieldKind(ControlId id, FieldKind kind) {
  // Every FieldEdit refuses characters without a single-byte form already.
  if (FieldEdit* field = edit(id)) field->setDigitsOnly(kind == FieldKind::Port);
}

void QtDialogControls::focus(ControlId id) {
  if (QWidget* target = widget(id)) target->setFocus(Qt::OtherFocusReason);
}

ControlId QtDialogControls::focusedControl() const {
  // The window's focus widget, kept while another window is active.
  const QWidget* focused = window_.focusWidget();
  if (!focused) return 0;
  // The spin control and its number are one widget here.
  if (focused == widgets_.position) return IDC_POSITION;
  for (auto it = byId_.cbegin(); it != byId_.cend(); ++it) {
    if (it.value() == focused) return it.key();
  }
  return 0;
}

void QtDialogControls::activate() {
  // The start-up check speaks before the window is shown; the window
  // manager activates it when it appears.
  if (!window_.isVisible()) return;
  window_.raise();
  window_.activateWindow();
  // The box's window is hidden but not yet gone: the window manager still
  // has to hear of it and may then give the activation to a window of its
  // choosing, or none (openbox did, when Enter closed the file dialog while
  // its completion list was coming up). Once those events have been
  // handled, the window asks again and the focus goes where it was last put,
  // which may be a control the core chose after this.
  QTimer::singleShot(0, &window_, [window = QPointer<QWidget>(&window_)] {
    if (!window || !window->isVisible()) return;
    // Another box opened meanwhile keeps the activation; its own return
    // comes after it.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != window) return;
    if (!window->isActiveWindow()) {
      window->raise();
      window->activateWindow();
    }
    if (QWidget* focused = window->focusWidget()) focused->setFocus(Qt::ActiveWindowFocusReason);
  });
}

void QtDialogControls::focusAndSelectAll(ControlId id) {
  focus(id);
  if (FieldEdit* field = edit(id)) field->selectAll();
}

void QtDialogControls::setEnabled(ControlId id, bool enabled) {
  if (QWidget* target = widget(id)) target->setEnabled(enabled);
}

bool QtDialogControls::enabled(ControlId id) const {
  const QWidget* target = widget(id);
  return target && target->isEnabled();
}

void QtDialogControls::setCaption(std::string_view caption) {
  // Qt reads "[*]" in a caption as the unsaved-changes mark; the device's
  // title is shown literally.
  window_.setWindowTitle(
      fromUtf8(caption).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
}

void QtDialogControls::setPositionRange(int lowest, int highest) {
  widgets_.position->setRange(lowest, highest);
}

void QtDialogControls::setPosition(int position) { widgets_.position->setValue(position); }

void QtDialogControls::close(DialogResult result) { close_(result); }

}  // namespace sci

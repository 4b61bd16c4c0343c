#pragma once
// Shared fixtures for the dialog tests: a temporary folder with device
// configuration and server list files made through the data API, and a
// shown dialog driven with real key and mouse events.

#include <QApplication>
#include <QElapsedTimer>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

#include "data/DeviceConfig.h"
#include "data/ServerEntry.h"
#include "data/ServerListFile.h"
#include "tests/ui/FakePrompts.h"
#include "ui/qt/FieldEdit.h"
#include "ui/qt/PositionSpinBox.h"
#include "ui/qt/ServerListWindow.h"

class QPushButton;

namespace sci::test {

inline constexpr std::string_view kTitle = "Unit A";

// A message the fake was shown, in Qt's strings for comparing.
struct ShownMessage {
  // Implicit, so the fake's messages read as these.
  ShownMessage(const Shown& shown)  // NOLINT(google-explicit-constructor)
      : text(QString::fromStdString(shown.text)),
        caption(QString::fromStdString(shown.caption)),
        icon(shown.icon),
        buttons(shown.buttons) {}

  QString text;
  QString caption;
  PromptIcon icon;
  PromptButtons buttons;
};

// The dialog's start on that configuration, with nothing else given.
DialogSetup setupWith(const std::filesystem::path& configPath);
std::filesystem::path toPath(const QString& path);
// The path chosen, or an empty string for none.
QString fromPath(const std::optional<std::filesystem::path>& path);
// The filters' names as Qt's file dialog takes them, separated by ";;".
QString filterNames(const FileAsked& asked);
// The server list's file dialog as the core asks for it.
FileRequest listRequest(FileDialogMode mode);

class Workspace {
 public:
  Workspace();

  std::filesystem::path path(const QString& name) const;
  QString qpath(const QString& name) const;

  void writeBytes(const QString& name, std::span<const std::uint8_t> bytes) const;
  // A valid IPConfig.cfg with kTitle; returns its path.
  std::filesystem::path writeGoodConfig(const QString& name = QStringLiteral("IPConfig.cfg")) const;
  // The configuration that file holds.
  static DeviceConfig goodConfig();

  QString writeList(const QString& name, const ServerTable& table) const;
  // A list of empty slots but for the first, which holds entry.
  QString writeListStartingWith(const QString& name, const ServerEntry& entry) const;
  ServerTable readList(const QString& name) const;

 private:
  QTemporaryDir dir_;
};

// An entry as the editor would store it.
ServerEntry makeEntry(std::string_view server, std::uint32_t port, std::string_view userName,
                      std::string_view password);

// A dialog on the fake prompts, shown and active.
class DialogRun {
 public:
  explicit DialogRun(const std::filesystem::path& configPath,
                     WriteOps writeOps = WriteOps::system());
  ~DialogRun();

  ServerListWindow& window() { return *window_; }
  FieldEdit* field(const char* objectName) const;
  PositionSpinBox* position() const;
  QPushButton* button(const char* objectName) const;

  // Opens a file through the Open button and the scripted file dialog.
  void openList(const QString& path);
  void step(int delta);  // one Up or Down arrow key on the position spin box
  void clear(FieldEdit* edit);
  void paste(FieldEdit* edit, const QString& text);  // replaces the whole text

  FakePrompts prompts;

 private:
  std::unique_ptr<ServerListWindow> window_;
};

template <typename T>
T* child(QWidget* parent, const char* name) {
  return parent->findChild<T*>(QString::fromLatin1(name));
}

// Runs action once on the first window of type T that appears and takes the
// input, other than `except`: a modal dialog or, with popup set, a popup menu.
// The wait is long because a loaded machine can take seconds to show a
// window; only a window that never comes makes a test wait that long.
template <typename T>
void whenShown(std::function<void(T*)> action, QWidget* except = nullptr, bool popup = false) {
  auto* timer = new QTimer;
  auto* clock = new QElapsedTimer;
  clock->start();
  QObject::connect(timer, &QTimer::timeout, [=] {
    QWidget* active = popup ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
    T* shown = active != except ? qobject_cast<T*>(active) : nullptr;
    const bool found = shown && shown->isVisible();
    if (!found && clock->elapsed() < 20000) return;
    timer->stop();
    timer->deleteLater();
    delete clock;
    if (found) action(shown);
  });
  timer->start(10);
}

}  // namespace sci::test

#include "tests/ui/qt/UiTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <array>
#include <stdexcept>

#include "ui/DialogConstants.h"

namespace sci::test {

Workspace::Workspace() {
  if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
}

std::filesystem::path Workspace::path(const QString& name) const {
  return std::filesystem::path(QFile::encodeName(qpath(name)).toStdString());
}

QString Workspace::qpath(const QString& name) const { return dir_.filePath(name); }

void Workspace::writeBytes(const QString& name, std::span<const std::uint8_t> bytes) const {
  QFile file(qpath(name));
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) !=
          qint64(bytes.size())) {
    throw std::runtime_error("cannot write fixture");
  }
}

std::filesystem::path Workspace::writeGoodConfig(const QString& name) const {
  writeBytes(name, encodeDeviceConfig(kTitle, 0x1234, 0x89abcdef, 0x42));
  return path(name);
}

DeviceConfig Workspace::goodConfig() {
  return DeviceConfig::fromValues(kTitle, 0x1234, 0x89abcdef, 0x42);
}

QString Workspace::writeList(const QString& name, const ServerTable& table) const {
  if (writeServerList(path(name), table, goodConfig()) != FileResult::Ok) {
    throw std::runtime_error("cannot write fixture list");
  }
  return qpath(name);
}

QString Workspace::writeListStartingWith(const QString& name, const ServerEntry& entry) const {
  ServerTable table = initialTable();
  table.entries[0] = entry;
  return writeList(name, table);
}

ServerTable Workspace::readList(const QString& name) const {
  ServerTable table = initialTable();
  if (readServerList(path(name), table) != FileResult::Ok) {
    throw std::runtime_error("cannot read list back");
  }
  return table;
}

ServerEntry makeEntry(std::string_view server, std::uint32_t port, std::string_view userName,
                      std::string_view password) {
  ServerEntry entry = DefaultEntry();
  storeFields(entry, server, port, "01 23 45 67 89 AB CD EF 10 32 54 76 98 BA", userName, password);
  return entry;
}

DialogSetup setupWith(const std::filesystem::path& configPath) {
  DialogSetup setup;
  setup.configPath = configPath;
  return setup;
}

std::filesystem::path toPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

QString fromPath(const std::optional<std::filesystem::path>& path) {
  return path ? QString::fromStdU16String(path->u16string()) : QString();
}

QString filterNames(const FileAsked& asked) {
  QStringList names;
  for (const FileFilter& filter : asked.filters) names << QString::fromStdString(filter.name);
  return names.join(QStringLiteral(";;"));
}

FileRequest listRequest(FileDialogMode mode) {
  static const std::array<FileFilter, 2> filters{{
      {kServerListFilterName, kServerListFilterPattern},
      {kAllFilesFilterName, kAllFilesFilterPattern},
  }};
  FileRequest request;
  request.mode = mode;
  request.filters = filters;
  return request;
}

DialogRun::DialogRun(const std::filesystem::path& configPath, WriteOps writeOps) {
  DialogSetup setup = setupWith(configPath);
  setup.writeOps = std::move(writeOps);
  window_ = std::make_unique<ServerListWindow>(std::move(setup), &prompts);
  window_->show();
  QApplication::setActiveWindow(window_.get());
  if (!QTest::qWaitForWindowActive(window_.get())) throw std::runtime_error("dialog not active");
}

DialogRun::~DialogRun() = default;

FieldEdit* DialogRun::field(const char* objectName) const {
  auto* edit = window_->findChild<FieldEdit*>(QString::fromLatin1(objectName));
  if (!edit) throw std::runtime_error(std::string("no field ") + objectName);
  return edit;
}

PositionSpinBox* DialogRun::position() const {
  return window_->findChild<PositionSpinBox*>(QStringLiteral("positionSpin"));
}

QPushButton* DialogRun::button(const char* objectName) const {
  auto* b = window_->findChild<QPushButton*>(QString::fromLatin1(objectName));
  if (!b) throw std::runtime_error(std::string("no button ") + objectName);
  return b;
}

void DialogRun::openList(const QString& path) {
  prompts.chosen.push_back(toPath(path));
  QTest::mouseClick(button("openButton"), Qt::LeftButton);
}

void DialogRun::step(int delta) {
  QTest::keyClick(position(), delta > 0 ? Qt::Key_Up : Qt::Key_Down);
}

void DialogRun::clear(FieldEdit* edit) {
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_Backspace);
}

void DialogRun::paste(FieldEdit* edit, const QString& text) {
  QApplication::clipboard()->setText(text);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

}  // namespace sci::test

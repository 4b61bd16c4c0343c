// Start-up of the server list dialog with good and broken device
// configurations, and the window's fixed structure.

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <array>

#include "tests/ui/qt/UiTestSupport.h"
#include "ui/ApplicationName.h"

using namespace sci;
using namespace sci::test;

namespace {

const char* const kEditingWidgets[] = {"serverEdit",   "portEdit",   "keyEdit",   "userNameEdit",
                                       "passwordEdit", "openButton", "saveButton"};
const char* const kAlwaysEnabled[] = {"positionSpin", "copyButton", "deleteButton", "exitButton"};

QWidget* widget(ServerListWindow& dialog, const char* name) {
  return dialog.findChild<QWidget*>(QString::fromLatin1(name));
}

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void configurationDecidesCaptionAndEditing_data();
  void configurationDecidesCaptionAndEditing();
  void listCanBeBrowsedWithoutConfiguration();
  void confirmationFieldsAndInfoLineStayHidden();
  void tabOrderAndMnemonics();
  void windowHasBothIconSizes();
  void bottomRowLinesUpWithTheGroups();
};

void StartupTest::configurationDecidesCaptionAndEditing_data() {
  QTest::addColumn<QString>("setup");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("messageCaption");
  QTest::addColumn<QString>("windowCaption");

  const QString app = QString::fromStdString(applicationName());
  QTest::newRow("good") << "good" << QString() << QString() << QString::fromLatin1(kTitle.data());
  QTest::newRow("title with markup-like text")
      << "title" << QString() << QString() << QStringLiteral("Caf\u00e9 [*] <b>&amp;");
  QTest::newRow("missing") << "missing"
                           << "Can not open IPConfig.cfg"
                           << "VANTO"
                           << "Marlix V1.3";
  QTest::newRow("51 bytes") << "short"
                            << "Length Error!" << app << "Marlix V1.3";
  QTest::newRow("53 bytes") << "long"
                            << "Length Error!" << app << "Marlix V1.3";
  QTest::newRow("one payload byte changed") << "corrupt"
                                            << "check data error!" << app << "Marlix V1.3";
}

void StartupTest::configurationDecidesCaptionAndEditing() {
  QFETCH(QString, setup);
  QFETCH(QString, message);
  QFETCH(QString, messageCaption);
  QFETCH(QString, windowCaption);

  Workspace ws;
  auto bytes = encodeDeviceConfig(setup == "title" ? "Caf\xE9 [*] <b>&amp;" : kTitle, 0x1234,
                                  0x89abcdef, 0x42);
  std::vector<std::uint8_t> file(bytes.begin(), bytes.end());
  if (setup == "short") file.pop_back();
  if (setup == "long") file.push_back(0xFF);
  if (setup == "corrupt") file[3] ^= 0x01;
  if (setup != "missing") ws.writeBytes(QStringLiteral("IPConfig.cfg"), file);

  DialogRun run(ws.path(QStringLiteral("IPConfig.cfg")));
  ServerListWindow& dialog = run.window();

  QCOMPARE(dialog.windowHandle()->title(), windowCaption);
  const bool good = message.isEmpty();  // "good" and "title" are valid configurations
  if (good) {
    QCOMPARE(run.prompts.messages.size(), 0);
  } else {
    QCOMPARE(run.prompts.messages.size(), 1);
    const ShownMessage& shown = run.prompts.messages.front();
    // The reason line under it is the core's, tested there.
    QCOMPARE(shown.text.section(u'\n', 0, 0), message);
    QCOMPARE(shown.caption, messageCaption);
    QCOMPARE(shown.icon, PromptIcon::Stop);
    QCOMPARE(shown.buttons, PromptButtons::Ok);
  }
  for (const char* name : kEditingWidgets) {
    QVERIFY2(widget(dialog, name)->isEnabled() == good, name);
  }
  for (const char* name : kAlwaysEnabled) QVERIFY2(widget(dialog, name)->isEnabled(), name);
  QVERIFY(!run.button("pasteButton")->isEnabled());

  QCOMPARE(run.position()->value(), 1);
  QCOMPARE(run.position()->text(), QStringLiteral("1"));
  QCOMPARE(run.field("keyEdit")->text(), QString::fromStdString(formatKey(DefaultEntry())));
  QCOMPARE(run.field("portEdit")->text(), QStringLiteral("0"));
  QCOMPARE(dialog.editor().current(), 0);
}

void StartupTest::listCanBeBrowsedWithoutConfiguration() {
  Workspace ws;
  DialogRun run(ws.path(QStringLiteral("IPConfig.cfg")));
  run.step(-1);
  QCOMPARE(run.position()->value(), 20);
  QCOMPARE(run.window().editor().current(), 19);
  run.step(+1);
  run.step(+1);
  QCOMPARE(run.position()->value(), 2);
  QCOMPARE(run.window().editor().current(), 1);
  QCOMPARE(run.field("keyEdit")->text(), QString::fromStdString(formatKey(DefaultEntry())));
  QCOMPARE(run.prompts.messages.size(), 1);  // only the start-up message
}

void StartupTest::confirmationFieldsAndInfoLineStayHidden() {
  Workspace ws;
  DialogRun run(ws.writeGoodConfig());
  for (const char* name : {"serverConfirmEdit", "portConfirmEdit", "passwordConfirmEdit",
                           "confirmLabel", "passwordConfirmLabel", "infoLabel", "infoLine"}) {
    QWidget* w = widget(run.window(), name);
    QVERIFY2(w != nullptr, name);
    QVERIFY2(!w->isVisible(), name);
  }
  auto* confirmLabel = run.window().findChild<QLabel*>(QStringLiteral("confirmLabel"));
  QCOMPARE(confirmLabel->text(), QStringLiteral("*confirm"));
}

void StartupTest::tabOrderAndMnemonics() {
  Workspace ws;
  DialogRun run(ws.writeGoodConfig());
  // Paste is disabled at start, so Tab passes over it.
  const char* const order[] = {"serverEdit",   "portEdit",     "keyEdit",      "userNameEdit",
                               "passwordEdit", "positionSpin", "exitButton",   "openButton",
                               "saveButton",   "copyButton",   "deleteButton", "serverEdit"};
  run.field("serverEdit")->setFocus();
  for (std::size_t i = 1; i < std::size(order); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    // The spin box hands its focus to its inner line edit.
    if (focus && focus->parentWidget() == run.position()) focus = run.position();
    QVERIFY2(focus == widget(run.window(), order[i]), order[i]);
  }

  QTest::keyClick(run.field("serverEdit"), Qt::Key_P, Qt::AltModifier);
  QCOMPARE(QApplication::focusWidget(), run.field("portEdit"));
  QVERIFY(!run.field("portEdit")->accessibleName().isEmpty());
}

void StartupTest::windowHasBothIconSizes() {
  Workspace ws;
  DialogRun run(ws.writeGoodConfig());
  const QList<QSize> sizes = run.window().windowIcon().availableSizes();
  QVERIFY(sizes.contains(QSize(16, 16)));
  QVERIFY(sizes.contains(QSize(32, 32)));
}

void StartupTest::bottomRowLinesUpWithTheGroups() {
  Workspace ws;
  DialogRun run(ws.writeGoodConfig());
  ServerListWindow& dialog = run.window();
  const auto label = [&](const QString& text) -> QWidget* {
    for (QLabel* l : dialog.findChildren<QLabel*>()) {
      if (l->text() == text) return l;
    }
    return nullptr;
  };
  const auto left = [&](QWidget* w) { return w->mapTo(&dialog, QPoint(0, 0)).x(); };
  const auto right = [&](QWidget* w) { return left(w) + w->width(); };
  QWidget* nameLabel = label(QStringLiteral("Name"));
  QWidget* positionLabel = label(QStringLiteral("Server List Item:"));
  QVERIFY(nameLabel && positionLabel);
  QCOMPARE(left(positionLabel), left(nameLabel));
  QCOMPARE(right(run.button("exitButton")), right(run.button("deleteButton")));
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"

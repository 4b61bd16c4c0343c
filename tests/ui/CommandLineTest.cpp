// The editor's command line: what it runs, prints or refuses, where it finds
// the device configuration, the list it opens once the window is up, and that
// the program answers help, version and usage errors without a display.

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <sstream>

#include "data/ResultMessages.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/CommandLine.h"
#include "ui/ListAtStart.h"

using namespace sci;
using namespace sci::test;

Q_DECLARE_METATYPE(sci::CommandLine::Action)

namespace {

// Changes the current folder for the life of the object.
class InFolder {
 public:
  explicit InFolder(const QString& folder) : previous_(QDir::currentPath()) {
    if (!QDir::setCurrent(folder)) qFatal("cannot enter %s", qPrintable(folder));
  }
  ~InFolder() { QDir::setCurrent(previous_); }

 private:
  QString previous_;
};

std::filesystem::path local(const QString& text) {
  return std::filesystem::path(QFile::encodeName(text).toStdString());
}

}  // namespace

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void actions_data();
  void actions();
  void configurationIsFound_data();
  void configurationIsFound();
  void listGivenAtStart_data();
  void listGivenAtStart();
  void programAnswersWithoutDisplay_data();
  void programAnswersWithoutDisplay();
};

void CommandLineTest::actions_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<sci::CommandLine::Action>("action");
  QTest::addColumn<QStringList>("textHas");

  using A = CommandLine::Action;
  const QStringList usage{QStringLiteral("Usage: sciedit [--config FILE] [LIST.bin]"),
                          QStringLiteral("Try 'sciedit --help'")};
  QTest::newRow("nothing") << QStringList{} << A::Run << QStringList{};
  QTest::newRow("a list") << QStringList{"a.bin"} << A::Run << QStringList{};
  QTest::newRow("--help") << QStringList{"--help"} << A::Print
                          << QStringList{"Usage: sciedit", "--config <FILE>", "LIST.bin"};
  QTest::newRow("-h with a list") << QStringList{"-h", "a.bin"} << A::Print
                                  << QStringList{"Usage: sciedit"};
  QTest::newRow("--version") << QStringList{"--version"} << A::Print
                             << QStringList{"sciedit 1.0.0.1\n"};
  QTest::newRow("-v") << QStringList{"-v"} << A::Print << QStringList{"sciedit 1.0.0.1\n"};
  QTest::newRow("unknown option") << QStringList{"--bogus", "a.bin"} << A::UsageError
                                  << (QStringList{"sciedit: Unknown option 'bogus'."} + usage);
  QTest::newRow("Qt's own option")
      << QStringList{"-platform", "offscreen"} << A::UsageError << usage;
  QTest::newRow("two lists") << QStringList{"a.bin", "b.bin"} << A::UsageError
                             << (QStringList{"one list at a time, not 2: a.bin, b.bin"} + usage);
  QTest::newRow("--config without a file")
      << QStringList{"--config"} << A::UsageError
      << (QStringList{"Missing value after '--config'"} + usage);
}

void CommandLineTest::actions() {
  QFETCH(QStringList, arguments);
  QFETCH(sci::CommandLine::Action, action);
  QFETCH(QStringList, textHas);

  const CommandLine command =
      parseCommandLine(QStringList{QStringLiteral("/usr/bin/sciedit")} + arguments);
  QCOMPARE(command.action, action);
  for (const QString& part : textHas)
    QVERIFY2(command.text.contains(part), qPrintable(command.text));
  if (action == CommandLine::Action::Run) QVERIFY(command.text.isEmpty());
}

void CommandLineTest::configurationIsFound_data() {
  // Folders "start" (the current one) and "lists" (the list's); which of them
  // hold an IPConfig.cfg, the arguments, and the configuration path expected
  // ("start/..." is the relative IPConfig.cfg as without arguments).
  QTest::addColumn<bool>("inStart");
  QTest::addColumn<bool>("inLists");
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<QString>("expected");
  QTest::addColumn<QString>("list");

  const QStringList list{"LISTS/site.bin"};
  QTest::newRow("no list") << false << true << QStringList{} << "IPConfig.cfg" << QString();
  QTest::newRow("list, current folder has one") << true << true << list << "IPConfig.cfg"
                                                << "LISTS/site.bin";
  QTest::newRow("list, only its folder has one") << false << true << list << "LISTS/IPConfig.cfg"
                                                 << "LISTS/site.bin";
  QTest::newRow("list, neither has one") << false << false << list << "IPConfig.cfg"
                                         << "LISTS/site.bin";
  QTest::newRow("list in the current folder")
      << false << true << QStringList{"site.bin"} << "IPConfig.cfg"
      << "site.bin";
  QTest::newRow("--config wins over the list's folder")
      << false << true << QStringList{"--config", "other.cfg", "LISTS/site.bin"} << "other.cfg"
      << "LISTS/site.bin";
  QTest::newRow("--config wins over the current folder")
      << true << false << QStringList{"--config=LISTS/model.cfg"} << "LISTS/model.cfg" << QString();
}

void CommandLineTest::configurationIsFound() {
  QFETCH(bool, inStart);
  QFETCH(bool, inLists);
  QFETCH(QStringList, arguments);
  QFETCH(QString, expected);
  QFETCH(QString, list);

  Workspace ws;
  QVERIFY(QDir(ws.qpath({})).mkpath(QStringLiteral("start")));
  QVERIFY(QDir(ws.qpath({})).mkpath(QStringLiteral("lists")));
  if (inStart) ws.writeGoodConfig(QStringLiteral("start/IPConfig.cfg"));
  if (inLists) ws.writeGoodConfig(QStringLiteral("lists/IPConfig.cfg"));
  const QString lists = ws.qpath(QStringLiteral("lists"));
  for (QString& argument : arguments) argument.replace(QStringLiteral("LISTS"), lists);
  expected.replace(QStringLiteral("LISTS"), lists);
  list.replace(QStringLiteral("LISTS"), lists);

  InFolder start(ws.qpath(QStringLiteral("start")));
  const CommandLine command = parseCommandLine(QStringList{QStringLiteral("sciedit")} + arguments);
  QCOMPARE(command.action, CommandLine::Action::Run);
  QCOMPARE(command.configPath, local(expected));
  QCOMPARE(command.listPath.has_value(), !list.isEmpty());
  if (command.listPath) QCOMPARE(*command.listPath, local(list));
}

void CommandLineTest::listGivenAtStart_data() {
  QTest::addColumn<bool>("goodConfig");
  QTest::addColumn<QString>("list");  // "good", "short" (100 bytes) or "missing"
  QTest::addColumn<QStringList>("messages");
  QTest::addColumn<bool>("loaded");
  QTest::addColumn<QString>("err");

  const QString notOpened =
      QStringLiteral("site.bin: not opened: Open is disabled without a valid device configuration");
  QTest::newRow("opens") << true << "good" << QStringList{} << true << "";
  QTest::newRow("wrong length") << true << "short" << QStringList{kLengthErrorText} << false << "";
  QTest::newRow("no such file") << true << "missing" << QStringList{kOpenFailedText} << false << "";
  QTest::newRow("no configuration")
      << false << "good" << QStringList{"Can not open IPConfig.cfg"} << false << notOpened;
}

void CommandLineTest::listGivenAtStart() {
  QFETCH(bool, goodConfig);
  QFETCH(QString, list);
  QFETCH(QStringList, messages);
  QFETCH(bool, loaded);
  QFETCH(QString, err);

  Workspace ws;
  if (goodConfig) ws.writeGoodConfig();
  const ServerEntry entry = makeEntry("vpn.example.com", 8443, "admin", "secret");
  if (list == "good") ws.writeListStartingWith(QStringLiteral("site.bin"), entry);
  if (list == "short") ws.writeBytes(QStringLiteral("site.bin"), std::vector<std::uint8_t>(100));

  FakePrompts prompts;
  ServerListDialog dialog(DialogSetup{prompts, ws.path(QStringLiteral("IPConfig.cfg"))});
  const qsizetype startMessages = prompts.messages.size();
  std::ostringstream errStream;
  openListAtStart(dialog, ws.path(QStringLiteral("site.bin")), errStream);
  // Nothing happens before the window is up.
  QCOMPARE(prompts.messages.size(), startMessages);
  QCOMPARE(dialog.editor().table(), initialTable());

  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  QTRY_COMPARE(prompts.messages.size(), messages.size());
  QTest::qWait(50);  // a late, unexpected open would show here
  QStringList shown;
  for (const ShownMessage& message : prompts.messages) shown << message.text;
  QCOMPARE(shown, messages);
  QCOMPARE(dialog.editor().table().entries[0] == entry, loaded);
  QVERIFY(dialog.isVisible());
  QCOMPARE(QString::fromStdString(errStream.str()).trimmed().endsWith(err), true);
  if (err.isEmpty()) QCOMPARE(errStream.str(), std::string());
}

void CommandLineTest::programAnswersWithoutDisplay_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<int>("exitCode");
  QTest::addColumn<QString>("out");
  QTest::addColumn<QString>("err");

  QTest::newRow("--version") << QStringList{"--version"} << 0 << "sciedit 1.0.0.1\n"
                             << "";
  QTest::newRow("--help") << QStringList{"--help"} << 0 << "Usage: sciedit [options] [LIST.bin]"
                          << "";
  QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << ""
                                  << "sciedit: Unknown option 'bogus'.";
  QTest::newRow("two lists") << QStringList{"a.bin", "b.bin"} << 2 << ""
                             << "sciedit: one list at a time";
}

void CommandLineTest::programAnswersWithoutDisplay() {
  QFETCH(QStringList, arguments);
  QFETCH(int, exitCode);
  QFETCH(QString, out);
  QFETCH(QString, err);

  // The X11 platform with no display to reach: any attempt at a window ends
  // the program with Qt's own failure instead of these answers.
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove(QStringLiteral("DISPLAY"));
  env.remove(QStringLiteral("WAYLAND_DISPLAY"));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  QProcess sciedit;
  sciedit.setProcessEnvironment(env);
  sciedit.start(QStringLiteral(SCIEDIT_PROGRAM), arguments);
  QVERIFY(sciedit.waitForFinished(30000));
  const QString stdOut = QString::fromLocal8Bit(sciedit.readAllStandardOutput());
  const QString stdErr = QString::fromLocal8Bit(sciedit.readAllStandardError());
  QCOMPARE(sciedit.exitStatus(), QProcess::NormalExit);
  QVERIFY2(sciedit.exitCode() == exitCode, qPrintable(stdErr));
  if (out.isEmpty()) {
    QCOMPARE(stdOut, QString());
  } else {
    QVERIFY2(stdOut.startsWith(out), qPrintable(stdOut));
  }
  if (err.isEmpty()) {
    QCOMPARE(stdErr, QString());
  } else {
    QVERIFY2(stdErr.startsWith(err), qPrintable(stdErr));
  }
}

QTEST_MAIN(CommandLineTest)
#include "CommandLineTest.moc"

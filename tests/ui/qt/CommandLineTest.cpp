// The Qt editor's command line at work: the list it opens once the window is
// up, and that the program answers help, version and usage errors without a
// display. The parsing itself is tested with the dialog core (tests/ui).

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include "data/ResultMessages.h"
#include "tests/ui/qt/UiTestSupport.h"
#include "ui/ApplicationName.h"
#include "ui/DialogConstants.h"

using namespace sci;
using namespace sci::test;

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void listGivenAtStart_data();
  void listGivenAtStart();
  void programAnswersWithoutDisplay_data();
  void programAnswersWithoutDisplay();
};

void CommandLineTest::listGivenAtStart_data() {
  QTest::addColumn<bool>("goodConfig");
  QTest::addColumn<QString>("list");  // "good", "short" (100 bytes) or "missing"
  QTest::addColumn<QStringList>("messages");
  QTest::addColumn<bool>("loaded");

  const QString site = QStringLiteral("%LIST%: ");
  QTest::newRow("opens") << true << "good" << QStringList{} << true;
  QTest::newRow("wrong length") << true << "short"
                                << QStringList{QString(kLengthErrorText) + "\n" + site +
                                               "100 bytes found, 4124 expected"}
                                << false;
  QTest::newRow("no such file") << true << "missing"
                                << QStringList{QString(kOpenFailedText) + "\n" + site + "not found"}
                                << false;
  // Reading needs no configuration: the list is shown, only editing is not offered.
  QTest::newRow("no configuration")
      << false << "good"
      << QStringList{QStringLiteral("Can not open IPConfig.cfg\n%CONFIG%: not found"),
                     QString(kReadOnlyListText) + "\n" +
                         QString::fromStdString(configPlacementAdvice())}
      << true;
}

void CommandLineTest::listGivenAtStart() {
  QFETCH(bool, goodConfig);
  QFETCH(QString, list);
  QFETCH(QStringList, messages);
  QFETCH(bool, loaded);

  Workspace ws;
  if (goodConfig) ws.writeGoodConfig();
  const ServerEntry entry = makeEntry("vpn.example.com", 8443, "admin", "secret");
  if (list == "good") ws.writeListStartingWith(QStringLiteral("site.bin"), entry);
  if (list == "short") ws.writeBytes(QStringLiteral("site.bin"), std::vector<std::uint8_t>(100));

  FakePrompts prompts;
  DialogSetup setup = setupWith(ws.path(QStringLiteral("IPConfig.cfg")));
  setup.listPath = ws.path(QStringLiteral("site.bin"));
  ServerListWindow dialog(std::move(setup), &prompts);
  const std::size_t startMessages = prompts.messages.size();
  QTest::qWait(20);
  // Nothing happens before the window is up.
  QCOMPARE(prompts.messages.size(), startMessages);
  QCOMPARE(dialog.editor().table(), initialTable());

  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  QTRY_COMPARE(qsizetype(prompts.messages.size()), messages.size());
  QTest::qWait(50);  // a late, unexpected open would show here
  QStringList shown;
  for (const ShownMessage message : prompts.messages) shown << message.text;
  messages.replaceInStrings(QStringLiteral("%LIST%"), ws.qpath(QStringLiteral("site.bin")));
  messages.replaceInStrings(QStringLiteral("%CONFIG%"), ws.qpath(QStringLiteral("IPConfig.cfg")));
  QCOMPARE(shown, messages);
  QCOMPARE(dialog.editor().table().entries[0] == entry, loaded);
  QCOMPARE(dialog.canOpen(), goodConfig);
  QVERIFY(dialog.isVisible());
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
  // A window is wanted but none can be made: a plain reason and an ordinary
  // failure, not the toolkit's abort.
  const QString noDisplay = QStringLiteral("sciedit: no display found");
  QTest::newRow("no display") << QStringList{} << 1 << "" << noDisplay;
  QTest::newRow("no display, list given") << QStringList{"a.bin"} << 1 << "" << noDisplay;
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

// What the edit fields let the user type and paste, and how the port field
// is read back.

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTest>
#include <QToolTip>

#include "tests/ui/qt/UiTestSupport.h"
#include "ui/ApplicationName.h"
#include "ui/DialogConstants.h"

using namespace sci;
using namespace sci::test;

namespace {

// A key press carrying text the keyboard helpers of QTest cannot produce.
void typeCharacter(QWidget* target, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, text);
  QApplication::sendEvent(target, &release);
}

std::string textOf(const std::array<char, kServerCapacity>& field) { return getText(field); }

}  // namespace

class FieldInputTest : public QObject {
  Q_OBJECT

 private slots:
  void userInputStopsAtTheLimit_data();
  void userInputStopsAtTheLimit();
  void textSetByTheProgramIsShownWhole();
  void onlySingleByteCharactersAreTaken_data();
  void onlySingleByteCharactersAreTaken();
  void singleByteTextsRoundTrip();
  void portTakesTypedDigitsOnly();
  void portReadBack_data();
  void portReadBack();
};

void FieldInputTest::userInputStopsAtTheLimit_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<int>("limit");
  QTest::addColumn<bool>("pasting");
  const std::pair<const char*, int> fields[] = {
      {"serverEdit", 31}, {"keyEdit", 41}, {"userNameEdit", 12}, {"passwordEdit", 11}};
  for (const auto& [name, limit] : fields) {
    QTest::addRow("%s typed", name) << QString::fromLatin1(name) << limit << false;
    QTest::addRow("%s pasted", name) << QString::fromLatin1(name) << limit << true;
  }
}

void FieldInputTest::userInputStopsAtTheLimit() {
  QFETCH(QString, field);
  QFETCH(int, limit);
  QFETCH(bool, pasting);

  Workspace ws;
  DialogRun run(ws.writeGoodConfig());
  FieldEdit* edit = run.field(field.toLatin1().constData());
  run.clear(edit);
  const QString input = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJ");
  QVERIFY(input.size() > limit);
  if (pasting) {
    run.paste(edit, input);
  } else {
    QTest::keyClicks(edit, input);
  }
  QCOMPARE(edit->text(), input.left(limit));
  QVERIFY(edit->isModified());

  // A paste into a full field changes nothing.
  run.paste(edit, input);
  edit->end(false);
  QApplication::clipboard()->setText(QStringLiteral("xyz"));
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(edit->text(), input.left(limit));
}

void FieldInputTest::textSetByTheProgramIsShownWhole() {
  Workspace ws;
  const QString list = ws.writeListStartingWith(
      QStringLiteral("long.bin"),
      makeEntry("server.example", 80, "fifteen-chars-x", "fifteen-secret!"));

  DialogRun run(ws.writeGoodConfig());
  run.openList(list);
  FieldEdit* user = run.field("userNameEdit");
  QCOMPARE(user->text(), QStringLiteral("fifteen-chars-x"));
  QCOMPARE(run.field("passwordEdit")->text(), QStringLiteral("fifteen-secret!"));

  // The user may shorten such a text but never make it longer.
  user->setFocus();
  user->end(false);
  QTest::keyClicks(user, QStringLiteral("y"));
  QCOMPARE(user->text(), QStringLiteral("fifteen-chars-x"));
  QVERIFY(!user->isModified());
  QTest::keyClick(user, Qt::Key_Backspace);
  QCOMPARE(user->text(), QStringLiteral("fifteen-chars-"));
  QVERIFY(user->isModified());
}

void FieldInputTest::onlySingleByteCharactersAreTaken_data() {
  QTest::addColumn<QString>("character");
  QTest::addColumn<bool>("taken");
  QTest::newRow("e acute (0xE9)") << QStringLiteral("\u00e9") << true;
  QTest::newRow("euro sign (0x80)") << QStringLiteral("\u20ac") << true;
  QTest::newRow("A macron") << QStringLiteral("\u0100") << false;
  QTest::newRow("CJK ideograph") << QStringLiteral("\u4e2d") << false;
  QTest::newRow("emoji (surrogate pair)") << QStringLiteral("\U0001F600") << false;
}

void FieldInputTest::onlySingleByteCharactersAreTaken() {
  QFETCH(QString, character);
  QFETCH(bool, taken);

  Workspace ws;
  DialogRun run(ws.writeGoodConfig());
  FieldEdit* edit = run.field("userNameEdit");
  edit->setFocus();
  QTest::keyClicks(edit, QStringLiteral("ab"));
  QToolTip::hideText();
  typeCharacter(edit, character);
  QCOMPARE(edit->text(), taken ? QStringLiteral("ab") + character : QStringLiteral("ab"));
  // A refused character is explained at the field, a taken one is not.
  const QString why = QString::fromLatin1(kSingleByteOnlyText);
  QCOMPARE(QToolTip::isVisible() && QToolTip::text() == why, !taken);

  // Pasted text is taken whole or not at all, never with characters replaced.
  QToolTip::hideText();
  QTRY_VERIFY(!QToolTip::isVisible());
  run.paste(edit, QStringLiteral("cd") + character);
  QCOMPARE(edit->text(), taken ? QStringLiteral("cd") + character : QStringLiteral("ab"));
  QCOMPARE(QToolTip::isVisible() && QToolTip::text() == why, !taken);
}

void FieldInputTest::singleByteTextsRoundTrip() {
  Workspace ws;
  const QString list = ws.writeListStartingWith(
      QStringLiteral("accents.bin"), makeEntry("caf\xE9-\x80.example", 80, "user", "secret"));

  DialogRun run(ws.writeGoodConfig());
  run.openList(list);
  QCOMPARE(run.field("serverEdit")->text(), QStringLiteral("caf\u00e9-\u20ac.example"));

  FieldEdit* user = run.field("userNameEdit");
  user->setFocus();
  user->end(false);
  typeCharacter(user, QStringLiteral("\u00fc"));
  run.step(+1);
  QCOMPARE(run.prompts.messages.size(), 0);
  const ServerEntry& stored = run.window().editor().table().entries[0];
  QCOMPARE(textOf(stored.server), std::string("caf\xE9-\x80.example"));
  QCOMPARE(getText(stored.userName), std::string("user\xFC"));
}

void FieldInputTest::portTakesTypedDigitsOnly() {
  Workspace ws;
  DialogRun run(ws.writeGoodConfig());
  FieldEdit* port = run.field("portEdit");
  run.clear(port);
  QTest::keyClicks(port, QStringLiteral("1a-2 3+.4"));
  QCOMPARE(port->text(), QStringLiteral("1234"));
}

void FieldInputTest::portReadBack_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("accepted");
  QTest::addColumn<quint32>("port");

  QTest::newRow("empty") << QString() << false << 0u;
  QTest::newRow("0") << "0" << true << 0u;
  QTest::newRow("+0") << "+0" << false << 0u;
  QTest::newRow("+5") << "+5" << true << 5u;
  QTest::newRow("blanks around") << " 42 " << true << 42u;
  QTest::newRow("tabs around") << "\t8\t" << true << 8u;
  QTest::newRow("-1") << "-1" << false << 0u;
  QTest::newRow("too large") << "99999999999" << true << 4294967295u;
  QTest::newRow("largest") << "4294967295" << true << 4294967295u;
  QTest::newRow("leading zeros") << "007" << true << 7u;
  QTest::newRow("two signs") << "++1" << false << 0u;
  QTest::newRow("sign alone") << "+" << false << 0u;
  QTest::newRow("blank inside") << "1 2" << false << 0u;
  QTest::newRow("letters after") << "80x" << false << 0u;
  QTest::newRow("junk after 31 characters")
      << QStringLiteral("443") + QString(28, u' ') + QStringLiteral("junk") << true << 443u;
}

void FieldInputTest::portReadBack() {
  QFETCH(QString, text);
  QFETCH(bool, accepted);
  QFETCH(quint32, port);

  // Entry 0 is complete, so only the port decides what the move stores.
  constexpr std::uint32_t kPrevious = 1234;
  Workspace ws;
  const QString list = ws.writeListStartingWith(
      QStringLiteral("ports.bin"), makeEntry("server.example", kPrevious, "user", "secret"));
  DialogRun run(ws.writeGoodConfig());
  run.openList(list);

  FieldEdit* edit = run.field("portEdit");
  run.clear(edit);
  if (!text.isEmpty()) run.paste(edit, text);
  QCOMPARE(edit->text(), text);
  run.step(+1);

  const std::uint32_t stored = run.window().editor().table().entries[0].port();
  if (accepted) {
    QCOMPARE(run.prompts.messages.size(), 0);
    QCOMPARE(stored, port);
  } else {
    // The refused port keeps its previous value; the rest of the entry is still stored.
    QCOMPARE(run.prompts.messages.size(), 1);
    const ShownMessage& shown = run.prompts.messages.front();
    QCOMPARE(shown.text, QStringLiteral("Please enter a positive integer."));
    QCOMPARE(shown.caption, QString::fromStdString(applicationName()));
    QCOMPARE(shown.icon, PromptIcon::Exclamation);
    QCOMPARE(shown.buttons, PromptButtons::Ok);
    QCOMPARE(stored, kPrevious);
  }
  QCOMPARE(run.position()->value(), 2);
}

QTEST_MAIN(FieldInputTest)
#include "FieldInputTest.moc"

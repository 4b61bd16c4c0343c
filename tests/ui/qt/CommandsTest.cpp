// The list commands as the user reaches them: moving, Open, Save, and
// closing the dialog.

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <cerrno>

#include "data/FileError.h"
#include "tests/ui/qt/UiTestSupport.h"
#include "ui/ApplicationName.h"
#include "ui/DialogConstants.h"

using namespace sci;
using namespace sci::test;

namespace {

// A list whose entry i has a server naming its position.
ServerTable numberedTable() {
  ServerTable table = initialTable();
  for (std::size_t i = 0; i < kEntryCount; ++i) {
    table.entries[i] = makeEntry("server-" + std::to_string(i) + ".example", 1000 + unsigned(i),
                                 "user" + std::to_string(i), "secret");
  }
  return table;
}

// The fixed first line; the reason under it is the core's, tested there.
void verifyStop(const ShownMessage& shown, const QString& text) {
  QCOMPARE(shown.text.section(u'\n', 0, 0), text);
  QCOMPARE(shown.caption, QString::fromStdString(applicationName()));
  QCOMPARE(shown.icon, PromptIcon::Stop);
  QCOMPARE(shown.buttons, PromptButtons::Ok);
}

}  // namespace

class CommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void overlongUserNameStopsTheReadBack();
  void movingWithAnInvalidForm_data();
  void movingWithAnInvalidForm();
  void longOpenedPasswordCanBeShortened();
  void saveWritesTheLastStoredEntry();
  void openKeepsThePosition();
  void openFailuresChangeNothing_data();
  void openFailuresChangeNothing();
  void saveFailuresAreReported_data();
  void saveFailuresAreReported();
  void closing_data();
  void closing();
};

void CommandsTest::overlongUserNameStopsTheReadBack() {
  Workspace ws;
  const QString list =
      ws.writeListStartingWith(QStringLiteral("long-name.bin"),
                               makeEntry("server.example", 8080, "fifteen-chars-x", "secret1"));
  DialogRun run(ws.writeGoodConfig());
  run.openList(list);

  FieldEdit* server = run.field("serverEdit");
  server->setFocus();
  server->end(false);
  QTest::keyClicks(server, QStringLiteral("z"));
  // Read-back stops at the user name, so this new password is never taken.
  FieldEdit* password = run.field("passwordEdit");
  password->setFocus();
  password->end(false);
  QTest::keyClicks(password, QStringLiteral("2"));
  run.step(+1);

  QCOMPARE(run.prompts.messages.size(), 1);
  const ShownMessage& shown = run.prompts.messages.front();
  QCOMPARE(shown.text, QStringLiteral("Please enter no more than 12 characters."));
  QCOMPARE(shown.caption, QString::fromStdString(applicationName()));
  QCOMPARE(shown.icon, PromptIcon::Exclamation);
  QCOMPARE(run.prompts.unanswered, 0);  // no discard question

  const ServerEntry& stored = run.window().editor().table().entries[0];
  QCOMPARE(getText(stored.server), std::string("server.examplez"));
  QCOMPARE(getText(stored.userName), std::string("fifteen-chars-x"));
  QCOMPARE(getText(stored.password), std::string("secret1"));
  QCOMPARE(run.position()->value(), 2);
}

void CommandsTest::movingWithAnInvalidForm_data() {
  QTest::addColumn<bool>("discard");
  QTest::newRow("Cancel keeps the position") << false;
  QTest::newRow("OK moves on") << true;
}

void CommandsTest::movingWithAnInvalidForm() {
  QFETCH(bool, discard);
  Workspace ws;
  DialogRun run(ws.writeGoodConfig());
  run.prompts.answers.push_back(discard ? PromptAnswer::Ok : PromptAnswer::Cancel);
  FieldEdit* server = run.field("serverEdit");
  QTest::keyClicks(server, QStringLiteral("short"));
  run.position()->setFocus();
  run.step(+1);

  QCOMPARE(run.prompts.messages.size(), 1);
  const ShownMessage& question = run.prompts.messages.front();
  QCOMPARE(question.text,
           QStringLiteral("Invalid input data!\nDiscard current server connection information ?"));
  QCOMPARE(question.caption, QStringLiteral("SCI"));
  QCOMPARE(question.icon, PromptIcon::Question);
  QCOMPARE(question.buttons, PromptButtons::OkCancel);

  QCOMPARE(run.position()->value(), discard ? 2 : 1);
  QCOMPARE(run.window().editor().current(), discard ? 1 : 0);
  QVERIFY(run.window().editor().table().entries[0] == DefaultEntry());
  // Either way the refused edit is gone from the field, and the focus is on
  // the field that failed.
  QCOMPARE(server->text(), QString());
  QVERIFY(!server->isModified());
  QCOMPARE(QApplication::focusWidget(), server);
}

void CommandsTest::longOpenedPasswordCanBeShortened() {
  Workspace ws;
  const QString list =
      ws.writeListStartingWith(QStringLiteral("long-password.bin"),
                               makeEntry("server.example", 8080, "user", "fifteen-secret!"));
  DialogRun run(ws.writeGoodConfig());
  run.openList(list);

  FieldEdit* password = run.field("passwordEdit");
  password->setFocus();
  password->end(false);
  for (int i = 0; i < 4; ++i) QTest::keyClick(password, Qt::Key_Backspace);
  QCOMPARE(password->text(), QStringLiteral("fifteen-sec"));
  run.step(+1);

  // The hidden confirmation still holds the long text; it must not stop the read-back.
  QCOMPARE(run.prompts.messages.size(), 0);
  QCOMPARE(getText(run.window().editor().table().entries[0].password), std::string("fifteen-sec"));
}

void CommandsTest::saveWritesTheLastStoredEntry() {
  Workspace ws;
  const ServerTable table = numberedTable();
  const QString list = ws.writeList(QStringLiteral("in.bin"), table);
  DialogRun run(ws.writeGoodConfig());
  run.openList(list);

  run.clear(run.field("serverEdit"));
  QTest::keyClicks(run.field("serverEdit"), QStringLiteral("short"));
  run.prompts.chosen.push_back(toPath(ws.qpath(QStringLiteral("out"))));
  QTest::mouseClick(run.button("saveButton"), Qt::LeftButton);

  QCOMPARE(run.prompts.messages.size(), 0);
  QCOMPARE(run.prompts.files.back().mode, FileDialogMode::Save);
  QCOMPARE(filterNames(run.prompts.files.back()),
           QStringLiteral("BIN Files (*.bin);;All Files (*.*)"));
  // The extension is added and the unstored edit is left out.
  QVERIFY(ws.readList(QStringLiteral("out.bin")).entries == table.entries);
  QCOMPARE(run.field("serverEdit")->text(), QStringLiteral("short"));
}

void CommandsTest::openKeepsThePosition() {
  Workspace ws;
  const QString list = ws.writeList(QStringLiteral("numbered.bin"), numberedTable());
  DialogRun run(ws.writeGoodConfig());
  for (int i = 0; i < 6; ++i) run.step(+1);
  QCOMPARE(run.position()->value(), 7);

  run.openList(list);
  QCOMPARE(run.prompts.files.back().mode, FileDialogMode::Open);
  QCOMPARE(filterNames(run.prompts.files.back()),
           QStringLiteral("BIN Files (*.bin);;All Files (*.*)"));
  QCOMPARE(run.prompts.messages.size(), 0);
  QCOMPARE(run.position()->value(), 7);
  QCOMPARE(run.field("serverEdit")->text(), QStringLiteral("server-6.example"));
  QCOMPARE(run.field("portEdit")->text(), QStringLiteral("1006"));
  QCOMPARE(run.field("userNameEdit")->text(), QStringLiteral("user6"));
}

void CommandsTest::openFailuresChangeNothing_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<QString>("message");
  QTest::newRow("missing") << "missing.bin"
                           << "abort!";
  QTest::newRow("one byte short") << "short.bin"
                                  << "Length Error!";
  QTest::newRow("body byte changed") << "corrupt.bin"
                                     << "Check data error!";
}

void CommandsTest::openFailuresChangeNothing() {
  QFETCH(QString, file);
  QFETCH(QString, message);

  Workspace ws;
  const ServerListImage image = encodeServerList(numberedTable(), Workspace::goodConfig());
  ws.writeBytes(QStringLiteral("short.bin"), std::span(image).first(image.size() - 1));
  ServerListImage corrupt = image;
  corrupt[kHeaderSize + 100] ^= 0x5A;
  ws.writeBytes(QStringLiteral("corrupt.bin"), corrupt);

  DialogRun run(ws.writeGoodConfig());
  QTest::keyClicks(run.field("serverEdit"), QStringLiteral("typed.example"));
  run.openList(ws.qpath(file));

  QCOMPARE(run.prompts.messages.size(), 1);
  verifyStop(run.prompts.messages.front(), message);
  QVERIFY(run.window().editor().table() == initialTable());
  QCOMPARE(run.field("serverEdit")->text(), QStringLiteral("typed.example"));
  QVERIFY(run.field("serverEdit")->isModified());
}

void CommandsTest::saveFailuresAreReported_data() {
  QTest::addColumn<bool>("failWrites");
  QTest::addColumn<QString>("target");
  QTest::newRow("folder does not exist") << false << "no-such-folder/list.bin";
  QTest::newRow("disk full while writing") << true << "list.bin";
}

void CommandsTest::saveFailuresAreReported() {
  QFETCH(bool, failWrites);
  QFETCH(QString, target);

  Workspace ws;
  WriteOps ops = WriteOps::system();
  if (failWrites) {
    ops.write = [](NativeFile, const void*, std::size_t) -> long {
      errno = ENOSPC;
      return -1;
    };
  }
  DialogRun run(ws.writeGoodConfig(), ops);
  run.prompts.chosen.push_back(toPath(ws.qpath(target)));
  QTest::mouseClick(run.button("saveButton"), Qt::LeftButton);

  QCOMPARE(run.prompts.messages.size(), 1);
  const QString expected =
      failWrites ? QStringLiteral("Disk full while accessing %1.").arg(ws.qpath(target))
                 : QStringLiteral("abort!");
  verifyStop(run.prompts.messages.front(), expected);
  QVERIFY(!QFile::exists(ws.qpath(target)));
  QVERIFY(run.window().isVisible());
}

void CommandsTest::closing_data() {
  QTest::addColumn<QString>("how");
  QTest::addColumn<QString>("port");
  QTest::addColumn<int>("answer");  // to the save question; -1: not asked
  QTest::addColumn<int>("result");  // -1: stays open

  const int no = int(PromptAnswer::No);
  const int cancel = int(PromptAnswer::Cancel);
  const int yes = int(PromptAnswer::Yes);
  const int accepted = int(QDialog::Accepted);
  const int rejected = int(QDialog::Rejected);
  // Every way of closing asks about the typed server first, once the
  // fields read back where Enter needs that.
  QTest::newRow("Enter, fields readable, No") << "enter"
                                              << "80" << no << accepted;
  QTest::newRow("Enter, empty port") << "enter" << QString() << -1 << -1;
  QTest::newRow("Enter, pasted -1") << "enter"
                                    << "-1" << -1 << -1;
  QTest::newRow("Enter on Exit, empty port, No") << "enter-exit" << QString() << no << rejected;
  QTest::newRow("Esc, empty port, No") << "esc" << QString() << no << rejected;
  QTest::newRow("Exit, empty port, No") << "exit" << QString() << no << rejected;
  QTest::newRow("close box, empty port, No") << "close" << QString() << no << rejected;
  QTest::newRow("Esc, Cancel") << "esc"
                               << "80" << cancel << -1;
  QTest::newRow("close box, Cancel") << "close"
                                     << "80" << cancel << -1;
  QTest::newRow("Esc, Yes saves") << "esc"
                                  << "80" << yes << rejected;
  QTest::newRow("Esc, nothing typed") << "esc-unchanged"
                                      << "0" << -1 << rejected;
  QTest::newRow("close box, nothing typed") << "close-unchanged"
                                            << "0" << -1 << rejected;
}

void CommandsTest::closing() {
  QFETCH(QString, how);
  QFETCH(QString, port);
  QFETCH(int, answer);
  QFETCH(int, result);

  Workspace ws;
  DialogRun run(ws.writeGoodConfig());
  ServerListWindow& dialog = run.window();
  const bool typing = !how.endsWith(QStringLiteral("-unchanged"));
  if (typing) QTest::keyClicks(run.field("serverEdit"), QStringLiteral("server.example"));
  FieldEdit* portEdit = run.field("portEdit");
  if (typing) {
    run.clear(portEdit);
    if (!port.isEmpty()) run.paste(portEdit, port);
  }
  FieldEdit* user = run.field("userNameEdit");
  if (answer == int(PromptAnswer::Yes)) {
    // A whole entry, so that Save stores it.
    QTest::keyClicks(user, QStringLiteral("admin"));
    QTest::keyClicks(run.field("passwordEdit"), QStringLiteral("secret"));
  }
  user->setFocus();
  if (answer >= 0) run.prompts.answers.push_back(PromptAnswer(answer));
  const QString saved = ws.qpath(QStringLiteral("saved.bin"));
  run.prompts.chosen.push_back(toPath(saved));

  if (how == "enter") QTest::keyClick(user, Qt::Key_Return);
  if (how == "enter-exit") {
    run.button("exitButton")->setFocus();
    QTest::keyClick(run.button("exitButton"), Qt::Key_Return);
  }
  if (how.startsWith(QStringLiteral("esc"))) QTest::keyClick(user, Qt::Key_Escape);
  if (how == "exit") QTest::mouseClick(run.button("exitButton"), Qt::LeftButton);
  if (how.startsWith(QStringLiteral("close"))) QCOMPARE(dialog.close(), result >= 0);

  QStringList shown;
  for (const ShownMessage message : run.prompts.messages) shown << message.text;
  if (answer >= 0) {
    QCOMPARE(shown, QStringList{QString::fromLatin1(kSaveChangesQuestion)});
    const ShownMessage& question = run.prompts.messages.front();
    QCOMPARE(question.icon, PromptIcon::Question);
    QCOMPARE(question.buttons, PromptButtons::YesNoCancel);
    QCOMPARE(question.caption, QString::fromStdString(applicationName()));
  } else if (result < 0) {
    QCOMPARE(shown, QStringList{QStringLiteral("Please enter a positive integer.")});
    QCOMPARE(QApplication::focusWidget(), portEdit);
    QCOMPARE(portEdit->selectedText(), port);
  } else {
    QCOMPARE(shown, QStringList{});
  }
  if (result < 0) {
    QVERIFY(dialog.isVisible());
    // Cancel keeps every typed character.
    QCOMPARE(run.field("serverEdit")->text(), QStringLiteral("server.example"));
  } else {
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), result);
  }
  // Only Yes saves, and then the typed entry is in the file.
  const bool wantSaved = answer == int(PromptAnswer::Yes);
  QCOMPARE(QFile::exists(saved), wantSaved);
  QCOMPARE(run.prompts.files.size(), wantSaved ? 1u : 0u);
  if (wantSaved) QCOMPARE(ws.readList(QStringLiteral("saved.bin")).entries[0].port(), 80u);
}

QTEST_MAIN(CommandsTest)
#include "CommandsTest.moc"

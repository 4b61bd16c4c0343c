// The window as a window manager and a mouse meet it: fixed sizes, the
// focus after message boxes and file dialogs, and what the mouse wheel and
// the page keys do to the list position.

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include "tests/ui/qt/UiTestSupport.h"
#include "ui/qt/AboutDialog.h"

using namespace sci;
using namespace sci::test;

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void fixedSizeWithoutMinimiseOrMaximise_data();
  void fixedSizeWithoutMinimiseOrMaximise();
  void focusComesBackAfterPrompts_data();
  void focusComesBackAfterPrompts();
  void wheelDoesNotMoveThroughTheList_data();
  void wheelDoesNotMoveThroughTheList();
  void pageKeysMoveOneEntry();
};

void WindowTest::fixedSizeWithoutMinimiseOrMaximise_data() {
  QTest::addColumn<bool>("about");
  QTest::newRow("server list dialog") << false;
  QTest::newRow("About box") << true;
}

// What an X11 window manager reads: the buttons asked for (_MOTIF_WM_HINTS)
// and a minimum size equal to the maximum (WM_NORMAL_HINTS), which makes the
// window neither resizable nor maximisable.
void WindowTest::fixedSizeWithoutMinimiseOrMaximise() {
  QFETCH(bool, about);
  Workspace ws;
  DialogRun run(ws.writeGoodConfig());
  AboutDialog aboutBox(&run.window());
  QWidget* window = &run.window();
  if (about) {
    aboutBox.show();
    QVERIFY(QTest::qWaitForWindowExposed(&aboutBox));
    window = &aboutBox;
  }
  const Qt::WindowFlags flags = window->windowHandle()->flags();
  QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
  QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
  QVERIFY(flags & Qt::WindowCloseButtonHint);
  QCOMPARE(window->windowHandle()->minimumSize(), window->size());
  QCOMPARE(window->windowHandle()->maximumSize(), window->size());
}

void WindowTest::focusComesBackAfterPrompts_data() {
  QTest::addColumn<QString>("command");
  QTest::newRow("open a missing file") << "open";
  QTest::newRow("cancel a save") << "save";
  QTest::newRow("file dialog closed with Esc") << "open-esc";
  QTest::newRow("refuse a field") << "refuse";
  QTest::newRow("discard question closed with Esc") << "discard";
  QTest::newRow("save question closed by its close box") << "close";
}

// The offscreen platform, like a window manager that does not refocus a
// window when its box closes, activates nothing by itself: the dialog must
// ask for the focus back.
void WindowTest::focusComesBackAfterPrompts() {
  QFETCH(QString, command);
  Workspace ws;
  ServerListWindow dialog(setupWith(ws.writeGoodConfig()));
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
  auto* user = child<FieldEdit>(&dialog, "userNameEdit");
  auto* port = child<FieldEdit>(&dialog, "portEdit");
  user->setFocus();
  QTRY_COMPARE(QApplication::focusWidget(), user);

  const auto closeBox = [](QMessageBox* box) { box->accept(); };
  QWidget* expected = user;
  if (command == "open") {
    whenShown<QFileDialog>([&](QFileDialog* files) {
      whenShown<QMessageBox>(closeBox, files);
      child<QLineEdit>(files, "fileNameEdit")->setText(ws.qpath(QStringLiteral("missing.bin")));
      static_cast<QDialog*>(files)->accept();
    });
    dialog.findChild<QPushButton*>(QStringLiteral("openButton"))->click();
  } else if (command == "save") {
    whenShown<QFileDialog>([](QFileDialog* files) { files->reject(); });
    dialog.findChild<QPushButton*>(QStringLiteral("saveButton"))->click();
  } else if (command == "open-esc") {
    whenShown<QFileDialog>([](QFileDialog* files) { QTest::keyClick(files, Qt::Key_Escape); });
    dialog.findChild<QPushButton*>(QStringLiteral("openButton"))->click();
  } else if (command == "discard") {
    // An entry that cannot be stored: moving on asks whether to discard it.
    QTest::keyClicks(child<FieldEdit>(&dialog, "serverEdit"), QStringLiteral("short"));
    user->setFocus();
    whenShown<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }, &dialog);
    QTest::keyClick(child<QSpinBox>(&dialog, "positionSpin"), Qt::Key_Up);
    // Cancel keeps the entry and shows where it cannot be stored.
    expected = child<FieldEdit>(&dialog, "serverEdit");
  } else if (command == "close") {
    QTest::keyClicks(user, QStringLiteral("admin"));
    whenShown<QMessageBox>([](QMessageBox* box) { box->close(); }, &dialog);
    QVERIFY(!dialog.close());
  } else {
    // An empty port: the read-back shows its message and moves the focus there.
    port->clear();
    whenShown<QMessageBox>(closeBox, &dialog);
    QTest::keyClick(user, Qt::Key_Return);
    expected = port;
  }

  QTRY_COMPARE(QApplication::activeWindow(), &dialog);
  QTRY_COMPARE(QApplication::focusWidget(), expected);
  QVERIFY(dialog.isVisible());
}

void WindowTest::wheelDoesNotMoveThroughTheList_data() {
  QTest::addColumn<bool>("overTheNumber");
  QTest::addColumn<int>("notches");
  QTest::newRow("over the arrows, up") << false << 1;
  QTest::newRow("over the arrows, down") << false << -1;
  QTest::newRow("over the number, up") << true << 1;
  QTest::newRow("over the number, three down") << true << -3;
}

void WindowTest::wheelDoesNotMoveThroughTheList() {
  QFETCH(bool, overTheNumber);
  QFETCH(int, notches);
  Workspace ws;
  DialogRun run(ws.writeGoodConfig());
  // An unstorable edit: any move would ask the discard question.
  QTest::keyClicks(run.field("serverEdit"), QStringLiteral("short"));

  // Delivered to the window as the platform does, so it reaches whatever
  // widget lies under the pointer.
  QSpinBox* box = run.position();
  const QPoint inBox = overTheNumber ? QPoint(box->width() / 3, box->height() / 2)
                                     : QPoint(box->width() - 4, box->height() / 2);
  const QPointF inWindow = box->mapTo(&run.window(), inBox);
  QWheelEvent wheel(inWindow, run.window().mapToGlobal(inWindow), QPoint(),
                    QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                    false);
  // Marked as coming from the platform, so that it travels from the number
  // up to the spin box; sendEvent would clear that mark.
  QSpontaneKeyEvent::setSpontaneous(&wheel);
  qApp->notify(run.window().windowHandle(), &wheel);

  QCOMPARE(run.position()->value(), 1);
  QCOMPARE(run.window().editor().current(), 0);
  QCOMPARE(run.prompts.messages.size(), 0);
  QCOMPARE(run.field("serverEdit")->text(), QStringLiteral("short"));

  // The arrow keys still move.
  run.prompts.answers.push_back(PromptAnswer::Ok);
  run.step(+1);
  QCOMPARE(run.position()->value(), 2);
}

// Page Up/Down propose ten steps at once; the list still moves one entry,
// round either end.
void WindowTest::pageKeysMoveOneEntry() {
  Workspace ws;
  DialogRun run(ws.writeGoodConfig());
  QCOMPARE(run.position()->maximum(), 20);
  const std::pair<Qt::Key, int> presses[] = {
      {Qt::Key_PageUp, 2}, {Qt::Key_PageDown, 1}, {Qt::Key_PageDown, 20}, {Qt::Key_PageUp, 1}};
  for (const auto& [key, shown] : presses) {
    QTest::keyClick(run.position(), key);
    QCOMPARE(run.position()->value(), shown);
    QCOMPARE(run.window().editor().current(), shown - 1);
  }
  QCOMPARE(run.prompts.messages.size(), 0);
}

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"

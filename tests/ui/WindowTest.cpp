// The window as a window manager and a mouse meet it: fixed sizes, the
// focus after message boxes and file dialogs, and what the mouse wheel does.

#include <QSpinBox>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include "tests/ui/UiTestSupport.h"

using namespace sci;
using namespace sci::test;

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void wheelDoesNotMoveThroughTheList_data();
  void wheelDoesNotMoveThroughTheList();
};

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
  const QPointF inWindow = box->mapTo(&run.dialog(), inBox);
  QWheelEvent wheel(inWindow, run.dialog().mapToGlobal(inWindow), QPoint(),
                    QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                    false);
  // Marked as coming from the platform, so that it travels from the number
  // up to the spin box; sendEvent would clear that mark.
  QSpontaneKeyEvent::setSpontaneous(&wheel);
  qApp->notify(run.dialog().windowHandle(), &wheel);

  QCOMPARE(run.position()->value(), 1);
  QCOMPARE(run.dialog().editor().current(), 0);
  QCOMPARE(run.prompts.messages.size(), 0);
  QCOMPARE(run.field("serverEdit")->text(), QStringLiteral("short"));

  // The arrow keys still move.
  run.prompts.answers.append(true);
  run.step(+1);
  QCOMPARE(run.position()->value(), 2);
}

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"

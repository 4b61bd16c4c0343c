// Two fixes reach inside Qt widgets by names Qt does not promise to keep:
// the file dialog's list of file types ("fileTypeCombo") and the Paste
// action of a line edit's context menu ("edit-paste"). A Qt upgrade that
// renames either would silently bring back the fault each one fixes. These
// tests find the parts by what they show instead, so they fail the day the
// lookups in ui/ find nothing.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "tests/ui/qt/UiTestSupport.h"
#include "ui/qt/QtPrompts.h"

using namespace sci;
using namespace sci::test;

namespace {

// The combo box that offers the dialog's file types, found by its entries.
QComboBox* fileTypeList(QFileDialog* dialog) {
  for (QComboBox* combo : dialog->findChildren<QComboBox*>()) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    if (items == dialog->nameFilters()) return combo;
  }
  return nullptr;
}

// The context menu's Paste, found by its text.
QAction* pasteAction(QMenu* menu) {
  for (QAction* action : menu->actions()) {
    if (action->text().startsWith(QStringLiteral("&Paste"))) return action;
  }
  return nullptr;
}

}  // namespace

class QtLookupTest : public QObject {
  Q_OBJECT

 private slots:
  void allFilesMeansEveryFile_data();
  void allFilesMeansEveryFile();
  void contextMenuPasteIsCutToTheLimit_data();
  void contextMenuPasteIsCutToTheLimit();
};

void QtLookupTest::allFilesMeansEveryFile_data() {
  QTest::addColumn<bool>("saving");
  QTest::newRow("save") << true;
  QTest::newRow("open") << false;
}

void QtLookupTest::allFilesMeansEveryFile() {
  QFETCH(bool, saving);
  Workspace ws;
  // A list saved into a folder named like "x.bin" keeps its name without a dot.
  ws.writeList(QStringLiteral("servers"), initialTable());
  const QString typed = ws.qpath(QStringLiteral("list.bin"));
  bool foundTypes = false;
  bool listsNameWithoutDot = false;
  QString nameAfterChoosing;
  whenShown<QFileDialog>([&](QFileDialog* dialog) {
    dialog->setDirectory(ws.qpath(QString()));
    QComboBox* types = fileTypeList(dialog);
    foundTypes = types != nullptr;
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!foundTypes || !name) {
      dialog->reject();
      return;
    }
    name->setText(typed);
    // The user picks "All Files (*.*)" from the closed list with the arrow key.
    QTest::keyClick(types, Qt::Key_Down);
    nameAfterChoosing = name->text();
    // The names the view lists once the folder has been read.
    auto* files = dialog->findChild<QFileSystemModel*>();
    const QModelIndex folder = files->index(ws.qpath(QString()));
    const auto listed = [&] {
      QStringList names;
      for (int row = 0; row < files->rowCount(folder); ++row) {
        names << files->fileName(files->index(row, 0, folder));
      }
      return names;
    };
    QElapsedTimer clock;
    clock.start();
    while (!(listsNameWithoutDot = listed().contains(QStringLiteral("servers"))) &&
           clock.elapsed() < 3000) {
      QTest::qWait(20);
    }
    static_cast<QDialog*>(dialog)->accept();
  });
  QtPrompts prompts(nullptr);
  const QString chosen = fromPath(
      prompts.chooseFile(listRequest(saving ? FileDialogMode::Save : FileDialogMode::Open)));
  QVERIFY2(foundTypes, "the file dialog shows no list of its file types");
  QVERIFY2(listsNameWithoutDot,
           "'All Files (*.*)' hides a name without a dot: QtPrompts no longer reaches the "
           "dialog's 'fileTypeCombo'");
  QCOMPARE(nameAfterChoosing, typed);
  QCOMPARE(chosen, typed);
}

void QtLookupTest::contextMenuPasteIsCutToTheLimit_data() {
  QTest::addColumn<QString>("before");
  QTest::addColumn<QString>("after");
  // The user name takes 12 characters.
  QTest::newRow("empty field") << QString() << QStringLiteral("abcdefghijkl");
  QTest::newRow("ten typed") << QStringLiteral("0123456789") << QStringLiteral("0123456789ab");
}

void QtLookupTest::contextMenuPasteIsCutToTheLimit() {
  QFETCH(QString, before);
  QFETCH(QString, after);
  Workspace ws;
  DialogRun run(ws.writeGoodConfig());
  FieldEdit* edit = run.field("userNameEdit");
  edit->setFocus();
  QTest::keyClicks(edit, before);
  QApplication::clipboard()->setText(QStringLiteral("abcdefghijklmnopqrstuvwxyz"));

  bool handled = false, foundPaste = false;
  whenShown<QMenu>(
      [&](QMenu* menu) {
        handled = true;
        QAction* paste = pasteAction(menu);
        foundPaste = paste != nullptr;
        if (!foundPaste) {
          menu->close();
          return;
        }
        menu->setActiveAction(paste);
        QTest::keyClick(menu, Qt::Key_Return);
      },
      nullptr, true);
  const QPoint inside = edit->rect().center();
  QContextMenuEvent event(QContextMenuEvent::Mouse, inside, edit->mapToGlobal(inside));
  QApplication::sendEvent(edit, &event);

  QTRY_VERIFY2(handled, "no context menu");
  QVERIFY2(foundPaste, "the field's context menu has no Paste");
  QVERIFY2(edit->text() == after,
           qPrintable(QStringLiteral("'%1' instead of '%2': FieldEdit no longer reaches the "
                                     "context menu's Paste")
                          .arg(edit->text(), after)));
  QVERIFY(edit->isModified());
}

QTEST_MAIN(QtLookupTest)
#include "QtLookupTest.moc"

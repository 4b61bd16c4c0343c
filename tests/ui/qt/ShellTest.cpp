// The real Qt message boxes and file dialogs behind the prompts, the About
// box reached from the context menu, and F1 help.

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <functional>

#include "tests/ui/qt/UiTestSupport.h"
#include "ui/qt/AboutDialog.h"
#include "ui/qt/HelpWindow.h"
#include "ui/qt/QtPrompts.h"

using namespace sci;
using namespace sci::test;

class ShellTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpMessageIsARealMessageBox();
  void realQuestionBoxAnswers_data();
  void realQuestionBoxAnswers();
  void shortMessageLeavesRoomForItsCaption();
  void messageLinesStayWhole();
  void realFileDialog_data();
  void realFileDialog();
  void fileDialogsReturnToTheLastFolder();
  void aboutBoxFromTheContextMenu_data();
  void aboutBoxFromTheContextMenu();
  void helpForTheFocusedDialog();
  void helpReadsWithoutScrolling_data();
  void helpReadsWithoutScrolling();
  void helpSaysOnlyAMoveAsksToDiscard();
};

void ShellTest::startUpMessageIsARealMessageBox() {
  Workspace ws;
  QString text, title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QPoint offCentre;
  whenShown<QMessageBox>([&](QMessageBox* box) {
    text = box->text();
    title = box->windowTitle();
    icon = box->icon();
    // The dialog is not shown yet: the box stands in the middle of the screen.
    offCentre = box->frameGeometry().center() - box->screen()->availableGeometry().center();
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
  });
  ServerListWindow dialog(setupWith(ws.path(QStringLiteral("IPConfig.cfg"))));
  QCOMPARE(text, QStringLiteral("Can not open IPConfig.cfg\n") +
                     ws.qpath(QStringLiteral("IPConfig.cfg")) + QStringLiteral(": not found"));
  QCOMPARE(title, QStringLiteral("VANTO"));
  QCOMPARE(icon, QMessageBox::Critical);
  QVERIFY2(
      offCentre.manhattanLength() <= 8,
      qPrintable(QStringLiteral("off centre by %1, %2").arg(offCentre.x()).arg(offCentre.y())));
  QVERIFY(!child<QWidget>(&dialog, "serverEdit")->isEnabled());
}

void ShellTest::realQuestionBoxAnswers_data() {
  QTest::addColumn<int>("buttons");
  QTest::addColumn<int>("button");
  QTest::addColumn<int>("answer");
  const int okCancel = int(PromptButtons::OkCancel);
  const int yesNoCancel = int(PromptButtons::YesNoCancel);
  QTest::newRow("OK") << okCancel << int(QMessageBox::Ok) << int(PromptAnswer::Ok);
  QTest::newRow("Cancel") << okCancel << int(QMessageBox::Cancel) << int(PromptAnswer::Cancel);
  QTest::newRow("Yes") << yesNoCancel << int(QMessageBox::Yes) << int(PromptAnswer::Yes);
  QTest::newRow("No") << yesNoCancel << int(QMessageBox::No) << int(PromptAnswer::No);
  QTest::newRow("Cancel of three")
      << yesNoCancel << int(QMessageBox::Cancel) << int(PromptAnswer::Cancel);
}

void ShellTest::realQuestionBoxAnswers() {
  QFETCH(int, buttons);
  QFETCH(int, button);
  QFETCH(int, answer);
  QtPrompts prompts(nullptr);
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  whenShown<QMessageBox>([&](QMessageBox* box) {
    icon = box->icon();
    QTest::mouseClick(box->button(QMessageBox::StandardButton(button)), Qt::LeftButton);
  });
  QCOMPARE(int(prompts.message("Discard?", "SCI", PromptIcon::Question, PromptButtons(buttons))),
           answer);
  QCOMPARE(icon, QMessageBox::Question);
}

void ShellTest::shortMessageLeavesRoomForItsCaption() {
  // "abort!" alone made a box about as wide as its OK button, and the window
  // frame cut the caption down to "..." beside its own buttons.
  QtPrompts prompts(nullptr);
  const QString caption = QStringLiteral("sciedit");
  int width = 0, needed = 0;
  whenShown<QMessageBox>([&](QMessageBox* box) {
    const QFontMetrics metrics(box->font());
    // The caption, a little bolder in most title bars, beside an icon and
    // three title bar buttons.
    needed = metrics.horizontalAdvance(caption) * 5 / 4 + metrics.averageCharWidth() * 12;
    width = box->width();
    QTest::keyClick(box, Qt::Key_Return);
  });
  prompts.message("abort!", caption.toStdString(), PromptIcon::Stop, PromptButtons::Ok);
  QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(needed)));
}

void ShellTest::messageLinesStayWhole() {
  // Qt wrapped the second line after the hyphens of "--config".
  QtPrompts prompts(nullptr);
  const QString text = QStringLiteral(
      "The list was not opened: servers.bin\n"
      "To open it, put an IPConfig.cfg beside the list, or name one with --config.");
  int shownWidth = -1, needed = 0;
  whenShown<QMessageBox>([&](QMessageBox* box) {
    for (QLabel* label : box->findChildren<QLabel*>()) {
      if (label->text() != text) continue;
      shownWidth = label->contentsRect().width();
      needed = label->fontMetrics().horizontalAdvance(text.section(u'\n', 1));
    }
    QTest::keyClick(box, Qt::Key_Return);
  });
  prompts.message(text.toStdString(), "VANTO", PromptIcon::Stop, PromptButtons::Ok);
  QVERIFY2(shownWidth >= 0, "the message box shows no label with its text");
  QVERIFY2(shownWidth >= needed, qPrintable(QStringLiteral("%1 < %2").arg(shownWidth).arg(needed)));
}

void ShellTest::realFileDialog_data() {
  QTest::addColumn<bool>("saving");
  QTest::addColumn<bool>("askBeforeReplacing");
  QTest::addColumn<bool>("mustExist");
  // What the core asks for: see FileDialogsAreAskedForWithTheListPolicy.
  QTest::newRow("save") << true << false << false;
  QTest::newRow("open of a name that does not exist") << false << false << false;
  // The flags the core does not use today still reach the dialog.
  QTest::newRow("save asking before replacing") << true << true << false;
  QTest::newRow("open of existing files only") << false << false << true;
}

void ShellTest::realFileDialog() {
  QFETCH(bool, saving);
  QFETCH(bool, askBeforeReplacing);
  QFETCH(bool, mustExist);
  Workspace ws;
  const QString path = ws.qpath(QStringLiteral("new-list.bin"));
  if (mustExist) ws.writeBytes(QStringLiteral("new-list.bin"), std::vector<std::uint8_t>(1));
  QStringList filters;
  QString selectedFilter;
  bool confirmsOverwrite = !askBeforeReplacing;
  QFileDialog::FileMode fileMode = mustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile;
  bool hasTitle = false;
  whenShown<QFileDialog>([&](QFileDialog* dialog) {
    filters = dialog->nameFilters();
    selectedFilter = dialog->selectedNameFilter();
    confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
    fileMode = dialog->fileMode();
    hasTitle = !dialog->windowTitle().isEmpty();
    // Typed as the user would: selectFile() races with the folder being read.
    child<QLineEdit>(dialog, "fileNameEdit")->setText(path);
    static_cast<QDialog*>(dialog)->accept();  // public in QDialog, runs QFileDialog::accept
  });
  QtPrompts prompts(nullptr);
  FileRequest request = listRequest(saving ? FileDialogMode::Save : FileDialogMode::Open);
  request.askBeforeReplacing = askBeforeReplacing;
  request.mustExist = mustExist;
  const QString chosen = fromPath(prompts.chooseFile(request));
  QCOMPARE(chosen, path);
  QCOMPARE(filters, QStringList({"BIN Files (*.bin)", "All Files (*.*)"}));
  QCOMPARE(selectedFilter, QStringLiteral("BIN Files (*.bin)"));
  QCOMPARE(confirmsOverwrite, askBeforeReplacing);
  QCOMPARE(fileMode, mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  QVERIFY(hasTitle);
}

// The folder is the core's to remember; the real dialog must start there.
void ShellTest::fileDialogsReturnToTheLastFolder() {
  Workspace ws;
  QVERIFY(QDir().mkpath(ws.qpath(QStringLiteral("device"))));
  const QString saved = ws.qpath(QStringLiteral("device/list.bin"));
  ServerListWindow dialog(setupWith(ws.writeGoodConfig()));
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
  QString startFolder;
  whenShown<QFileDialog>([&](QFileDialog* files) {
    child<QLineEdit>(files, "fileNameEdit")->setText(saved);
    static_cast<QDialog*>(files)->accept();
  });
  dialog.findChild<QPushButton*>(QStringLiteral("saveButton"))->click();
  QVERIFY(QFile::exists(saved));
  whenShown<QFileDialog>([&](QFileDialog* files) {
    startFolder = files->directory().absolutePath();
    files->reject();
  });
  dialog.findChild<QPushButton*>(QStringLiteral("openButton"))->click();
  QCOMPARE(startFolder, QFileInfo(saved).absolutePath());
}

void ShellTest::aboutBoxFromTheContextMenu_data() {
  QTest::addColumn<QString>("closeBy");
  QTest::newRow("OK") << "ok";
  QTest::newRow("Enter") << "enter";
  QTest::newRow("Esc") << "esc";
}

void ShellTest::aboutBoxFromTheContextMenu() {
  QFETCH(QString, closeBy);
  Workspace ws;
  DialogRun run(ws.writeGoodConfig());
  ServerListWindow& dialog = run.window();
  run.step(+1);
  QTest::keyClicks(run.field("serverEdit"), QStringLiteral("typed"));

  QStringList menuTexts;
  whenShown<QMenu>(
      [&](QMenu* menu) {
        for (QAction* action : menu->actions()) {
          menuTexts << (action->isSeparator() ? QStringLiteral("--") : action->text());
        }
        menu->setActiveAction(menu->actions().last());
        QTest::keyClick(menu, Qt::Key_Return);
      },
      nullptr, true);

  QString title, version, notice;
  bool okIsDefault = false, hasIcon = false, closed = false;
  whenShown<AboutDialog>(
      [&](AboutDialog* about) {
        title = about->windowTitle();
        version = child<QLabel>(about, "versionLabel")->text();
        notice = child<QLabel>(about, "noticeLabel")->text();
        auto* ok = child<QPushButton>(about, "okButton");
        okIsDefault = ok->isDefault();
        hasIcon = !child<QLabel>(about, "aboutIcon")->pixmap().isNull();
        if (closeBy == "ok") QTest::mouseClick(ok, Qt::LeftButton);
        if (closeBy == "enter") QTest::keyClick(about, Qt::Key_Return);
        if (closeBy == "esc") QTest::keyClick(about, Qt::Key_Escape);
        closed = !about->isVisible();
      },
      &dialog);

  // A right click on the dialog itself, away from its fields.
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), dialog.mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(&dialog, &event);

  QCOMPARE(menuTexts.mid(menuTexts.size() - 2),
           QStringList({QStringLiteral("--"), QStringLiteral("&About VANTO...")}));
  QCOMPARE(title, QStringLiteral("About VANTO"));
  QCOMPARE(version, QStringLiteral("Marlix Version 1.5"));
  QVERIFY(!notice.isEmpty());
  QVERIFY(okIsDefault);
  QVERIFY(hasIcon);
  QVERIFY(closed);
  // Back on the same entry with the unstored edit still in place.
  QVERIFY(dialog.isVisible());
  QCOMPARE(run.position()->value(), 2);
  QCOMPARE(run.field("serverEdit")->text(), QStringLiteral("typed"));
  QVERIFY(run.field("serverEdit")->isModified());
  QCOMPARE(run.prompts.messages.size(), 0);
}

void ShellTest::helpForTheFocusedDialog() {
  Workspace ws;
  DialogRun run(ws.writeGoodConfig());
  ServerListWindow& dialog = run.window();

  QList<HelpTopic> topics;
  std::function<void(HelpWindow*)> closeHelp = [&](HelpWindow* help) {
    topics << help->topic();
    QVERIFY(!child<QWidget>(help, "helpText")->property("plainText").toString().isEmpty());
    help->reject();
  };

  whenShown(closeHelp, &dialog);
  QTest::keyClick(run.field("serverEdit"), Qt::Key_F1);

  whenShown<AboutDialog>(
      [&](AboutDialog* about) {
        whenShown(closeHelp, about);
        QTest::keyClick(about, Qt::Key_F1);
        about->accept();
      },
      &dialog);
  dialog.showAbout();

  QCOMPARE(topics, QList<HelpTopic>({HelpTopic::ServerList, HelpTopic::About}));
}

void ShellTest::helpReadsWithoutScrolling_data() {
  QTest::addColumn<HelpTopic>("topic");
  QTest::newRow("server list") << HelpTopic::ServerList;
  QTest::newRow("About box") << HelpTopic::About;
}

void ShellTest::helpReadsWithoutScrolling() {
  QFETCH(HelpTopic, topic);
  HelpWindow help(topic);
  help.show();
  QVERIFY(QTest::qWaitForWindowExposed(&help));
  auto* text = child<QTextBrowser>(&help, "helpText");
  QCOMPARE(text->verticalScrollBar()->maximum(), 0);
  QCOMPARE(text->horizontalScrollBar()->maximum(), 0);
}

void ShellTest::helpSaysOnlyAMoveAsksToDiscard() {
  // Copy and Save store the entry too, but only a move asks the question.
  QTextDocument document;
  document.setHtml(HelpWindow::html(HelpTopic::ServerList));
  const QStringList sentences =
      document.toPlainText().simplified().split(QRegularExpression(QStringLiteral("(?<=\\.) ")));
  QStringList asking;
  for (const QString& sentence : sentences) {
    if (sentence.contains(QStringLiteral("discard"), Qt::CaseInsensitive)) asking << sentence;
  }
  QVERIFY(!asking.isEmpty());
  for (const QString& sentence : asking) {
    QVERIFY2(sentence.contains(QStringLiteral("mov"), Qt::CaseInsensitive), qPrintable(sentence));
    QVERIFY2(!sentence.contains(QStringLiteral("copy"), Qt::CaseInsensitive), qPrintable(sentence));
    QVERIFY2(!sentence.contains(QStringLiteral("save"), Qt::CaseInsensitive), qPrintable(sentence));
  }
}

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"

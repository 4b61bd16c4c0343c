#include "ui/qt/AboutDialog.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/AppIcon.h"
#include "ui/qt/HelpWindow.h"
#include "ui/AboutText.h"

namespace sci {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("aboutDialog"));
  setWindowTitle(QString::fromLatin1(kAboutCaption));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setWindowIcon(appIcon());

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("aboutIcon"));
  icon->setPixmap(appIcon().pixmap(32, 32));
  icon->setAlignment(Qt::AlignTop);

  auto* version = new QLabel(QString::fromLatin1(kAboutVersionText), this);
  version->setObjectName(QStringLiteral("versionLabel"));
  version->setTextFormat(Qt::PlainText);
  auto* notice = new QLabel(QString::fromLatin1(kAboutNotice), this);
  notice->setObjectName(QStringLiteral("noticeLabel"));
  notice->setTextFormat(Qt::PlainText);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* texts = new QVBoxLayout;
  texts->addWidget(version);
  texts->addWidget(notice);
  texts->addStretch(1);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(icon);
  layout->addSpacing(fontMetrics().averageCharWidth() * 2);
  layout->addLayout(texts, 1);
  layout->addLayout(buttons);
  // One size for minimum and maximum: X11 window managers then offer
  // neither resizing nor maximising.
  layout->setSizeConstraint(QLayout::SetFixedSize);

  auto* help = new QAction(this);
  help->setObjectName(QStringLiteral("helpAction"));
  help->setShortcut(QKeySequence::HelpContents);
  help->setShortcutContext(Qt::WindowShortcut);
  connect(help, &QAction::triggered, this, &AboutDialog::showHelp);
  addAction(help);
}

void AboutDialog::showHelp() {
  HelpWindow help(HelpTopic::About, this);
  help.exec();
}

}  // namespace sci

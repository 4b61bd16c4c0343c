#include "ui/qt/HelpWindow.h"

#include <QDialogButtonBox>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>

#include "ui/qt/AppIcon.h"
#include "ui/HelpText.h"

namespace sci {

namespace {

// Where this front end offers help and About.
constexpr const char* kQtNote = "<p>Right-click the window for this help and the About box.</p>\n";

}  // namespace

HelpWindow::HelpWindow(HelpTopic topic, QWidget* parent) : QDialog(parent), topic_(topic) {
  setObjectName(QStringLiteral("helpWindow"));
  setWindowTitle(QString::fromStdString(helpTitle()));
  setWindowIcon(appIcon());

  auto* text = new QTextBrowser(this);
  text->setObjectName(QStringLiteral("helpText"));
  text->setHtml(html(topic));
  // As tall as the text at about 70 characters a line, so it reads without
  // scrolling; only a screen too small for that brings the scroll bar back.
  const int textWidth = fontMetrics().averageCharWidth() * 70;
  text->document()->setTextWidth(textWidth);
  const int frame = 2 * text->frameWidth();
  int height = qCeil(text->document()->size().height()) + frame;
  if (const QScreen* shownOn = screen()) {
    height = std::min(height, shownOn->availableGeometry().height() * 3 / 4);
  }
  text->setMinimumSize(textWidth + frame, height);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(buttons);
}

QString HelpWindow::html(HelpTopic topic) {
  QString text = QString::fromStdString(helpHtml(topic));
  if (topic == HelpTopic::ServerList) text += QString::fromLatin1(kQtNote);
  return text;
}

}  // namespace sci

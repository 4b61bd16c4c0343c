#include "ui/HelpWindow.h"

#include <QDialogButtonBox>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>

#include "editor/FormLimits.h"
#include "ui/AppIcon.h"
#include "ui/ApplicationName.h"

namespace sci {

namespace {

constexpr const char* kServerListHelp = R"(
<h3>Server list editor</h3>
<p>The list holds 20 server entries. One entry is shown at a time; its
number is shown beside <b>Server List Item:</b>. Step through the list with
the arrows beside it or the Up and Down keys; after 20 comes 1 again.</p>
<h4>Fields</h4>
<ul>
<li><b>IP / URL</b>: the server's address, at most %1 characters.</li>
<li><b>TCP Port</b> (Alt+P): a decimal number.</li>
<li><b>DES Key</b>: 14 bytes as hexadecimal pairs, for example
<tt style="white-space: nowrap">01 23 45 67 89 AB CD EF 01 23 45 67 89 AB</tt>.</li>
<li><b>Name</b>: the login user name, at most %2 characters.</li>
<li><b>Password</b>: the login password, at most %3 characters.</li>
</ul>
<p>Your changes to an entry are kept when you move to another one, copy it
or save the list, provided the address has at least %4 characters, a user name
is given and the password has at least %5 characters. If they are not, moving
asks whether to discard them: OK moves on without them, Cancel stays on the
entry and shows it as last kept. Copy and Save do not ask: they use the entry
as last kept.</p>
<h4>Commands</h4>
<ul>
<li><b>Open...</b>: reads a saved server list (<tt>.bin</tt>) and shows the
entry at the current position.</li>
<li><b>Save...</b>: writes the whole list to a <tt>.bin</tt> file; an
existing file is replaced.</li>
<li><b>Copy</b> / <b>Paste</b>: copies a complete entry and puts it into
another position.</li>
<li><b>Delete</b>: empties the current entry.</li>
<li><b>Exit</b> or Esc: closes the editor. Enter closes it too once every
field is readable. Nothing is saved on the way out.</li>
</ul>
<p>Editing and the file commands need a valid <tt>IPConfig.cfg</tt> in the
folder the editor was started from; its title becomes the window caption.</p>
<p>Right-click the window for this help and the About box.</p>
)";

constexpr const char* kAboutHelp = R"(
<h3>About VANTO</h3>
<p>Shows the editor's version. Close it with <b>OK</b>, Enter or Esc to
return to the server list, which is left as it was.</p>
)";

}  // namespace

HelpWindow::HelpWindow(HelpTopic topic, QWidget* parent) : QDialog(parent), topic_(topic) {
  setObjectName(QStringLiteral("helpWindow"));
  setWindowTitle(applicationName() + QStringLiteral(" Help"));
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
  if (topic == HelpTopic::About) return QString::fromUtf8(kAboutHelp);
  return QString::fromUtf8(kServerListHelp)
      .arg(kServerMaxLength)
      .arg(kUserNameMaxLength)
      .arg(kPasswordMaxLength)
      .arg(kServerMinLength)
      .arg(kPasswordMinLength);
}

}  // namespace sci

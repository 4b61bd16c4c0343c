#include "ui/HelpText.h"

#include <sstream>
#include <string_view>
#include <vector>

#include "editor/FormLimits.h"
#include "ui/AboutText.h"
#include "ui/ApplicationName.h"
#include "ui/DialogConstants.h"

namespace sci {

namespace {

std::string serverListSource() {
  const auto n = [](std::size_t value) { return std::to_string(value); };
  return "# Server list editor\n"
         "The list holds " +
         n(kEntryCount) +
         " server entries. One entry is shown at a time;\n"
         "its number is shown beside **Server List Item:**. Step through the list with\n"
         "the arrows beside it or the Up and Down keys; after " +
         n(kEntryCount) +
         " comes 1 again.\n"
         "\n"
         "## Fields\n"
         "- **IP / URL**: the server's address, at most " +
         n(kServerMaxLength) +
         " characters.\n"
         "- **TCP Port** (Alt+P): a decimal number.\n"
         "- **DES Key**: 14 bytes as hexadecimal pairs, for example\n"
         "`01 23 45 67 89 AB CD EF 01 23 45 67 89 AB`.\n"
         "- **Name**: the login user name, at most " +
         n(kUserNameMaxLength) +
         " characters.\n"
         "- **Password**: the login password, at most " +
         n(kPasswordMaxLength) +
         " characters.\n"
         "\n"
         "Your changes to an entry are kept when you move to another one, copy it\n"
         "or save the list, provided the address has at least " +
         n(kServerMinLength) +
         " characters, a user name\n"
         "is given and the password has at least " +
         n(kPasswordMinLength) +
         " characters. If they are not, moving\n"
         "asks whether to discard them: OK moves on without them, Cancel stays on the\n"
         "entry and shows it as last kept. Copy and Save do not ask: they use the entry\n"
         "as last kept.\n"
         "\n"
         "## Commands\n"
         "- **Open...**: reads a saved server list (`.bin`) and shows the\n"
         "entry at the current position.\n"
         "- **Save...**: writes the whole list to a `.bin` file; an\n"
         "existing file is replaced.\n"
         "- **Copy** / **Paste**: copies a complete entry and puts it into\n"
         "another position.\n"
         "- **Delete**: empties the current entry.\n"
         "- **Exit** or Esc: closes the editor; Enter too, once every field is\n"
         "readable. Changes not yet saved in a file are offered for saving first,\n"
         "also when you log off or shut down.\n"
         "\n"
         "Editing needs a valid `" +
         std::string(kDefaultConfigPath) +
         "`, looked for in the folder the editor was\n"
         "started from, then beside the list it was started with, then beside the\n"
         "program. Its title becomes the window caption.\n";
}

std::string aboutSource() {
  return std::string("# ") + kAboutCaption +
         "\n"
         "Shows the editor's version. Close it with **OK**, Enter or Esc to\n"
         "return to the server list, which is left as it was.\n";
}

enum class BlockKind { Heading1, Heading2, Paragraph, Item };

struct Block {
  BlockKind kind;
  std::string text;  // inline markup kept, lines joined by spaces
  bool listEnds = false;
};

std::vector<Block> parse(const std::string& source) {
  std::vector<Block> blocks;
  std::istringstream lines(source);
  std::string line;
  bool open = false;  // the last block takes continuation lines
  while (std::getline(lines, line)) {
    if (line.empty()) {
      if (!blocks.empty() && blocks.back().kind == BlockKind::Item) blocks.back().listEnds = true;
      open = false;
      continue;
    }
    const std::string_view view(line);
    if (view.starts_with("## ")) {
      blocks.push_back({BlockKind::Heading2, line.substr(3)});
      open = false;
    } else if (view.starts_with("# ")) {
      blocks.push_back({BlockKind::Heading1, line.substr(2)});
      open = false;
    } else if (view.starts_with("- ")) {
      blocks.push_back({BlockKind::Item, line.substr(2)});
      open = true;
    } else if (open) {
      blocks.back().text += " " + line;
    } else {
      blocks.push_back({BlockKind::Paragraph, line});
      open = true;
    }
  }
  if (!blocks.empty() && blocks.back().kind == BlockKind::Item) blocks.back().listEnds = true;
  return blocks;
}

std::string escaped(char ch) {
  switch (ch) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    default:
      return std::string(1, ch);
  }
}

// Inline markup as HTML, or stripped for plain text.
std::string inlineText(const std::string& text, bool html) {
  std::string out;
  bool bold = false;
  bool code = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "**") == 0) {
      if (html) out += bold ? "</b>" : "<b>";
      bold = !bold;
      ++i;
    } else if (text[i] == '`') {
      if (html) out += code ? "</tt>" : "<tt style=\"white-space: nowrap\">";
      code = !code;
    } else {
      out += html ? escaped(text[i]) : std::string(1, text[i]);
    }
  }
  return out;
}

std::string render(const std::string& source, bool html) {
  std::string out;
  bool inList = false;
  for (const Block& block : parse(source)) {
    const std::string text = inlineText(block.text, html);
    if (!html) {
      if (!out.empty() && !(block.kind == BlockKind::Item && inList)) out += "\n";
      out += (block.kind == BlockKind::Item ? "- " : "") + text + "\n";
      inList = block.kind == BlockKind::Item && !block.listEnds;
      continue;
    }
    switch (block.kind) {
      case BlockKind::Heading1:
        out += "<h3>" + text + "</h3>\n";
        break;
      case BlockKind::Heading2:
        out += "<h4>" + text + "</h4>\n";
        break;
      case BlockKind::Paragraph:
        out += "<p>" + text + "</p>\n";
        break;
      case BlockKind::Item:
        if (!inList) out += "<ul>\n";
        out += "<li>" + text + "</li>\n";
        inList = !block.listEnds;
        if (block.listEnds) out += "</ul>\n";
        break;
    }
  }
  return out;
}

}  // namespace

std::string helpTitle() { return applicationName() + " Help"; }

std::string helpSource(HelpTopic topic) {
  return topic == HelpTopic::About ? aboutSource() : serverListSource();
}

std::string helpText(HelpTopic topic) { return render(helpSource(topic), false); }

std::string helpHtml(HelpTopic topic) { return render(helpSource(topic), true); }

}  // namespace sci

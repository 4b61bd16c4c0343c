#pragma once
// The short help offered on F1, written once in a small markup and shown as
// rich text by Qt and as plain text by the Windows help window.
//
// The markup: "# " and "## " start headings, "- " a list item, a blank
// line ends a paragraph or list; within text, **bold** and `code`.

#include <string>

namespace sci {

enum class HelpTopic { ServerList, About };

// "<program> Help"
std::string helpTitle();

// The markup itself.
std::string helpSource(HelpTopic topic);

// Plain text: one line per paragraph and list item, blank lines between blocks.
std::string helpText(HelpTopic topic);

// HTML for a rich text view.
std::string helpHtml(HelpTopic topic);

}  // namespace sci

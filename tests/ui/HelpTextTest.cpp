// The help is written once and shown both as rich and as plain text.

#include <gtest/gtest.h>

#include "ui/HelpText.h"

namespace sci {
namespace {

TEST(HelpText, PlainAndRichSayTheSameWithoutMarkup) {
  for (HelpTopic topic : {HelpTopic::ServerList, HelpTopic::About}) {
    const std::string plain = helpText(topic);
    const std::string html = helpHtml(topic);
    EXPECT_EQ(plain.find("**"), std::string::npos);
    EXPECT_EQ(plain.find('`'), std::string::npos);
    EXPECT_EQ(plain.find('<'), std::string::npos);
    EXPECT_NE(html.find("<h3>"), std::string::npos);
    EXPECT_EQ(html.find("**"), std::string::npos);
  }
  const std::string plain = helpText(HelpTopic::ServerList);
  EXPECT_NE(plain.find("IP / URL: the server's address, at most 31 characters."),
            std::string::npos);
  EXPECT_NE(plain.find("- Delete: empties the current entry."), std::string::npos);
  const std::string html = helpHtml(HelpTopic::ServerList);
  EXPECT_NE(html.find("<li><b>Delete</b>: empties the current entry.</li>"), std::string::npos);
  EXPECT_NE(html.find("<tt style=\"white-space: nowrap\">IPConfig.cfg</tt>"), std::string::npos);
  // Every list that opens is closed.
  std::size_t opened = 0, closed = 0;
  for (std::size_t at = 0; (at = html.find("<ul>", at)) != std::string::npos; ++at) ++opened;
  for (std::size_t at = 0; (at = html.find("</ul>", at)) != std::string::npos; ++at) ++closed;
  EXPECT_EQ(opened, 2u);
  EXPECT_EQ(closed, opened);
}

TEST(HelpText, PlainTextKeepsOneLinePerParagraph) {
  const std::string plain = helpText(HelpTopic::About);
  EXPECT_EQ(plain,
            "About VANTO\n\nShows the editor's version. Close it with OK, Enter or Esc to return "
            "to the server list, which is left as it was.\n");
}

// Where the configuration may come from, not only the start folder.
TEST(HelpText, SaysWhereTheConfigurationIsLookedFor) {
  const std::string text = helpText(HelpTopic::ServerList);
  // In the order they are tried.
  std::size_t previous = 0;
  for (const char* part : {"folder the editor was", "beside the list", "beside the program"}) {
    const std::size_t at = text.find(part);
    ASSERT_NE(at, std::string::npos) << part;
    EXPECT_GT(at, previous) << part;
    previous = at;
  }
}

TEST(HelpText, TitleNamesTheProgram) { EXPECT_TRUE(helpTitle().ends_with(" Help")); }

}  // namespace
}  // namespace sci

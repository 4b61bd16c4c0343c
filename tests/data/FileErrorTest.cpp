#include "data/FileError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

namespace sci {
namespace {

TEST(CauseText, EveryCauseHasItsOwnTextWithOnePlaceForTheName) {
  std::set<std::string> seen;
  for (int c = static_cast<int>(FileErrorCause::Generic);
       c <= static_cast<int>(FileErrorCause::EndOfFile); ++c) {
    const std::string text = causeText(static_cast<FileErrorCause>(c));
    EXPECT_EQ(text.find("%1"), text.rfind("%1")) << text;
    EXPECT_NE(text.find("%1"), std::string::npos) << text;
    EXPECT_TRUE(seen.insert(text).second) << text;
  }
  EXPECT_STREQ(causeText(FileErrorCause::DirectoryFull),
               "%1 could not be created because the directory is full.");
  EXPECT_STREQ(causeText(FileErrorCause::EndOfFile),
               "An attempt was made to access %1 past its end.");
}

struct MessageCase {
  FileOperation operation;
  bool namesPath;
};

void PrintTo(const MessageCase& c, std::ostream* os) {
  *os << "operation " << static_cast<int>(c.operation);
}

class UserMessage : public testing::TestWithParam<MessageCase> {};

TEST_P(UserMessage, NamesThePathOnlyForWriteSideFailures) {
  const auto relative = std::filesystem::path("sub") / "list.bin";
  const FileError error(FileErrorCause::DiskFull, GetParam().operation, relative, ENOSPC);
  const std::string name = GetParam().namesPath
                               ? (std::filesystem::current_path() / relative).string()
                               : std::string("an unnamed file");
  EXPECT_EQ(error.userMessage(), "Disk full while accessing " + name + ".");
  EXPECT_EQ(error.what(), error.userMessage());
  EXPECT_EQ(error.osError(), ENOSPC);
  EXPECT_EQ(error.path(), relative);
}

INSTANTIATE_TEST_SUITE_P(Operations, UserMessage,
                         testing::Values(MessageCase{FileOperation::Write, true},
                                         MessageCase{FileOperation::Flush, true},
                                         MessageCase{FileOperation::Rename, true},
                                         MessageCase{FileOperation::Read, false},
                                         MessageCase{FileOperation::Size, false},
                                         MessageCase{FileOperation::Close, false}));

}  // namespace
}  // namespace sci

// Saving must never leave a damaged file: a save that fails part-way keeps
// the previous file byte for byte and leaves no temporary file behind, on
// every system, for each system's own failures.

#include <gtest/gtest.h>

#include "data/FileError.h"
#include "tests/data/SaveFixture.h"
#include "tests/data/TempDir.h"

namespace sci::test {
namespace {

class FailedSave : public testing::TestWithParam<FailureCase> {
 protected:
  void expectFailure(const fs::path& target) {
    try {
      save(target, GetParam().ops());
      FAIL() << "no FileError";
    } catch (const FileError& e) {
      EXPECT_EQ(e.cause(), GetParam().cause);
      EXPECT_EQ(e.operation(), GetParam().operation);
      EXPECT_EQ(e.path(), target);
    }
  }

  TempDir dir;
};

TEST_P(FailedSave, KeepsThePreviousFileByteForByte) {
  const auto target = dir / "list.bin";
  writeBytes(target, previousList());
  expectFailure(target);
  EXPECT_EQ(readBytes(target), previousList());
  EXPECT_EQ(dir.names(), std::set<std::string>{"list.bin"});
}

TEST_P(FailedSave, LeavesNothingWhenThereWasNoFile) {
  expectFailure(dir / "new.bin");
  EXPECT_TRUE(dir.names().empty());
}

INSTANTIATE_TEST_SUITE_P(Failures, FailedSave, testing::ValuesIn(saveFailures()),
                         [](const auto& info) { return info.param.name; });

TEST_F(AtomicSave, TargetsThatCannotBeOpenedAreOpenFailed) {
  writeBytes(dir / "plain", Bytes{1});
  fs::create_directory(dir / "folder.bin");
  const fs::path targets[] = {dir / "missing" / "list.bin", dir / "folder.bin",
                              dir / "plain" / "list.bin", dir.path() / ""};
  for (const auto& target : targets) {
    EXPECT_EQ(save(target), FileResult::OpenFailed) << target;
  }
  EXPECT_TRUE(fs::is_directory(dir / "folder.bin"));
  EXPECT_TRUE(fs::is_empty(dir / "folder.bin"));
  EXPECT_EQ(dir.names(), (std::set<std::string>{"folder.bin", "plain"}));
}

}  // namespace
}  // namespace sci::test

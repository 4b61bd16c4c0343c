// scitool's reasons for a small file it cannot use, with the read call
// replaced so that the failures after opening can be made to happen.
#include "cli/SmallFileReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "data/SystemError.h"
#include "tests/SystemForTests.h"

namespace sci {
namespace {

namespace fs = std::filesystem;

struct ReasonCase {
  const char* name;
  std::size_t fileSize;  // 0: no file at all
  std::function<ReadCall()> makeReadCall;
  std::string reason;
};

ReadCall plainRead() { return systemRead(); }

const ReasonCase kCases[] = {
    {"read", 8, plainRead, ""},
    {"missing", 0, plainRead, "cannot open: " + test::notFoundText()},
    {"other size", 9, plainRead, "Length Error! (9 bytes found, 4 or 8 expected)"},
    {"read fails", 8,
     [] {
       return ReadCall([](NativeFile, void*, std::size_t) -> ssize_t {
         setLastSystemError(test::kIoErrorCode);
         return -1;
       });
     },
     "cannot read: " + test::ioErrorText()},
    // Once a length error, as if the file had always been short; now the
    // same failure as in the editor.
    {"shrinks while read", 8,
     [] {
       return ReadCall(
           [calls = 0](NativeFile file, void* buffer, std::size_t size) mutable -> ssize_t {
             return ++calls == 1 ? systemRead()(file, buffer, size / 2) : 0;
           });
     },
     "An attempt was made to access an unnamed file past its end."},
};

TEST(SmallFileReader, GivesOneReasonPerFailure) {
  const fs::path dir =
      fs::path(testing::TempDir()) / ("small-file-" + std::to_string(test::processId()));
  fs::create_directories(dir);
  for (const ReasonCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const fs::path path = dir / c.name;
    if (c.fileSize != 0) {
      std::ofstream file(path, std::ios::binary);
      const std::vector<char> bytes(c.fileSize, 'x');
      file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      file.close();
      ASSERT_TRUE(file.good());
    }
    const SmallFile read = readSmallFile(path.string(), {4, 8}, c.makeReadCall());
    EXPECT_EQ(read.failure, c.reason);
    EXPECT_EQ(read.bytes.size(), c.reason.empty() ? c.fileSize : 0);
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace sci

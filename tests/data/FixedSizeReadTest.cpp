#include "data/FixedSizeRead.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "data/FileError.h"
#include "data/OpenForReading.h"
#include "data/SystemError.h"
#include "tests/SystemForTests.h"
#include "tests/data/TempDir.h"

namespace sci {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::TempDir;
using test::writeBytes;

constexpr std::size_t kSize = 52;

// Both readers, reduced to what the tests compare: the result and the bytes.
struct Reader {
  const char* name;
  std::function<FileResult(const fs::path&, const ReadCall&, Bytes&)> read;
};

const Reader kReaders[] = {
    {"FixedSize",
     [](const fs::path& path, const ReadCall& readCall, Bytes& bytes) {
       std::array<std::uint8_t, kSize> out{};
       const FileResult result = readFixedSizeFile(path, out, readCall);
       bytes.assign(out.begin(), out.end());
       return result;
     }},
    {"OneOfSeveralSizes",
     [](const fs::path& path, const ReadCall& readCall, Bytes& bytes) {
       FileOfSize file = readFileOfSize(path, {kSize - 10, kSize}, readCall);
       bytes = file.bytes;
       return file.result;
     }},
};

// Read calls that misbehave in a chosen way once the file is open. Each
// case makes its own, so no state outlives a test.
struct ReadFaultCase {
  const char* name;
  std::function<ReadCall()> makeReadCall;
  FileErrorCause cause;  // what the FileError carries
  int osError;
};

const ReadFaultCase kReadFaults[] = {
    // The file shrank after its size was taken: the rest must not count as data.
    {"shrinks while read",
     [] {
       return ReadCall(
           [calls = 0](NativeFile file, void* buffer, std::size_t size) mutable -> ssize_t {
             return ++calls == 1 ? systemRead()(file, buffer, size / 2) : 0;
           });
     },
     FileErrorCause::EndOfFile, 0},
    {"read fails",
     [] {
       return ReadCall([](NativeFile, void*, std::size_t) -> ssize_t {
         setLastSystemError(test::kIoErrorCode);
         return -1;
       });
     },
     FileErrorCause::HardIO, test::kIoErrorCode},
};

class FixedSizeRead : public testing::TestWithParam<Reader> {
 protected:
  TempDir dir;
};

TEST_P(FixedSizeRead, ReadFaultsAreFileErrorsNotData) {
  writeBytes(dir / "f", Bytes(kSize, 1));
  for (const ReadFaultCase& fault : kReadFaults) {
    SCOPED_TRACE(fault.name);
    Bytes bytes;
    try {
      GetParam().read(dir / "f", fault.makeReadCall(), bytes);
      ADD_FAILURE() << "no FileError";
    } catch (const FileError& e) {
      EXPECT_EQ(e.cause(), fault.cause);
      EXPECT_EQ(e.operation(), FileOperation::Read);
      EXPECT_EQ(e.osError(), fault.osError);
    }
  }
}

TEST_P(FixedSizeRead, ShrunkFileSaysSoInTheUsersWords) {
  writeBytes(dir / "f", Bytes(kSize, 1));
  Bytes bytes;
  try {
    GetParam().read(dir / "f", kReadFaults[0].makeReadCall(), bytes);
    FAIL() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.userMessage(), "An attempt was made to access an unnamed file past its end.");
  }
}

TEST_P(FixedSizeRead, InterruptedAndPieceByPieceReadsComplete) {
  Bytes content(kSize);
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<std::uint8_t>(i);
  writeBytes(dir / "f", content);
  // Where calls are never interrupted, the pieces alone are tried.
  const ReadCall interruptedOnce = [interrupted = !test::kInterruptedCode](
                                       NativeFile file, void* buffer,
                                       std::size_t) mutable -> ssize_t {
    if (!interrupted) {
      interrupted = true;
      setLastSystemError(*test::kInterruptedCode);
      return -1;
    }
    return systemRead()(file, buffer, 1);
  };
  Bytes bytes;
  ASSERT_EQ(GetParam().read(dir / "f", interruptedOnce, bytes), FileResult::Ok);
  EXPECT_EQ(bytes, content);
}

TEST_P(FixedSizeRead, RefusesWhatIsNotAFileOfAWantedSize) {
  writeBytes(dir / "short", Bytes(kSize - 1, 1));
  writeBytes(dir / "long", Bytes(kSize + 1, 1));
  fs::create_directory(dir / "folder");
  const auto noPipe = test::makeFifo(dir / "pipe");
  const struct {
    fs::path path;
    FileResult result;
  } cases[] = {
      {dir / "short", FileResult::LengthError},
      {dir / "long", FileResult::LengthError},
      {noPipe ? test::nullDevice() : dir / "pipe", FileResult::LengthError},
      {test::otherDevice(), FileResult::LengthError},
      {dir / "folder", FileResult::OpenFailed},
      {dir / "missing", FileResult::OpenFailed},
  };
  for (const auto& c : cases) {
    Bytes bytes;
    EXPECT_EQ(GetParam().read(c.path, systemRead(), bytes), c.result) << c.path;
  }
}

INSTANTIATE_TEST_SUITE_P(BothReaders, FixedSizeRead, testing::ValuesIn(kReaders),
                         [](const testing::TestParamInfo<Reader>& info) {
                           return std::string(info.param.name);
                         });

TEST(ReadFileOfSize, TakesAnyListedSizeAndGivesTheSystemsReasonForOpenFailed) {
  TempDir dir;
  writeBytes(dir / "small", Bytes(kSize - 10, 2));
  writeBytes(dir / "large", Bytes(kSize, 3));
  fs::create_directory(dir / "folder");

  const FileOfSize small = readFileOfSize(dir / "small", {kSize, kSize - 10});
  EXPECT_EQ(small.result, FileResult::Ok);
  EXPECT_EQ(small.bytes, Bytes(kSize - 10, 2));
  const FileOfSize large = readFileOfSize(dir / "large", {kSize, kSize - 10});
  EXPECT_EQ(large.result, FileResult::Ok);
  EXPECT_EQ(large.bytes, Bytes(kSize, 3));
  const FileOfSize unlisted = readFileOfSize(dir / "large", {kSize - 10});
  EXPECT_EQ(unlisted.result, FileResult::LengthError);
  EXPECT_TRUE(unlisted.bytes.empty());
  // The size found, for a message that says what was expected instead.
  EXPECT_EQ(unlisted.size, kSize);

  EXPECT_EQ(readFileOfSize(dir / "missing", {kSize}).openError, test::kNotFoundCode);
  EXPECT_EQ(readFileOfSize(dir / "folder", {kSize}).openError, folderError());
}

}  // namespace
}  // namespace sci

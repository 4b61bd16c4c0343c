#include "data/FixedSizeRead.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <functional>
#include <string>

#include "data/FileError.h"
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
       return ReadCall([calls = 0](int fd, void* buffer, std::size_t size) mutable -> ssize_t {
         return ++calls == 1 ? ::read(fd, buffer, size / 2) : 0;
       });
     },
     FileErrorCause::EndOfFile, 0},
    {"read fails",
     [] {
       return ReadCall([](int, void*, std::size_t) -> ssize_t {
         errno = EIO;
         return -1;
       });
     },
     FileErrorCause::HardIO, EIO},
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
  const ReadCall interruptedOnce = [interrupted = false](int fd, void* buffer,
                                                         std::size_t) mutable -> ssize_t {
    if (!interrupted) {
      interrupted = true;
      errno = EINTR;
      return -1;
    }
    return ::read(fd, buffer, 1);
  };
  Bytes bytes;
  ASSERT_EQ(GetParam().read(dir / "f", interruptedOnce, bytes), FileResult::Ok);
  EXPECT_EQ(bytes, content);
}

TEST_P(FixedSizeRead, RefusesWhatIsNotAFileOfAWantedSize) {
  writeBytes(dir / "short", Bytes(kSize - 1, 1));
  writeBytes(dir / "long", Bytes(kSize + 1, 1));
  fs::create_directory(dir / "folder");
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  const struct {
    const char* name;
    FileResult result;
  } cases[] = {
      {"short", FileResult::LengthError},  {"long", FileResult::LengthError},
      {"pipe", FileResult::LengthError},   {"folder", FileResult::OpenFailed},
      {"missing", FileResult::OpenFailed},
  };
  for (const auto& c : cases) {
    Bytes bytes;
    EXPECT_EQ(GetParam().read(dir / c.name, systemRead(), bytes), c.result) << c.name;
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

  EXPECT_EQ(readFileOfSize(dir / "missing", {kSize}).openError, ENOENT);
  EXPECT_EQ(readFileOfSize(dir / "folder", {kSize}).openError, EISDIR);
}

}  // namespace
}  // namespace sci

// Another program that holds a list for a moment right after it was
// written (a virus scanner, an indexer, a sync client) must not make a
// save or an open fail: they wait for about a second. Held longer, the
// save is refused and the list stays whole (AtomicSaveTest.cpp).

#include "data/windows/HeldFile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <future>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "data/FileError.h"
#include "data/ServerListFile.h"
#include "tests/data/SaveFixture.h"
#include "tests/data/TempDir.h"

namespace sci::test {
namespace {

namespace fs = std::filesystem;

struct RetryCase {
  std::string name;
  std::vector<DWORD> errors;  // what each attempt meets; 0 lets it succeed
  bool succeeds;
  std::vector<DWORD> pauses;  // the pauses taken, in order
  DWORD finalError;           // set when it gives up
};

void PrintTo(const RetryCase& c, std::ostream* os) { *os << c.name; }

class RetryPolicy : public testing::TestWithParam<RetryCase> {};

TEST_P(RetryPolicy, PausesAsLongAsTheErrorDeserves) {
  const RetryCase& c = GetParam();
  std::size_t attempts = 0;
  std::vector<DWORD> pauses;
  const bool ok = retryWhileHeld(
      [&] {
        const DWORD error = attempts < c.errors.size() ? c.errors[attempts] : c.errors.back();
        ++attempts;
        ::SetLastError(error);
        return error == 0;
      },
      [&](DWORD ms) {
        pauses.push_back(ms);
        ::SetLastError(ERROR_SUCCESS);  // a real Sleep may change it too
      });
  EXPECT_EQ(ok, c.succeeds);
  EXPECT_EQ(pauses, c.pauses);
  EXPECT_EQ(attempts, pauses.size() + 1);
  if (!c.succeeds) {
    EXPECT_EQ(::GetLastError(), c.finalError);
  }
}

INSTANTIATE_TEST_SUITE_P(
    HeldFile, RetryPolicy,
    testing::Values(
        RetryCase{"FreeAtOnce", {0}, true, {}, 0},
        RetryCase{"HeldBriefly",
                  {ERROR_SHARING_VIOLATION, ERROR_SHARING_VIOLATION, 0},
                  true,
                  {50, 100},
                  0},
        RetryCase{"LockedBriefly", {ERROR_LOCK_VIOLATION, 0}, true, {50}, 0},
        RetryCase{"HeldTooLong",
                  {ERROR_SHARING_VIOLATION},
                  false,
                  {50, 100, 200, 300, 400},
                  ERROR_SHARING_VIOLATION},
        RetryCase{"DeniedIsTriedOnlyBriefly",
                  {ERROR_ACCESS_DENIED},
                  false,
                  {50, 100},
                  ERROR_ACCESS_DENIED},
        RetryCase{"DeniedThenFree", {ERROR_ACCESS_DENIED, 0}, true, {50}, 0},
        RetryCase{"MissingIsNotWaitedFor", {ERROR_FILE_NOT_FOUND}, false, {}, ERROR_FILE_NOT_FOUND},
        RetryCase{"HeldThenDenied",
                  {ERROR_SHARING_VIOLATION, ERROR_SHARING_VIOLATION, ERROR_ACCESS_DENIED},
                  false,
                  {50, 100},
                  ERROR_ACCESS_DENIED}),
    [](const testing::TestParamInfo<RetryCase>& info) { return info.param.name; });

// Opens `path` as another program would, then lets go after `hold`; the
// constructor returns once the file is held.
class Holder {
 public:
  Holder(const fs::path& path, DWORD sharing, std::chrono::milliseconds hold) {
    std::promise<bool> opened;
    auto held = opened.get_future();
    thread_ = std::thread([path, sharing, hold, &opened] {
      const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
      opened.set_value(file != INVALID_HANDLE_VALUE);
      if (file == INVALID_HANDLE_VALUE) return;
      std::this_thread::sleep_for(hold);
      ::CloseHandle(file);
    });
    ok_ = held.get();
  }
  ~Holder() { thread_.join(); }
  Holder(const Holder&) = delete;
  Holder& operator=(const Holder&) = delete;
  bool ok() const { return ok_; }

 private:
  std::thread thread_;
  bool ok_ = false;
};

struct HoldCase {
  std::string name;
  DWORD sharing;
  int holdMs;
};

void PrintTo(const HoldCase& c, std::ostream* os) { *os << c.name; }

class BriefHold : public testing::TestWithParam<HoldCase> {
 protected:
  TempDir dir;
};

// 700 ms is what the save waits for and more: the attempts come at about
// 0, 50, 150, 350, 650 and 1050 ms.
const HoldCase kBriefHolds[] = {
    {"Unshared300ms", 0, 300},
    {"Unshared700ms", 0, 700},
    {"ReadAndWriteShared300ms", FILE_SHARE_READ | FILE_SHARE_WRITE, 300},
};

TEST_P(BriefHold, SaveWaitsAndReplacesTheList) {
  const auto target = dir / "list.bin";
  writeBytes(target, previousList());
  {
    Holder holder(target, GetParam().sharing, std::chrono::milliseconds(GetParam().holdMs));
    ASSERT_TRUE(holder.ok());
    EXPECT_EQ(save(target), FileResult::Ok);
  }
  EXPECT_EQ(readBytes(target), expectedImage());
  EXPECT_EQ(dir.names(), std::set<std::string>{"list.bin"});
}

TEST_P(BriefHold, OpenWaitsAndReadsTheList) {
  const auto target = dir / "list.bin";
  ASSERT_EQ(save(target), FileResult::Ok);
  ServerTable table;
  {
    Holder holder(target, GetParam().sharing, std::chrono::milliseconds(GetParam().holdMs));
    ASSERT_TRUE(holder.ok());
    EXPECT_EQ(readServerList(target, table), FileResult::Ok);
  }
  EXPECT_EQ(table.entries, sampleTable().entries);
}

INSTANTIATE_TEST_SUITE_P(HeldFile, BriefHold, testing::ValuesIn(kBriefHolds),
                         [](const testing::TestParamInfo<HoldCase>& info) {
                           return info.param.name;
                         });

// The other program takes the list in the moment between the save's first
// look and its rename, and holds it unshared for `hold`.
class HoldAtRename : public testing::Test {
 protected:
  void SetUp() override { writeBytes(target, previousList()); }

  WriteOps opsHolding(std::chrono::milliseconds hold) {
    WriteOps ops = WriteOps::system();
    ops.rename = [this, hold, rename = ops.rename](NativeFile file, const fs::path& to) {
      if (!holder) holder = std::make_unique<Holder>(target, 0, hold);
      return rename(file, to);
    };
    return ops;
  }

  TempDir dir;
  const fs::path target = dir / "list.bin";
  std::unique_ptr<Holder> holder;
};

// The rename waits as well, and the temporary file is never left behind.
TEST_F(HoldAtRename, ABriefHoldIsWaitedFor) {
  EXPECT_EQ(save(target, opsHolding(std::chrono::milliseconds(300))), FileResult::Ok);
  ASSERT_TRUE(holder && holder->ok());
  holder.reset();
  EXPECT_EQ(readBytes(target), expectedImage());
  EXPECT_EQ(dir.names(), std::set<std::string>{"list.bin"});
}

TEST_F(HoldAtRename, AHoldTooLongKeepsTheCauseAndTheOldList) {
  try {
    save(target, opsHolding(std::chrono::milliseconds(2000)));
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.cause(), FileErrorCause::SharingViolation);
    EXPECT_EQ(e.operation(), FileOperation::Rename);
  }
  holder.reset();
  EXPECT_EQ(readBytes(target), previousList());
  EXPECT_EQ(dir.names(), std::set<std::string>{"list.bin"});
}

}  // namespace
}  // namespace sci::test

#pragma once
// What the atomic-save tests of every system share: one list, written with
// a fixed random source so the expected file is known byte for byte; the
// previous file a failed save must keep; and write operations that fail
// the way a full or broken disk does. Each system names its own failures
// (FailedSaveTest.cpp runs them) in its AtomicSaveTest.cpp.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "data/AtomicWrite.h"
#include "data/DeviceConfig.h"
#include "data/FileError.h"
#include "data/ServerListFile.h"
#include "data/SystemError.h"
#include "tests/data/TempDir.h"

namespace sci::test {

inline const DeviceConfig& saveConfig() {
  static const DeviceConfig c = DeviceConfig::fromValues("Save", 1, 2, 3);
  return c;
}

inline unsigned fixedRandom() { return 77; }

inline ServerTable sampleTable() {
  ServerTable table = initialTable();
  storeFields(table.entries[0], "new.example", 443, "01 02 03", "u", "p");
  return table;
}

inline Bytes expectedImage() {
  const auto image = encodeServerList(sampleTable(), saveConfig(), fixedRandom);
  return Bytes(image.begin(), image.end());
}

inline FileResult save(const fs::path& path, const WriteOps& ops = WriteOps::system()) {
  return writeServerList(path, sampleTable(), saveConfig(), fixedRandom, ops);
}

// A list-sized file that is not the new list.
inline Bytes previousList() {
  Bytes previous(kServerListSize);
  for (std::size_t i = 0; i < previous.size(); ++i) {
    previous[i] = static_cast<std::uint8_t>(i % 251);
  }
  return previous;
}

// The system's code for a hardware I/O error (each system's test file).
extern const int kHardIoError;

// Passes at most `limit` bytes in total to the real write, in pieces of at
// most `piece`, then fails with the system error `error` (or returns 0 when
// error is 0). A writer that keeps retrying a failure is stopped with a
// hardware error, so the test fails instead of hanging.
inline WriteOps writesThenFails(std::size_t limit, std::size_t piece, int error) {
  auto written = std::make_shared<std::size_t>(0);
  auto failures = std::make_shared<int>(0);
  const WriteOps real = WriteOps::system();
  WriteOps ops = real;
  ops.write = [=](NativeFile file, const void* data, std::size_t size) mutable -> long {
    if (*written >= limit) {
      if (++*failures > 100) error = kHardIoError;
      setLastSystemError(error);
      return error == 0 ? 0 : -1;
    }
    const long n = real.write(file, data, std::min({size, piece, limit - *written}));
    if (n > 0) *written += static_cast<std::size_t>(n);
    return n;
  };
  return ops;
}

inline WriteOps flushFails(int error) {
  WriteOps ops = WriteOps::system();
  ops.fsync = [=](NativeFile) {
    setLastSystemError(error);
    return -1;
  };
  return ops;
}

// A save that must fail with this cause in this operation.
struct FailureCase {
  std::string name;
  std::function<WriteOps()> ops;
  FileErrorCause cause;
  FileOperation operation;
};

inline void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

// Each system's table of failures, run by FailedSaveTest.cpp.
std::vector<FailureCase> saveFailures();

class AtomicSave : public testing::Test {
 protected:
  TempDir dir;
};

}  // namespace sci::test

#pragma once
// Inputs shared by the benchmarks: a full table, a device configuration and
// a scratch directory that is removed again.

#include <filesystem>

#include "data/DeviceConfig.h"
#include "data/ServerEntry.h"

namespace sci::bench {

// Every slot filled with distinct, complete values.
ServerTable fullTable();

DeviceConfig benchConfig();

// Always the same preamble bytes, so runs compare.
unsigned fixedRandom();

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace sci::bench

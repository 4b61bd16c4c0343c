#include "bench/BenchData.h"

#include <unistd.h>

#include <stdexcept>
#include <string>

namespace sci::bench {

ServerTable fullTable() {
  ServerTable table = initialTable();
  for (std::size_t i = 0; i < kEntryCount; ++i) {
    const std::string n = std::to_string(i);
    storeFields(table.entries[i], "server-" + n + ".bench.example.net", 5000 + i,
                "0" + n + " 1F 2E 3D 4C 5B 6A 79 88 97 A6 B5 C4 D3", "operator" + n, "secret" + n);
  }
  return table;
}

DeviceConfig benchConfig() {
  return DeviceConfig::fromValues("Bench device V1.0", 0x1234, 0x89ABCDEF, 0x56);
}

unsigned fixedRandom() { return 97; }

ScratchDir::ScratchDir()
    : path_(std::filesystem::temp_directory_path() /
            ("sciedit-bench-" + std::to_string(::getpid()))) {
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace sci::bench

// Reading and checking many small files one after another, as a bulk check
// of a directory of saved lists and device configurations does. One in ten
// files is damaged so the failure path is part of the figure.

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "bench/BenchData.h"
#include "data/DeviceConfig.h"
#include "data/ServerListFile.h"

namespace sci::bench {
namespace {

constexpr int kFileCount = 2000;
constexpr int kDamagedEvery = 10;

template <typename Bytes>
std::vector<std::filesystem::path> writeFiles(const ScratchDir& dir, const char* extension,
                                              Bytes bytes) {
  std::vector<std::filesystem::path> paths;
  for (int i = 0; i < kFileCount; ++i) {
    Bytes copy = bytes;
    if (i % kDamagedEvery == 0) copy[copy.size() - 1] ^= 0x5A;
    paths.push_back(dir.path() / ("file" + std::to_string(i) + extension));
    std::ofstream(paths.back(), std::ios::binary)
        .write(reinterpret_cast<const char*>(copy.data()),
               static_cast<std::streamsize>(copy.size()));
  }
  return paths;
}

// Reads every file once per iteration; readOne says whether a file was good.
template <typename ReadOne>
void readAll(benchmark::State& state, const std::vector<std::filesystem::path>& paths,
             ReadOne readOne) {
  int good = 0;
  for (auto _ : state) {
    good = 0;
    for (const auto& path : paths) {
      if (readOne(path)) ++good;
    }
  }
  if (good != kFileCount - kFileCount / kDamagedEvery) state.SkipWithError("wrong good count");
  state.counters["files"] = kFileCount;
  state.counters["files/s"] = benchmark::Counter(
      static_cast<double>(kFileCount) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_BulkReadServerLists(benchmark::State& state) {
  const ScratchDir dir;
  readAll(state, writeFiles(dir, ".bin", encodeServerList(fullTable(), benchConfig(), fixedRandom)),
          [](const std::filesystem::path& path) {
            ServerTable table{};
            const bool good = readServerList(path, table) == FileResult::Ok;
            benchmark::DoNotOptimize(table);
            return good;
          });
}
BENCHMARK(BM_BulkReadServerLists)->Unit(benchmark::kMillisecond);

void BM_BulkLoadDeviceConfigs(benchmark::State& state) {
  const ScratchDir dir;
  readAll(
      state,
      writeFiles(dir, ".cfg", encodeDeviceConfig("Bench device V1.0", 0x1234, 0x89ABCDEF, 0x56)),
      [](const std::filesystem::path& path) {
        DeviceConfig config;
        const bool good = loadDeviceConfig(config, path) == FileResult::Ok;
        benchmark::DoNotOptimize(config);
        return good;
      });
}
BENCHMARK(BM_BulkLoadDeviceConfigs)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sci::bench

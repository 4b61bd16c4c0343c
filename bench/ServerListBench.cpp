// Encoding, decoding and the save/open round trip of one full server list.

#include <benchmark/benchmark.h>

#include "bench/BenchData.h"
#include "data/ServerListFile.h"

namespace sci::bench {
namespace {

void BM_EncodeServerList(benchmark::State& state) {
  const ServerTable table = fullTable();
  const DeviceConfig config = benchConfig();
  for (auto _ : state) {
    ServerListImage image = encodeServerList(table, config, fixedRandom);
    benchmark::DoNotOptimize(image);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kServerListSize));
}
BENCHMARK(BM_EncodeServerList);

void BM_DecodeServerList(benchmark::State& state) {
  const ServerListImage image = encodeServerList(fullTable(), benchConfig(), fixedRandom);
  ServerTable table{};
  for (auto _ : state) {
    FileResult result = decodeServerList(image, table);
    benchmark::DoNotOptimize(result);
    benchmark::DoNotOptimize(table);
  }
  if (table.entries != fullTable().entries) state.SkipWithError("decoded table differs");
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kServerListSize));
}
BENCHMARK(BM_DecodeServerList);

// Save and open again through the file system (the preamble comes back with
// the writer's markers, so only the entries are compared); the save is atomic and
// flushed, so this measures mostly the disk.
void BM_WriteReadServerList(benchmark::State& state) {
  const ScratchDir dir;
  const auto path = dir.path() / "list.bin";
  const ServerTable table = fullTable();
  const DeviceConfig config = benchConfig();
  ServerTable readBack{};
  for (auto _ : state) {
    if (writeServerList(path, table, config, fixedRandom) != FileResult::Ok ||
        readServerList(path, readBack) != FileResult::Ok) {
      state.SkipWithError("round trip failed");
      break;
    }
  }
  if (readBack.entries != table.entries) state.SkipWithError("read-back table differs");
}
BENCHMARK(BM_WriteReadServerList)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
}  // namespace sci::bench

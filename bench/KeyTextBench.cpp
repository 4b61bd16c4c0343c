// The key's text form, converted on every show and store of an entry.

#include <benchmark/benchmark.h>

#include <string>

#include "data/ServerEntry.h"

namespace sci::bench {
namespace {

void BM_FormatKey(benchmark::State& state) {
  ServerEntry entry = DefaultEntry();
  for (auto _ : state) {
    std::string text = formatKey(entry);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_FormatKey);

void BM_ParseKey(benchmark::State& state, const char* text) {
  for (auto _ : state) {
    Key key = parseKey(text);
    benchmark::DoNotOptimize(key);
  }
}
BENCHMARK_CAPTURE(BM_ParseKey, spaced, "01 23 45 67 89 AB CD EF FE DC BA 98 76 54");
BENCHMARK_CAPTURE(BM_ParseKey, packed, "0123456789ABCDEFFEDCBA98765410");
BENCHMARK_CAPTURE(BM_ParseKey, stopsEarly, "01 02 ZZ 04");

}  // namespace
}  // namespace sci::bench

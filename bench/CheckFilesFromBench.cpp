// `scitool check --files-from` over 100,000 files, as a check of a large
// archive of saved lists and configurations does, next to cksum reading the
// same files (through xargs) for scale. Both run as separate processes on
// files already in the page cache; the figure is files per second of wall
// time. Half the files are server lists, half device configurations, and
// one in ten is damaged so the failure path is part of the figure.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/BenchData.h"
#include "data/DeviceConfig.h"
#include "data/ServerListFile.h"

extern char** environ;

namespace sci::bench {
namespace {

constexpr int kFileCount = 100000;
constexpr int kDamagedEvery = 10;
constexpr int kPerFolder = 1000;

// Made once for every benchmark of this run: writing 100,000 files takes
// longer than checking them.
class Archive {
 public:
  Archive() {
    const auto list = encodeServerList(fullTable(), benchConfig(), fixedRandom);
    const auto config = encodeDeviceConfig("Bench device V1.0", 0x1234, 0x89ABCDEF, 0x56);
    std::ofstream names(namesPath(), std::ios::binary);
    for (int i = 0; i < kFileCount; ++i) {
      const auto folder = dir_.path() / ("d" + std::to_string(i / kPerFolder));
      if (i % kPerFolder == 0) std::filesystem::create_directory(folder);
      std::vector<std::uint8_t> bytes =
          i % 2 == 0 ? std::vector<std::uint8_t>(list.begin(), list.end())
                     : std::vector<std::uint8_t>(config.begin(), config.end());
      if (i % kDamagedEvery == 0) bytes[bytes.size() - 1] ^= 0x5A;
      const auto path = folder / ("file" + std::to_string(i) + (i % 2 == 0 ? ".bin" : ".cfg"));
      std::ofstream(path, std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
      names << path.native() << '\0';
    }
    if (!names) throw std::runtime_error("cannot write the list of names");
  }
  std::filesystem::path namesPath() const { return dir_.path() / "names.nul"; }

 private:
  ScratchDir dir_;
};

const Archive& archive() {
  static const Archive made;
  return made;
}

// Runs a program with the list of names on standard input and its output
// thrown away; true when it exits with the status expected.
bool runWithNames(const std::vector<std::string>& args, int expectedStatus) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, archive().namesPath().c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  return spawned == 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
         WEXITSTATUS(status) == expectedStatus;
}

void runFilesPerSecond(benchmark::State& state, const std::vector<std::string>& args,
                       int expectedStatus) {
  archive();
  // Once untimed, so both programs find the files in the page cache.
  if (!runWithNames(args, expectedStatus)) state.SkipWithError("the program failed");
  for (auto _ : state) {
    if (!runWithNames(args, expectedStatus)) state.SkipWithError("the program failed");
  }
  state.counters["files"] = kFileCount;
  state.counters["files/s"] = benchmark::Counter(
      static_cast<double>(kFileCount) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_CheckFilesFrom(benchmark::State& state) {
  // Exit status 1: the damaged files are reported.
  runFilesPerSecond(state, {SCITOOL_PATH, "check", "-0", "--files-from", "-"}, 1);
}
BENCHMARK(BM_CheckFilesFrom)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_CksumSameFiles(benchmark::State& state) {
  runFilesPerSecond(state, {"xargs", "-0", "cksum"}, 0);
}
BENCHMARK(BM_CksumSameFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

}  // namespace
}  // namespace sci::bench

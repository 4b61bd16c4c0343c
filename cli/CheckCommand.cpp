#include <fmt/format.h>

#include "cli/Commands.h"
#include "cli/EditorWords.h"
#include "cli/SmallFileReader.h"
#include "data/DeviceConfig.h"
#include "data/ServerListFile.h"

namespace sci {
namespace {

// A 52-byte file can only be a device configuration; anything else is
// judged as a server list.
std::string checkFile(const std::string& path) {
  const SmallFile file = readSmallFile(path, {kDeviceConfigSize, kServerListSize});
  if (!file.failure.empty()) return file.failure;
  if (file.bytes.size() == kDeviceConfigSize) {
    DeviceConfig config;
    return deviceConfigResultText(decodeDeviceConfig(file.bytes, config));
  }
  static ServerTable table{};
  return serverListResultText(decodeServerList(file.bytes, table));
}

}  // namespace

int runCheck(const std::vector<std::string>& paths) {
  int exitCode = kExitOk;
  for (const std::string& path : paths) {
    const std::string failure = checkFile(path);
    if (failure.empty()) {
      fmt::print("{}: OK\n", path);
    } else {
      fmt::print("{}: {}\n", path, failure);
      exitCode = kExitRefused;
    }
  }
  return exitCode;
}

}  // namespace sci

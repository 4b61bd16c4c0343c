#include <fmt/format.h>

#include "cli/Commands.h"
#include "cli/EditorWords.h"
#include "cli/SmallFileReader.h"
#include "cli/TerminalText.h"
#include "data/DeviceConfig.h"
#include "data/ServerListFile.h"

namespace sci {
namespace {

// A 52-byte file can only be a device configuration; anything else is
// judged as a server list.
std::string checkFile(const std::string& path) {
  const SmallFile file = readFileOfSize(path, {kDeviceConfigSize, kServerListSize});
  if (file.status != SmallFile::Status::Read) return smallFileFailureText(file);
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
      fmt::print("{}: OK\n", printableName(path));
    } else {
      fmt::print("{}: {}\n", printableName(path), failure);
      exitCode = kExitRefused;
    }
  }
  return exitCode;
}

}  // namespace sci

#include "cli/LoadedDeviceConfig.h"

#include "cli/EditorWords.h"
#include "cli/SmallFileReader.h"

namespace sci {

LoadedDeviceConfig loadDeviceConfigFile(const std::string& path) {
  LoadedDeviceConfig loaded;
  const SmallFile file = readFileOfSize(path, {kDeviceConfigSize});
  loaded.failure = smallFileFailureText(file);
  if (loaded.failure.empty()) {
    loaded.failure = deviceConfigResultText(decodeDeviceConfig(file.bytes, loaded.config));
  }
  return loaded;
}

}  // namespace sci

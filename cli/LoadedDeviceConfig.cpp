#include "cli/LoadedDeviceConfig.h"

#include "cli/EditorWords.h"
#include "cli/SmallFileReader.h"

namespace sci {

LoadedDeviceConfig loadDeviceConfigFile(const std::string& path) {
  LoadedDeviceConfig loaded;
  const SmallFile file = readSmallFile(path, {kDeviceConfigSize});
  loaded.failure = file.failure + otherKindHint(path, file, kDeviceConfigSize);
  if (loaded.failure.empty()) {
    loaded.failure = deviceConfigResultText(decodeDeviceConfig(file.bytes, loaded.config));
  }
  return loaded;
}

}  // namespace sci

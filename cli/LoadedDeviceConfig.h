#pragma once
// A device configuration read from any path (the editor only reads
// "IPConfig.cfg" in its working directory).

#include <string>

#include "data/DeviceConfig.h"

namespace sci {

struct LoadedDeviceConfig {
  std::string failure;  // the reason in the editor's words; empty when loaded
  DeviceConfig config;
};

LoadedDeviceConfig loadDeviceConfigFile(const std::string& path);

}  // namespace sci

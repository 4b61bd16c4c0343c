#pragma once
// The one device configuration every fuzz target saves with.

#include "data/DeviceConfig.h"

namespace sci::fuzz {

inline const DeviceConfig& fuzzConfig() {
  static const DeviceConfig config = DeviceConfig::fromValues("Fuzz", 0xBEEF, 0x01020304, 0x5A);
  return config;
}

}  // namespace sci::fuzz

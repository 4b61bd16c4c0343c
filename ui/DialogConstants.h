#pragma once
// The numbers both front ends and the dialog core agree on, each defined once.

#include <cstddef>

#include "data/DeviceConfig.h"
#include "data/ServerEntry.h"

namespace sci {

// The spin control shows list positions 1-based.
inline constexpr int kFirstPosition = 1;
inline constexpr int kLastPosition = static_cast<int>(kEntryCount);  // 20

// Where the device configuration is read from unless the command line says otherwise.
inline constexpr const char* kDefaultConfigPath = kDeviceConfigFileName;  // "IPConfig.cfg"

// The file dialogs' filters, the first one selected.
inline constexpr const char* kServerListFilterName = "BIN Files (*.bin)";
inline constexpr const char* kServerListFilterPattern = "*.bin";
inline constexpr const char* kAllFilesFilterName = "All Files (*.*)";
inline constexpr const char* kAllFilesFilterPattern = "*.*";

}  // namespace sci

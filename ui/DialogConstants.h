#pragma once
// The numbers both front ends and the dialog core agree on, each defined once.

#include <cstddef>

#include "data/DeviceConfig.h"
#include "data/ServerEntry.h"
#include "editor/ListPositions.h"

namespace sci {

// Where the device configuration is read from unless the command line says otherwise.
inline constexpr const char* kDefaultConfigPath = kDeviceConfigFileName;  // "IPConfig.cfg"

// The file dialogs' filters, the first one selected.
inline constexpr const char* kServerListFilterName = "BIN Files (*.bin)";
inline constexpr const char* kServerListFilterPattern = "*.bin";
inline constexpr const char* kAllFilesFilterName = "All Files (*.*)";
inline constexpr const char* kAllFilesFilterPattern = "*.*";

// Asked once when the window is closed with changes that no file holds.
inline constexpr const char* kSaveChangesQuestion = "Save changes to the server list?";

// Said when a list given at start is shown without a device configuration;
// the advice where to put one follows on a line of its own.
inline constexpr const char* kReadOnlyListText =
    "The list is shown read-only: editing needs a device configuration.";

// Shown at a field that refused a character it cannot store, typed or pasted.
inline constexpr const char* kSingleByteOnlyTitle = "Unacceptable Character";
inline constexpr const char* kSingleByteOnlyText =
    "Only Western European (Windows-1252) characters can be stored.";

}  // namespace sci

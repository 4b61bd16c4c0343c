#pragma once
// What `scitool show` prints for a loaded list, as text, so that every
// output can be checked for bytes a terminal would act on.

#include <string>

#include "cli/LoadedServerList.h"

namespace sci {

// Header values and the aligned table of the 20 positions.
std::string serverListText(const std::string& path, const LoadedServerList& list,
                           bool showPasswords);

// The same as a JSON document, ending in a newline.
std::string serverListJsonText(const std::string& path, const LoadedServerList& list,
                               bool showPasswords);

}  // namespace sci

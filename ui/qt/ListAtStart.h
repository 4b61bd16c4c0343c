#pragma once
// The list named on the editor's command line, opened once the window is up
// exactly as its Open command opens a chosen file.

#include <filesystem>
#include <ostream>

namespace sci {

class ServerListWindow;

// Open is disabled without a valid device configuration, and so is this: it
// says so on err instead, and the editor starts without the list.
void openListAtStart(ServerListWindow& window, const std::filesystem::path& list,
                     std::ostream& err);

}  // namespace sci

#pragma once
// The list named on the editor's command line, opened once the window is up
// exactly as its Open command opens a chosen file.

#include <filesystem>

namespace sci {

class ServerListWindow;

// Queued, so that its messages stand over the shown window.
void openListAtStart(ServerListWindow& window, const std::filesystem::path& list);

}  // namespace sci

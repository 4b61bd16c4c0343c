#pragma once
// How a GUI program answers --help, --version and a usage error: it has no
// console of its own. Standard output or error when the caller gave one (a
// pipe or a file), else the console of the program that started it, else a
// message box.

#include <string_view>

namespace sci::win32 {

enum class OutputKind { Information, Error };

// Where the text went, for the tests.
enum class OutputRoute { StandardHandle, ParentConsole, Popup };

OutputRoute deliverText(std::string_view text, OutputKind kind, std::string_view caption);

}  // namespace sci::win32

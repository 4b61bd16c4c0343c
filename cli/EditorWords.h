#pragma once
// The reasons scitool gives for a refused file are the editor's own message
// texts, so a user sees the same words in both programs.

#include <string>

#include "data/FileResult.h"
#include "data/ResultMessages.h"

namespace sci {

// The editor only says "abort!" when a file cannot be opened; the operating
// system's reason is more useful on a command line.
std::string cannotOpenText(int osError);
std::string cannotReadText(int osError);

// The reason for a decoding result, "" for Ok. OpenFailed never comes from
// decoding bytes already read.
std::string serverListResultText(FileResult result);
std::string deviceConfigResultText(FileResult result);

}  // namespace sci

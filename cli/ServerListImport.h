#pragma once
// Builds a server table from the JSON form, storing each given entry the way
// the editor stores a form, and refusing whatever the editor would not take.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "data/ServerEntry.h"

namespace sci {

struct ImportOutcome {
  ServerTable table{};
  // One line per refusal, e.g. "position 3: server: ...". The table is only
  // meaningful when this is empty.
  std::vector<std::string> refusals;
  std::size_t stored = 0;     // entries written through the editor's store
  std::size_t unchanged = 0;  // given entries whose values equal their bytes
};

ImportOutcome importServerList(std::string_view jsonText);

}  // namespace sci

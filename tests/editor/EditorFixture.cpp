#include "tests/editor/EditorFixture.h"

#include <cstdio>

#include "editor/ListPositions.h"

namespace sci::test {

ServerEntry makeEntry(const std::string& server, std::uint32_t port, const std::string& keyText,
                      const std::string& userName, const std::string& password) {
  ServerEntry entry = DefaultEntry();
  storeFields(entry, server, port, keyText, userName, password);
  return entry;
}

std::string distinctServer(int index) {
  char text[32];
  std::snprintf(text, sizeof text, "server-%02d.example.net", index);
  return text;
}

ServerTable distinctTable() {
  ServerTable table = initialTable();
  for (int i = 0; i < static_cast<int>(kEntryCount); ++i) {
    table.entries.at(i) =
        makeEntry(distinctServer(i), 4000 + i, "11 22 33 44 55 66 77 88 99 AA BB CC DD EE",
                  "user" + std::to_string(i), "secret" + std::to_string(i));
  }
  return table;
}

int stepSpinControl(int position, int change) {
  const long long target = static_cast<long long>(position) + change;
  if (target > kLastPosition) {
    return (position == kLastPosition && change > 0) ? kFirstPosition : kLastPosition;
  }
  if (target < kFirstPosition) {
    return (position == kFirstPosition && change < 0) ? kLastPosition : kFirstPosition;
  }
  return static_cast<int>(target);
}

}  // namespace sci::test

#include "cli/TextTable.h"

#include <algorithm>

#include "cli/TerminalText.h"

namespace sci {

std::string TextTable::render() const {
  std::vector<std::size_t> widths;
  for (const Column& column : columns_) widths.push_back(displayWidth(column.heading));
  for (const auto& row : rows_) {
    for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c) {
      widths[c] = std::max(widths[c], displayWidth(row[c]));
    }
  }
  std::string out;
  auto appendLine = [&](const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t c = 0; c < columns_.size(); ++c) {
      const std::string& cell = c < cells.size() ? cells[c] : std::string();
      const std::string padding(widths[c] - displayWidth(cell), ' ');
      if (c != 0) line += "  ";
      line += columns_[c].align == Align::Right ? padding + cell : cell + padding;
    }
    line.erase(line.find_last_not_of(' ') + 1);
    out += line + '\n';
  };
  std::vector<std::string> headings;
  for (const Column& column : columns_) headings.push_back(column.heading);
  appendLine(headings);
  for (const auto& row : rows_) appendLine(row);
  return out;
}

}  // namespace sci

#pragma once
// A plain aligned table for terminal output: columns as wide as their widest
// cell, two blanks between them, no trailing blanks.

#include <string>
#include <vector>

namespace sci {

class TextTable {
 public:
  enum class Align { Left, Right };
  struct Column {
    std::string heading;
    Align align = Align::Left;
  };

  explicit TextTable(std::vector<Column> columns) : columns_(std::move(columns)) {}
  // Cells are UTF-8; one per column.
  void addRow(std::vector<std::string> cells) { rows_.push_back(std::move(cells)); }
  std::string render() const;

 private:
  std::vector<Column> columns_;
  std::vector<std::vector<std::string>> rows_;
};

}  // namespace sci

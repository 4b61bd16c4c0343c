#include "cli/SameFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <utility>

namespace sci {
namespace {

using FileId = std::pair<dev_t, ino_t>;

std::optional<FileId> idOf(const struct stat& info) { return FileId{info.st_dev, info.st_ino}; }

std::optional<FileId> idOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return idOf(info);
}

}  // namespace

bool sameFile(const std::string& a, const std::string& b) {
  const auto first = idOf(a);
  return first && first == idOf(b);
}

bool standardInputIs(const std::string& path) {
  struct stat info {};
  if (::fstat(STDIN_FILENO, &info) != 0) return false;
  const auto file = idOf(path);
  return file && file == idOf(info);
}

}  // namespace sci

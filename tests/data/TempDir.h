#pragma once
// A private folder per test, removed afterwards, and small file helpers.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace sci::test {

namespace fs = std::filesystem;

using Bytes = std::vector<std::uint8_t>;

// A new folder only this user may enter, as mkdtemp makes, on every system.
inline fs::path makeUniqueFolder(const std::string& prefix) {
  static std::mt19937_64 generator{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path path = fs::temp_directory_path() / (prefix + std::to_string(generator()));
    if (fs::create_directory(path)) {
      fs::permissions(path, fs::perms::owner_all);
      return path;
    }
  }
  throw std::runtime_error("no unused temporary folder name");
}

class TempDir {
 public:
  TempDir() : path_(makeUniqueFolder("sci-data-")) {}
  ~TempDir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const fs::path& path() const { return path_; }
  fs::path operator/(const std::string& name) const { return path_ / name; }

  // Names in the folder, so tests can see that no temporary file is left.
  std::set<std::string> names() const {
    std::set<std::string> result;
    for (const auto& entry : fs::directory_iterator(path_)) {
      result.insert(entry.path().filename().string());
    }
    return result;
  }

 private:
  fs::path path_;
};

inline void writeBytes(const fs::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

inline Bytes readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace sci::test

// Every path reaches the system in the "\\?\" form, so that lists deeper
// than 260 characters open and save on Windows as they do elsewhere; the
// form turns off the system's clean-up of the path, so the conversion
// must do it itself.

#include "data/windows/SystemPath.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "data/ServerListFile.h"
#include "tests/data/SaveFixture.h"
#include "tests/data/TempDir.h"

namespace sci::test {
namespace {

namespace fs = std::filesystem;

struct PathCase {
  std::wstring spelled;
  std::wstring expected;
};

TEST(SystemPath, MakesEverySpellingAbsoluteAndCanonicalFirst) {
  wchar_t current[MAX_PATH * 4] = {};
  ASSERT_GT(::GetCurrentDirectoryW(MAX_PATH * 4, current), 0u);
  std::wstring here = current;
  if (!here.ends_with(L'\\')) here += L'\\';
  const PathCase cases[] = {
      {L"t.bin", L"\\\\?\\" + here + L"t.bin"},
      {L"./sub/../t.bin", L"\\\\?\\" + here + L"t.bin"},
      {L"C:/a/b", L"\\\\?\\C:\\a\\b"},
      {L"C:\\a\\..\\b\\.\\c.bin", L"\\\\?\\C:\\b\\c.bin"},
      {L"c:\\a\\b", L"\\\\?\\c:\\a\\b"},
      {L"\\\\server\\share\\x", L"\\\\?\\UNC\\server\\share\\x"},
      {L"//server/share/a/../x", L"\\\\?\\UNC\\server\\share\\x"},
      // Already in the long form: the system would not clean it up, and
      // neither does the conversion.
      {L"\\\\?\\C:\\a\\..\\b", L"\\\\?\\C:\\a\\..\\b"},
      {L"\\\\?\\UNC\\server\\share\\x", L"\\\\?\\UNC\\server\\share\\x"},
      {L"\\\\.\\COM1", L"\\\\.\\COM1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(systemPath(c.spelled).native(), c.expected)
        << fs::path(c.spelled).string() << " gave " << systemPath(c.spelled).string();
  }
}

TEST(SystemPath, FullPathHasNoPrefixAndNoForwardSlashes) {
  EXPECT_EQ(fullPath(L"C:/a/./b/../c").native(), L"C:\\a\\c");
  EXPECT_EQ(fullPath(L"\\\\server\\share\\x").native(), L"\\\\server\\share\\x");
}

// Far past the 260 characters of MAX_PATH: a list is saved, replaced and
// read there, and its temporary file is gone afterwards. Wine's own limit
// is Unix's, so there this guards the conversion more than the limit.
TEST(SystemPath, ListDeeperThanMaxPathIsSavedAndRead) {
  TempDir dir;
  fs::path folder = dir.path();
  const std::wstring part(40, L'd');
  for (int i = 0; i < 8; ++i) {
    folder /= part + std::to_wstring(i);
    ASSERT_TRUE(::CreateDirectoryW(systemPath(folder).c_str(), nullptr)) << ::GetLastError();
  }
  const fs::path target = folder / "list.bin";
  ASSERT_GT(target.native().size(), std::size_t{MAX_PATH});
  // Spelled as a user would, with forward slashes.
  const fs::path spelled = fs::path(target.generic_wstring());

  ASSERT_EQ(save(spelled), FileResult::Ok);  // a new list
  ASSERT_EQ(save(spelled), FileResult::Ok);  // replacing it
  ServerTable table;
  ASSERT_EQ(readServerList(spelled, table), FileResult::Ok);
  EXPECT_EQ(table.entries, sampleTable().entries);

  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW((systemPath(folder) / L"*").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  std::set<std::wstring> names;
  do {
    names.insert(found.cFileName);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  EXPECT_EQ(names, (std::set<std::wstring>{L".", L"..", L"list.bin"}));
}

}  // namespace
}  // namespace sci::test

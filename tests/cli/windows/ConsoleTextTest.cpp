// Names with letters outside ASCII must show right in a console of any
// code page (437 and 850 have no "€"), while output sent to a file or a
// pipe stays the UTF-8 bytes that scripts and the other systems see.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "cli/StandardStreams.h"
#include "tests/data/TempDir.h"

namespace sci::test {
namespace {

const std::string kText = "Caf\xC3\xA9 \xE2\x82\xAC server\njos\xC3\xA9\n";

TEST(ConsoleText, RedirectedOutputIsTheUtf8Bytes) {
  TempDir dir;
  const auto path = dir / "out.txt";
  std::FILE* file = ::_wfopen(path.c_str(), L"wb");
  ASSERT_NE(file, nullptr);
  writeText(file, kText);
  ASSERT_EQ(std::fclose(file), 0);
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), kText);
}

// Wine gives a program started without a terminal a console of its own
// only on request, and may give none at all: then there is nothing to
// look at, and the test says so.
TEST(ConsoleText, ConsoleShowsTheLettersWhateverItsCodePage) {
  if (::GetConsoleWindow() == nullptr && !::AllocConsole()) {
    GTEST_SKIP() << "no console here";
  }
  const HANDLE console =
      ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
  if (console == INVALID_HANDLE_VALUE) GTEST_SKIP() << "no console output here";
  const UINT codePage = ::GetConsoleOutputCP();
  if (!::SetConsoleOutputCP(437)) {
    ::CloseHandle(console);
    GTEST_SKIP() << "this console keeps its code page";
  }
  CONSOLE_SCREEN_BUFFER_INFO before{};
  ASSERT_TRUE(::GetConsoleScreenBufferInfo(console, &before));
  const COORD start{0, static_cast<SHORT>(before.dwCursorPosition.Y + 1)};
  ::SetConsoleCursorPosition(console, start);

  const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(console), _O_BINARY);
  ASSERT_GE(fd, 0);
  std::FILE* stream = ::_fdopen(fd, "wb");
  ASSERT_NE(stream, nullptr);
  writeText(stream, kText);
  std::fflush(stream);

  const std::wstring expected = L"Caf\u00e9 \u20ac server";
  std::wstring shown(expected.size(), L'\0');
  DWORD read = 0;
  ASSERT_TRUE(::ReadConsoleOutputCharacterW(console, shown.data(), static_cast<DWORD>(shown.size()),
                                            start, &read));
  EXPECT_EQ(shown, expected);
  ::SetConsoleOutputCP(codePage);
  std::fclose(stream);
}

}  // namespace
}  // namespace sci::test

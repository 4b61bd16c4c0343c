// Prints how long sciedit.exe takes from its start to a shown window that
// answers messages, against a bare dialog from the same template, as a
// ratio (the goal is 1.1 or less), and the size of sciedit.exe.
//
// Usage: bench_win32_startup SCIEDIT.exe BARE.exe FOLDER [RUNS]
//   FOLDER holds an IPConfig.cfg, so no message box delays the start.
//   Paths may be Linux paths; Wine shows the Linux root as Z:.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

std::wstring windowsPath(const wchar_t* path) {
  std::wstring out = path[0] == L'/' ? L"Z:" : L"";
  for (const wchar_t* p = path; *p; ++p) out += *p == L'/' ? L'\\' : *p;
  return out;
}

struct Search {
  DWORD process;
  HWND found = nullptr;
};

HWND shownDialog(DWORD process) {
  Search search{process};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != s->process || !IsWindowVisible(window)) return TRUE;
        if (!GetDlgItem(window, 1025)) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Milliseconds from CreateProcess to a visible dialog that has answered a
// message, which it can only do once its start-up is over; -1 on failure.
double timeStart(const std::wstring& program, const std::wstring& folder) {
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const auto start = std::chrono::steady_clock::now();
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process)) {
    return -1;
  }
  HWND dialog = nullptr;
  DWORD_PTR answer = 0;
  while (std::chrono::steady_clock::now() - start < std::chrono::seconds(30)) {
    dialog = shownDialog(process.dwProcessId);
    if (dialog && SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer)) break;
    dialog = nullptr;
    Sleep(1);
  }
  const auto end = std::chrono::steady_clock::now();
  if (dialog) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (!dialog) return -1;
  return std::chrono::duration<double, std::milli>(end - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: bench_win32_startup SCIEDIT.exe BARE.exe FOLDER [RUNS]\n");
    return 2;
  }
  const std::wstring sciedit = windowsPath(argv[1]);
  const std::wstring bare = windowsPath(argv[2]);
  const std::wstring folder = windowsPath(argv[3]);
  const int runs = argc > 4 ? std::max(1, _wtoi(argv[4])) : 15;

  // One start each first, so neither pays for loading Wine's libraries.
  timeStart(sciedit, folder);
  timeStart(bare, folder);
  std::vector<double> editor, yardstick;
  for (int i = 0; i < runs; ++i) {
    const double a = timeStart(bare, folder);
    const double b = timeStart(sciedit, folder);
    if (a < 0 || b < 0) {
      std::fprintf(stderr, "a program did not show its dialog\n");
      return 1;
    }
    yardstick.push_back(a);
    editor.push_back(b);
  }
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  GetFileAttributesExW(sciedit.c_str(), GetFileExInfoStandard, &attributes);

  std::printf("start to a shown, responsive window (median of %d runs each)\n", runs);
  std::printf("  bare dialog from the template  %8.1f ms\n", median(yardstick));
  std::printf("  sciedit.exe                    %8.1f ms\n", median(editor));
  std::printf("  ratio                          %8.2fx (goal <= 1.10x)\n",
              median(editor) / median(yardstick));
  std::printf("sciedit.exe size                 %8lu bytes\n",
              static_cast<unsigned long>(attributes.nFileSizeLow));
  std::fflush(stdout);
  return 0;
}

#include "ui/win32/Win32Prompts.h"

#include <commdlg.h>

#include <vector>

#include "data/windows/Utf16.h"

namespace sci::win32 {

namespace {

UINT iconStyle(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::Stop:
      return MB_ICONHAND;
    case PromptIcon::Exclamation:
      return MB_ICONEXCLAMATION;
    case PromptIcon::Question:
      return MB_ICONQUESTION;
  }
  return MB_ICONHAND;
}

UINT buttonStyle(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::Ok:
      return MB_OK;
    case PromptButtons::OkCancel:
      return MB_OKCANCEL;
    case PromptButtons::YesNoCancel:
      return MB_YESNOCANCEL;
  }
  return MB_OK;
}

// "Name\0pattern\0...\0\0", the form OPENFILENAMEW takes.
std::wstring filterList(std::span<const FileFilter> filters) {
  std::wstring list;
  for (const FileFilter& filter : filters) {
    list += widen(filter.name);
    list += L'\0';
    list += widen(filter.pattern);
    list += L'\0';
  }
  list += L'\0';
  return list;
}

using FileDialogCall = BOOL(WINAPI*)(LPOPENFILENAMEW);

// comdlg32 brings shell32 and the print spooler with it; it is loaded when
// the first file dialog opens, not at every start.
FileDialogCall fileDialogCall(FileDialogMode mode) {
  static const HMODULE library =
      LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!library) return nullptr;
  const FARPROC call = GetProcAddress(
      library, mode == FileDialogMode::Open ? "GetOpenFileNameW" : "GetSaveFileNameW");
  return reinterpret_cast<FileDialogCall>(reinterpret_cast<void (*)()>(call));
}

}  // namespace

PromptAnswer Win32Prompts::message(std::string_view text, std::string_view caption, PromptIcon icon,
                                   PromptButtons buttons) {
  const UINT style = iconStyle(icon) | buttonStyle(buttons);
  const int answer = MessageBoxW(owner_, widen(text).c_str(), widen(caption).c_str(), style);
  switch (answer) {
    case IDOK:
      return PromptAnswer::Ok;
    case IDYES:
      return PromptAnswer::Yes;
    case IDNO:
      return PromptAnswer::No;
    default:
      // Esc on a box with OK alone, or a box that could not be shown.
      return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
  }
}

std::optional<std::filesystem::path> Win32Prompts::chooseFile(const FileRequest& request) {
  // Long enough for any path Windows accepts.
  std::vector<wchar_t> file(32768, L'\0');
  const std::wstring filter = filterList(request.filters);
  const std::wstring folder = request.startFolder.wstring();

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner_;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = DWORD(file.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  // Explorer style and resizable without a hook; no read-only box and no
  // forced extension.
  ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
  if (request.askBeforeReplacing) ofn.Flags |= OFN_OVERWRITEPROMPT;
  if (request.mustExist) ofn.Flags |= OFN_FILEMUSTEXIST;

  const FileDialogCall call = fileDialogCall(request.mode);
  const BOOL chosen = call && call(&ofn);
  if (!chosen) return std::nullopt;
  return std::filesystem::path(std::wstring(file.data()));
}

}  // namespace sci::win32

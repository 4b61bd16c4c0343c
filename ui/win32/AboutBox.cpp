#include "ui/win32/AboutBox.h"

#include "ui/DialogResources.h"
#include "ui/HelpText.h"
#include "ui/win32/HelpWindow.h"
#include "ui/win32/ModalBox.h"

namespace sci::win32 {

void showAboutBox(HWND owner) {
  ModalBoxHooks hooks;
  hooks.help = [](HWND box) { showHelp(box, helpTitle(), helpText(HelpTopic::About)); };
  runModalBox(IDD_ABOUTBOX, owner, hooks);
}

}  // namespace sci::win32

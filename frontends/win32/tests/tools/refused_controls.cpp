// refused_controls.exe: vk47_Orvane.exe as the host starts it, the same run,
// but on a system that refuses to create the windows of the dialog's
// controls, as a system out of window handles would. The start fails while
// the dialog is created; the run must still answer the host.
#include <windows.h>

#include "ProgramMain.h"

namespace {

bool IsDialog(HWND window) {
  wchar_t className[16] = {};
  return window && GetClassNameW(window, className, 16) > 0 && lstrcmpW(className, L"#32770") == 0;
}

// The program's dialog: the first dialog that gets a control. Later ones (the
// message box that reports the failure) get theirs.
HWND refusedDialog = nullptr;

LRESULT CALLBACK RefuseDialogControls(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTW* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs;
    if ((create->style & WS_CHILD) && IsDialog(create->hwndParent)) {
      if (!refusedDialog) refusedDialog = create->hwndParent;
      if (create->hwndParent == refusedDialog) return 1;  // not created
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  SetWindowsHookExW(WH_CBT, RefuseDialogControls, nullptr, GetCurrentThreadId());
  return win32::RunProgram(instance);
}

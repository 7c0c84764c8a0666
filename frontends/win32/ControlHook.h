#pragma once
// A procedure of the program's own put in front of a control's window
// procedure. The common controls' subclassing looks its hooks up in a window
// property at every message the control gets, and under Wine each look-up is
// a request to the server; a dialog's fields get many messages while it is
// built. Here the procedure in front of the hook and one value of the hook's
// own are kept where the control's own code reads them without a request:
// in a block that the window's user data points to, freed with the window.
#include <windows.h>

namespace win32 {

// Puts `hook` in front of the window's procedure, with `value` for it to
// read back (HookValue). A window takes one hook.
void HookControl(HWND window, WNDPROC hook, LONG_PTR value = 0);

LONG_PTR HookValue(HWND window);

// The procedure in front of which the hook stands, for everything the hook
// passes on; after WM_NCDESTROY the block is gone and the window with it.
LRESULT CallUnhooked(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace win32

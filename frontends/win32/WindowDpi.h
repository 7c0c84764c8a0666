#pragma once
// The scale of a window in dots per inch, and the frame around a client area
// at that scale, on every Windows the program meets: the per-monitor
// functions of user32 where it has them (Windows 10 1607 and later, Wine),
// the screen's own scale where it does not.
#include <windows.h>

namespace win32 {

// The window's scale: that of the monitor it stands on for a program aware
// of each monitor's scale, else the system's.
int WindowDpi(HWND window);

// The size of a window of this style whose client area is `clientWidth` by
// `clientHeight` pixels at `dpi`.
SIZE WindowSizeForClient(HWND window, int clientWidth, int clientHeight, int dpi);

// The dialog lays itself out at a new scale: the dialog manager's own
// scaling of a dialog (Windows 10 1703 and later) is turned off, so that it
// neither resizes the controls nor replaces their fonts as well.
void KeepOwnDialogScaling(HWND dialog);

}  // namespace win32

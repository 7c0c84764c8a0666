#pragma once
// The program's message boxes: modal, over the window they belong to, and
// waiting for the user in every state of the run.
#include <windows.h>

#include <string>

namespace win32 {

// Shows a modal message box owned by `owner` (none when it is no window any
// more) and returns the button pressed. A quit already asked of the event
// loop (a close that has run) would end the box before the user saw it: it
// is held back while the box shows and asked for again afterwards.
int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& title, UINT type);

}  // namespace win32

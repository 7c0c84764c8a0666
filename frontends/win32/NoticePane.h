#pragma once
// The notice pane along the bottom of the dialog. The program has no web
// view: the pane shows the program's name and version and the notice
// address it was asked to open, as plain text.
#include <windows.h>

#include <string>

#include "DialogLayout.h"

namespace win32 {

HWND CreateNoticePane(HINSTANCE instance, HWND parent, const PixelRect& place, HFONT font);
void SetNoticeAddress(HWND pane, const std::wstring& address);
// The lines the pane shows.
std::wstring NoticeText(HWND pane);

}  // namespace win32

#pragma once
// The notice pane along the bottom of the dialog: a few lines of plain text
// that tell what OK would do with the values as they stand, with the
// program's name and version in its lower right corner. The pane keeps its
// lines as its window text.
#include <windows.h>

#include <string>

#include "DialogLayout.h"

namespace win32 {

HWND CreateNoticePane(HINSTANCE instance, HWND parent, const PixelRect& place, HFONT font);
// Replaces the pane's lines (separated by CR LF) and redraws it.
void SetNoticeText(HWND pane, const std::wstring& lines);
// What the corner shows: the program's name and version.
std::wstring NoticeCornerText();

}  // namespace win32

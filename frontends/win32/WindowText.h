#pragma once
// The text a window (a control) holds, read in one place for every part of
// the front end that compares or edits it.
#include <windows.h>

#include <string>

namespace win32 {

std::wstring WindowText(HWND window);

}  // namespace win32

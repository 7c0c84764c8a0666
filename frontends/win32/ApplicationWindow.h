#pragma once
// The window that stands for the program on the task bar. It carries the
// application title, has no size of its own and owns the dialog, so that the
// dialog keeps its own caption while the task bar shows the application's.
#include <windows.h>

#include <string>

namespace win32 {

HWND CreateApplicationWindow(HINSTANCE instance, const std::wstring& title, HICON largeIcon,
                             HICON smallIcon);
// The owned dialog: the task bar's activation and close go to it.
void SetApplicationDialog(HWND application, HWND dialog);

}  // namespace win32

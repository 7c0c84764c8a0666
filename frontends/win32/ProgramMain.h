#pragma once
// The program's whole run: the dialog object joined to the Windows front end.
// A run that fails on the way still answers the host.
#include <windows.h>

namespace win32 {

// Runs the program and returns its exit code: 0 after a run, 1 after a
// failure. A failure (an exception from creating the dialog or from any of
// its events) is shown in a message box, and unless the close had already
// written the answer, the exchange file beside the program gets "hq" alone:
// the host draws nothing and goes on.
int RunProgram(HINSTANCE instance);

}  // namespace win32

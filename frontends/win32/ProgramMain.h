#pragma once
// The program's whole run: the dialog object joined to the Windows front end.
// A run that fails on the way still answers the host.
#include <windows.h>

#include <string_view>

#include "dimension/RunModes.h"

namespace win32 {

// The run mode that the command line chooses (RunModes.h): its words,
// separated by blanks, tabs and quotes, are exactly one mode's words ("/h",
// "/new", "/quick", in any case); nullptr for any other command line.
const RunMode* RunModeOf(std::wstring_view commandLine);

// Runs the program and returns its exit code: 0 after a run, 1 after a
// failure. A failure (an exception from creating the dialog or from any of
// its events) is shown in a message box, and unless the close had already
// written the answer, the exchange file beside the program gets "hq" alone:
// the host draws nothing and goes on.
// `commandLine` is the program's arguments, which choose its run mode; a
// command line that no launcher gives is refused with a message that names
// the launchers, and the host gets "hq".
int RunProgram(HINSTANCE instance, const wchar_t* commandLine = L"");

}  // namespace win32

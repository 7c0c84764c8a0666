// vk47_Orvane.exe: the program the host starts. The dialog object carries the
// run; RunProgram joins it to the Windows front end.
#include <windows.h>

#include "ProgramMain.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  return win32::RunProgram(instance, commandLine);
}

// vk47_Orvane.exe: the program the host starts. The dialog object carries the
// run; this file only joins it to the Windows front end.
#include <windows.h>
#include <commctrl.h>

#include "ModulePath.h"
#include "SafeReplace.h"
#include "Win32Ui.h"
#include "app/Unit1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  win32::InstallSafeFileReplacement();
  INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&commonControls);

  win32::Win32Ui ui(instance);
  TForm1 Form1(ui);
  Form1.ProgramFile = win32::ModuleFilePath();
  ui.Create({[&Form1] { Form1.FormShow(); }, [&Form1] { Form1.Button1Click(); },
             [&Form1] { Form1.Button2Click(); }, [&Form1] { Form1.FormClose(); }});
  return ui.Run();
}

// vk47_Orvane.exe: the program the host starts. The dialog object carries the
// run; this file only joins it to the Windows front end.
#include <windows.h>
#include <commctrl.h>

#include "ModulePath.h"
#include "SafeReplace.h"
#include "Win32Ui.h"
#include "app/Unit1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&commonControls);

  win32::Win32Ui ui(instance);
  win32::Win32FileSystem files;
  TForm1 form(ui, files);
  form.ProgramFile = win32::ModuleFilePath();
  Form1 = &form;
  ui.Create({[&form] { form.FormShow(); }, [&form] { form.Button1Click(); },
             [&form] { form.Button2Click(); }, [&form] { form.FormClose(); }});
  const int exitCode = ui.Run();
  Form1 = nullptr;
  return exitCode;
}

#include "ProgramMain.h"

#include <commctrl.h>

#include <exception>
#include <filesystem>
#include <string>

#include "CodePage932.h"
#include "ModulePath.h"
#include "SafeReplace.h"
#include "Win32Ui.h"
#include "app/DialogModel.h"
#include "app/Unit1.h"
#include "exchange/HostState.h"
#include "exchange/OutputWriter.h"

namespace win32 {

namespace {

// Form1 names the dialog object while it lives, also when its run ends in an
// exception.
class CurrentForm {
 public:
  explicit CurrentForm(TForm1& form) { Form1 = &form; }
  ~CurrentForm() { Form1 = nullptr; }
  CurrentForm(const CurrentForm&) = delete;
  CurrentForm& operator=(const CurrentForm&) = delete;
};

// The answer of a run that drew nothing: "hq" alone in the exchange file
// beside the program, whatever the output buffer held when the run broke off.
void AnswerNothing() {
  FreeHostState();  // empties the output buffer too
  const std::filesystem::path program = ModuleFilePath();
  if (!program.empty()) WriteOutputFile(program.parent_path() / kExchangeFileName);
}

void ShowFailure(const char* what) {
  std::wstring text = L"エラーのため終了します。作図は行いません。";
  if (what && *what) {
    text += L"\n\n";
    text += SjisToWide(what);
  }
  MessageBoxW(nullptr, text.c_str(), SjisToWide(DialogTexts::ApplicationTitle).c_str(),
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

// Neither step may let a second exception out: the answer comes first, as
// the host waits for it, then the message.
void Fail(const char* what, bool answered) {
  try {
    if (!answered) AnswerNothing();
  } catch (...) {
  }
  try {
    ShowFailure(what);
  } catch (...) {
  }
}

}  // namespace

int RunProgram(HINSTANCE instance) {
  bool answered = false;  // the close sequence has written the exchange file
  try {
    InstallSafeFileReplacement();
    INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&commonControls);

    Win32Ui ui(instance);
    TForm1 form(ui);
    form.ProgramFile = ModuleFilePath();
    CurrentForm current(form);
    ui.Create({[&form] { form.FormShow(); }, [&form] { form.Button1Click(); },
               [&form] { form.Button2Click(); },
               [&form, &answered] {
                 form.FormClose();
                 answered = true;
               }});
    return ui.Run();
  } catch (const std::exception& error) {
    Fail(error.what(), answered);
  } catch (...) {
    Fail(nullptr, answered);
  }
  return 1;
}

}  // namespace win32

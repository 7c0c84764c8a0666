#include "ProgramMain.h"

#include <commctrl.h>

#include <exception>
#include <filesystem>
#include <optional>
#include <string>

#include "CodePage932.h"
#include "MessageBoxOver.h"
#include "ModulePath.h"
#include "QuickProgram.h"
#include "SafeReplace.h"
#include "Win32Ui.h"
#include "dialog/DialogModel.h"
#include "dialog/UserTexts.h"
#include "app/ProgramRun.h"
#include "dimension/RunModes.h"
#include "exchange/OutputWriter.h"

namespace win32 {

namespace {

// The answer of a run that drew nothing: "hq" alone in the exchange file
// beside the program, whatever the run's output held when it broke off.
void AnswerNothing() {
  const std::filesystem::path program = ModuleFilePath();
  Win32FileSystem files;
  if (!program.empty())
    WriteOutputFile(files, program.parent_path() / kExchangeFileName, OutputCommands{});
}

void ShowFailure(const char* what, HWND owner) {
  ShowMessageBox(owner, SjisToWide(FailedRunMessage(what ? what : "")),
                 SjisToWide(DialogTexts::ApplicationTitle),
                 MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

// Neither step may let a second exception out: the answer comes first, as
// the host waits for it, then the message, over the dialog when there is one.
void Fail(const char* what, bool answered, HWND owner) {
  try {
    if (!answered) AnswerNothing();
  } catch (...) {
  }
  try {
    ShowFailure(what, owner);
  } catch (...) {
  }
}

// A command line that no launcher gives: the host draws nothing, and the
// user hears which launchers start the program.
void RefuseStart(std::wstring_view commandLine) {
  AnswerNothing();
  const std::string words = WideToSjis(commandLine);
  const std::string_view blanks = " \t";
  const std::size_t first = words.find_first_not_of(blanks);
  const std::string given =
      first == std::string::npos ? std::string() : words.substr(first, words.find_last_not_of(blanks) + 1 - first);
  ShowMessageBox(nullptr, SjisToWide(UnknownStartMessage(given, LauncherNames())),
                 SjisToWide(DialogTexts::ApplicationTitle), MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}

}  // namespace

const RunMode* RunModeOf(std::wstring_view commandLine) {
  // The words are ASCII: any other character makes a word no mode has.
  const std::string narrow = WideToSjis(std::wstring(commandLine));
  return RunModeOfWords(CommandLineWords(narrow));
}

int RunProgram(HINSTANCE instance, const wchar_t* commandLine) {
  bool answered = false;  // the close sequence has written the exchange file
  // The dialog and its run outlive a failure, so that its message stands
  // over the dialog; the run goes first, as it uses the dialog.
  std::optional<Win32Ui> dialog;
  Win32FileSystem files;
  std::optional<ProgramRun> session;
  auto owner = [&dialog] { return dialog ? dialog->MessageOwner() : nullptr; };
  try {
    const RunMode* mode = RunModeOf(commandLine ? commandLine : L"");
    if (!mode) {
      RefuseStart(commandLine ? commandLine : L"");
      return 1;
    }
    if (!mode->ShowsDialog) return RunQuickProgram(*mode);
    INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&commonControls);

    Win32Ui& ui = dialog.emplace(instance);
    ProgramRun& run = session.emplace(ui, files, ModuleFilePath(), *mode);
    ui.Create({[&run] { run.Show(); }, [&run] { run.Ok(); },
               [&run] { run.Cancel(); },
               [&run, &answered] {
                 run.Close();
                 answered = true;
               },
               [&run] { run.ControlChange(); }});
    return ui.Run();
  } catch (const std::exception& error) {
    Fail(error.what(), answered, owner());
  } catch (...) {
    Fail(nullptr, answered, owner());
  }
  return 1;
}

}  // namespace win32

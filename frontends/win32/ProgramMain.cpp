#include "ProgramMain.h"

#include <commctrl.h>

#include <exception>
#include <filesystem>
#include <optional>
#include <string>

#include "CodePage932.h"
#include "MessageBoxOver.h"
#include "ModulePath.h"
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

// The word (ASCII, lower case) is one of the command line's words, in any
// case; words are separated by blanks, tabs and quotes.
bool HasWord(std::wstring_view commandLine, std::wstring_view word) {
  std::size_t at = 0;
  while (at < commandLine.size()) {
    const std::size_t start = commandLine.find_first_not_of(L" \t\"", at);
    if (start == std::wstring_view::npos) break;
    std::size_t end = commandLine.find_first_of(L" \t\"", start);
    if (end == std::wstring_view::npos) end = commandLine.size();
    const std::wstring_view found = commandLine.substr(start, end - start);
    bool same = found.size() == word.size();
    for (std::size_t i = 0; same && i < word.size(); ++i) {
      const wchar_t c = found[i];
      same = (c >= L'A' && c <= L'Z' ? c + (L'a' - L'A') : c) == word[i];
    }
    if (same) return true;
    at = end;
  }
  return false;
}

}  // namespace

const RunMode& RunModeOf(std::wstring_view commandLine) {
  return RunModeOfCommandLine([commandLine](std::string_view word) {
    return HasWord(commandLine, std::wstring(word.begin(), word.end()));
  });
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
    INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&commonControls);

    Win32Ui& ui = dialog.emplace(instance);
    ProgramRun& run = session.emplace(ui, files, ModuleFilePath(),
                                      RunModeOf(commandLine ? commandLine : L""));
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

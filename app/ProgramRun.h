#pragma once
// One run of the program: its dialog's stored settings, the program folder,
// what the host told it and the answer it builds, and the handlers that carry
// the run from show to close.
#include <filesystem>
#include <string>
#include <utility>

#include "app/SettingsFile.h"
#include "dialog/DialogSettings.h"
#include "dialog/SettingsTable.h"
#include "dialog/UserInterface.h"
#include "dialog/UserTexts.h"
#include "dimension/OkPlan.h"
#include "dimension/RunModes.h"
#include "exchange/HostState.h"
#include "exchange/OutputWriter.h"
#include "files/FileSystem.h"

// The host's exchange file beside the program. The file that holds the
// settings and the chain is the run mode's (RunModes.h).
inline constexpr const char* kExchangeFileName = "JWC_TEMP.TXT";

struct QuickOutcome;  // app/QuickRun.h

class ProgramRun {
 public:
  // The dialog shows and asks through `ui`; both files are reached through
  // `files`. `programFile` is the program file's own full path, as the front
  // end found it (never the working directory); `mode` is the row of the
  // launcher that started the program, as its command line chose it.
  ProgramRun(UserInterface& ui, FileSystem& files, std::filesystem::path programFile,
             const RunMode& mode = DefaultRunMode())
      : Ui(ui), Files(files), ProgramFile(std::move(programFile)), ModeRow(mode) {}

  // What the front end calls as the user works the dialog: Show when it
  // opens (reads both files and fills it), Ok and Cancel for the buttons and
  // their keys, Close whenever it closes (writes the host's answer).
  void Show();
  void Ok();
  void Cancel();
  void Close();
  // A setting control changed (text edited, list entry chosen, radio button
  // or check box clicked): the notice pane tells what OK would now do. Does
  // nothing until the show sequence has let the dialog open (for a chain to
  // continue, only with a usable settings file), and after the close.
  void ControlChange();

  // The close sequence of a run at the quick pace, in place of Close (which
  // it never calls): when OK `drew`, the answer OK built and the notice
  // `shown` as an "h#" line after it; otherwise the refusal `shown` as one
  // "he" line, and a chain that OK stored is taken back. An answer that
  // cannot be written leaves the settings file as the show sequence found
  // it; a refusal is then still tried in its place, and when even that
  // cannot be written nothing is said and the exchange file stays as the
  // host wrote it.
  QuickOutcome CloseQuick(bool drew, const std::string& shown);

  // What the run holds, for a look from outside (tests, the headless front
  // end's result).
  const std::filesystem::path& ProgramFolder() const { return FolderPath; }
  const DialogSettings& Settings() const { return SettingsRecord; }
  const HostState& Host() const { return HostTold; }
  const OutputCommands& Output() const { return Answer; }

 private:
  void UpdateNotice();
  std::filesystem::path SettingsPath() const;
  // Puts the settings file back as the show sequence found it when OK has
  // stored a chain in it since; says how it stands.
  SettingsRollback TakeBackChain();

  UserInterface& Ui;
  FileSystem& Files;
  const std::filesystem::path ProgramFile;
  const RunMode& ModeRow;
  // The folder of the program file, with a trailing separator.
  std::filesystem::path FolderPath;
  DialogSettings SettingsRecord = InitialSettings();
  // What the host's exchange file told this run (read at show, released at
  // close), and the command lines it answers with (written at close).
  HostState HostTold;
  OutputCommands Answer;
  // The chain found in the drawing, searched once for the notice and OK.
  DrawnChainMemory DrawnChain;
  // What reading the host's exchange file answered at show: done, NotFound
  // (there was none), or why the file that is there could not be read.
  FileStatus HostFileRead;

  // The show sequence has let the dialog open: the notice is shown.
  bool NoticeShown = false;
  // The settings file as the show sequence found it: its bytes and what
  // reading it answered, as for the exchange file. When OK has since stored
  // a chain in it (ChainSaved) and the host then gets no answer, the file is
  // put back, so that the stored chain never runs ahead of the drawing.
  FileBytes SettingsAtShow;
  bool ChainSaved = false;
};

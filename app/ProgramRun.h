#pragma once
// One run of the program: its dialog's stored settings, the program folder,
// what the host told it and the answer it builds, and the handlers that carry
// the run from show to close.
#include <filesystem>

#include "app/SettingsFile.h"
#include "dialog/DialogSettings.h"
#include "dialog/SettingsTable.h"
#include "dialog/UserInterface.h"
#include "dimension/OkPlan.h"
#include "exchange/HostState.h"
#include "exchange/OutputWriter.h"
#include "files/FileSystem.h"

// The two files beside the program: the host's exchange file and the settings
// file shared with the companion tool.
inline constexpr const char* kExchangeFileName = "JWC_TEMP.TXT";
inline constexpr const char* kSettingsFileName = "vk38.dat";

class ProgramRun {
 public:
  // The dialog shows and asks through `ui`; both files are reached through
  // `files`.
  ProgramRun(UserInterface& ui, FileSystem& files) : Ui(ui), Files(files) {}

  // The program file's own full path, as the front end found it (never the
  // working directory). Show takes ProgramFolder from it.
  std::filesystem::path ProgramFile;
  // The folder of the program file, with a trailing separator.
  std::filesystem::path ProgramFolder;
  DialogSettings Settings = InitialSettings();
  // Continue the stored chain (the usual launcher), start a new one from
  // four picked points (the launcher that starts the program with "/new"),
  // or continue the chain selected in the drawing ("/pick").
  OkMode Mode = OkMode::Continue;
  // What the host's exchange file told this run (read at show, released at
  // close), and the command lines it answers with (written at close).
  HostState Host;
  OutputCommands Output;
  // What reading the host's exchange file answered at show: done, NotFound
  // (there was none), or why the file that is there could not be read.
  FileStatus HostFileRead;
  // vk38.dat as the show sequence found it: its bytes and what reading it
  // answered, as for the exchange file. When OK has since stored a chain in
  // it and the host then gets no answer, the file is put back, so that the
  // stored chain never runs ahead of the drawing.
  FileBytes SettingsAtShow;

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

  UserInterface& Ui;
  FileSystem& Files;

 private:
  void UpdateNotice();

  // The show sequence has let the dialog open: the notice is shown.
  bool NoticeShown = false;
  // OK has stored a chain in vk38.dat.
  bool ChainSaved = false;
};

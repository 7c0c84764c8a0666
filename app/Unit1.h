#pragma once
// The dialog object: its stored settings, the program folder and the event
// handlers that carry the program's flow.
#include <filesystem>

#include "app/DialogSettings.h"
#include "app/UserInterface.h"

// The two files beside the program: the host's exchange file and the settings
// file shared with the companion tool.
inline constexpr const char* kExchangeFileName = "JWC_TEMP.TXT";
inline constexpr const char* kSettingsFileName = "vk38.dat";

class TForm1 {
 public:
  explicit TForm1(UserInterface& ui) : Ui(ui) {}

  // The program file's own path, as the front end found it (never the working
  // directory). FormShow takes ProgramFolder from it.
  std::filesystem::path ProgramFile;
  // The folder of the program file, with a trailing separator.
  std::filesystem::path ProgramFolder;
  TDialogSettings DialogSettings;

  void FormShow();      // the show sequence
  void Button1Click();  // OK
  void Button2Click();  // Cancel
  void FormClose();     // the close sequence

  UserInterface& Ui;
};

// The one dialog of the program while a front end runs it (nullptr otherwise).
// The front end that creates the dialog sets it and clears it again.
extern TForm1* Form1;

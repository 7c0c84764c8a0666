#include "app/ProgramRun.h"

#include <string>

#include "app/SettingsFile.h"
#include "dialog/DialogModel.h"
#include "dialog/DialogValues.h"
#include "dimension/Chain.h"
#include "dimension/OkAction.h"
#include "dimension/OkNotice.h"
#include "exchange/ExchangeReader.h"
#include "exchange/HostState.h"
#include "exchange/OutputWriter.h"
#include "helpers/NumberFormat.h"

namespace fs = std::filesystem;

ProgramRun* Form1 = nullptr;

namespace {

// The folder of the program file with a trailing separator.
fs::path FolderOf(const fs::path& programFile) { return programFile.parent_path() / ""; }

// The text-style list: the host's current style first, then No1 to No10 with
// their sizes, so that entry n stands for text style n.
void FillTextStyleList(UserInterface& ui) {
  ui.ListClear(Control::TextStyle);
  std::string current = "現在の文字種(";
  if (HostState.InitialTextStyle == 0)
    current += "Free)";
  else
    current += "No" + std::to_string(HostState.InitialTextStyle) + ")";
  ui.ListAdd(Control::TextStyle, current);
  for (int n = 1; n <= 10; ++n) {
    const HostTextStyle& style = HostState.TextStyles[static_cast<std::size_t>(n - 1)];
    ui.ListAdd(Control::TextStyle, "No" + std::to_string(n) + ": W" +
                                       FormatGeneral(style.Width) + " H" +
                                       FormatGeneral(style.Height) + " D" +
                                       FormatGeneral(style.Spacing));
  }
}

}  // namespace

void ProgramRun::Show() {
  ResetHostState();
  ProgramFolder = FolderOf(ProgramFile);
  // A missing or broken exchange file leaves the defaults; the run goes on.
  ReadExchangeFile(Files, ProgramFolder / kExchangeFileName);
  ResetOutputAttributes();
  // Before the settings: their line 5 selects an entry of this list.
  FillTextStyleList(Ui);

  const fs::path settingsFile = ProgramFolder / kSettingsFileName;
  const bool loaded = LoadSettings(Files, settingsFile, DialogSettings);
  if (loaded) ShowDialogPart(Ui, DialogSettings);

  // A new chain, and a chain picked in the drawing, take only the dialog's
  // values and position from the file, when there is one. Without it the
  // dialog's defaults serve, with the value in the host's current text style
  // (the list's first entry), which is what a settings file would otherwise
  // choose.
  if (Mode == OkMode::NewChain || Mode == OkMode::Pick) {
    if (loaded) {
      Ui.SetWindowPosition(DialogSettings.WindowLeft, DialogSettings.WindowTop);
    } else {
      DialogSettings.TextStyle = 0;
      Ui.ListSelect(Control::TextStyle, 0);
    }
    NoticeShown = true;
    UpdateNotice();
    return;
  }

  // Without the settings file (or with one that broke off before its line
  // 23) the companion tool has never run and there is no chain to continue.
  if (Files.Exists(settingsFile) && DialogSettings.LastLayerGroup != -1) {
    Ui.SetWindowPosition(DialogSettings.WindowLeft, DialogSettings.WindowTop);
    // Only now: loading has set the controls; without a usable settings
    // file its message comes first and there is nothing to tell.
    NoticeShown = true;
    UpdateNotice();
  } else {
    Ui.ShowMessage(DialogTexts::CompanionMissing);
    Ui.CloseDialog();
  }
}

void ProgramRun::Ok() {
  // The extended chain is stored beside the host's layer group, its scale
  // (as the construction used it) and the axis angle of this run.
  RunOkAction(Ui, DialogSettings, HostState, [this](const DialogSettings& settings) {
    return SaveSettings(Files, ProgramFolder / kSettingsFileName, settings, HostState.InitialGroup,
                        CurrentGroupScale(HostState), HostState.AxisAngle);
  }, Mode);
  // Still open (a refused value, a zero length, a failed save): a zero
  // length has stored the extended chain, so OK would now do otherwise.
  if (NoticeShown) UpdateNotice();
}

void ProgramRun::ControlChange() {
  if (NoticeShown) UpdateNotice();
}

void ProgramRun::UpdateNotice() {
  DialogSettings values = DialogSettings;
  ReadDialogPart(Ui, values);
  Ui.ShowNotice(OkNoticeLines(values, HostState, Mode));
}

void ProgramRun::Cancel() { Ui.CloseDialog(); }

void ProgramRun::Close() {
  NoticeShown = false;
  // A dialog closed before it was shown still answers the host beside the
  // program file.
  if (ProgramFolder.empty()) ProgramFolder = FolderOf(ProgramFile);
  // Whatever happened, the host finds its answer: the buffered commands, or
  // "hq" alone when there are none. When the file cannot be written the host
  // draws nothing, and the user hears why before the program ends.
  if (!WriteOutputFile(Files, ProgramFolder / kExchangeFileName))
    Ui.ShowMessage(DialogTexts::AnswerNotWritten);
  FreeHostState();
}

#include "app/ProgramRun.h"

#include <string>

#include "app/SettingsFile.h"
#include "dialog/DialogModel.h"
#include "dialog/DialogValues.h"
#include "dialog/UserTexts.h"
#include "dialog/ValueChoices.h"
#include "dimension/Chain.h"
#include "dimension/OkAction.h"
#include "dimension/OkNotice.h"
#include "exchange/ExchangeReader.h"
#include "exchange/HostState.h"
#include "exchange/OutputWriter.h"
#include "helpers/NumberFormat.h"

namespace fs = std::filesystem;

namespace {

// The folder of the program file with a trailing separator.
fs::path FolderOf(const fs::path& programFile) { return programFile.parent_path() / ""; }

// The text-style list: the host's current style first, then No1 to No10 with
// their sizes, so that entry n stands for text style n.
void FillTextStyleList(UserInterface& ui, const HostState& host) {
  ui.ListClear(Control::TextStyle);
  ui.ListAdd(Control::TextStyle, CurrentTextStyleEntry(host.Initial.TextStyle));
  for (int n = 1; n <= kHostTextStyles; ++n) {
    const HostTextStyle& style = host.TextStyles[static_cast<std::size_t>(n - 1)];
    ui.ListAdd(Control::TextStyle,
               TextStyleEntry(n, FormatGeneral(style.Width), FormatGeneral(style.Height),
                              FormatGeneral(style.Spacing)));
  }
}

}  // namespace

void ProgramRun::Show() {
  const ChainDirection direction = ModeRow.Direction;
  Ui.ShowChainWords(WordsOf(direction).Caption, HelpMemoLines(direction));
  ResetHostState(HostTold);
  Answer.Lines.Release();
  FolderPath = FolderOf(ProgramFile);
  // A missing exchange file leaves the defaults; the run goes on.
  HostFileRead = ReadExchangeFile(Files, FolderPath / kExchangeFileName, HostTold);
  ResetOutputAttributes(Answer, HostTold.Initial);
  // Before the settings: their line 5 selects an entry of this list.
  FillTextStyleList(Ui, HostTold);

  SettingsAtShow = LoadSettings(Files, SettingsPath(), SettingsRecord);
  const bool loaded = SettingsAtShow.Complete();
  if (loaded) ShowDialogPart(Ui, SettingsRecord);

  // A file that is there but could not be read whole is not taken for a
  // missing one: its picks or its settings would be wrong, and a settings
  // file would be replaced at OK. The user hears why, and nothing is drawn.
  const bool hostUnreadable = !HostFileRead && HostFileRead.Fault != FileFault::NotFound;
  const bool settingsUnreadable = !loaded && SettingsAtShow.Existed();
  if (hostUnreadable || settingsUnreadable) {
    if (hostUnreadable)
      Ui.ShowMessage(HostFileUnreadableMessage(HostFileRead.Fault, direction),
                     MessageKind::Warning);
    if (settingsUnreadable)
      Ui.ShowMessage(
          SettingsUnreadableMessage(SettingsAtShow.Status.Fault, ModeRow.SettingsFile, direction),
          MessageKind::Warning);
    Ui.CloseDialog();
    return;
  }

  // A new chain, and a chain picked in the drawing, take only the dialog's
  // values and position from the file, when there is one. Without it the
  // dialog's defaults serve, with the value in the host's current text style
  // (the list's first entry), which is what a settings file would otherwise
  // choose.
  if (!ModeRow.NeedsStoredChain) {
    if (loaded) {
      Ui.SetWindowPosition(SettingsRecord.WindowLeft, SettingsRecord.WindowTop);
    } else {
      SettingsRecord.TextStyle = 0;
      Ui.ListSelect(Control::TextStyle, 0);
    }
    NoticeShown = true;
    UpdateNotice();
    return;
  }

  // Without the settings file the companion tool has never run and there is
  // no chain to continue.
  if (loaded) {
    Ui.SetWindowPosition(SettingsRecord.WindowLeft, SettingsRecord.WindowTop);
    // Only now: loading has set the controls; without a usable settings
    // file its message comes first and there is nothing to tell.
    NoticeShown = true;
    UpdateNotice();
  } else {
    Ui.ShowMessage(ChainMissingMessage(direction, RunModeOf(direction, ChainSource::Picks).Launcher,
                                       RunModeOf(direction, ChainSource::Selection).Launcher),
                   MessageKind::Confirmation);
    Ui.CloseDialog();
  }
}

void ProgramRun::Ok() {
  // The extended chain is stored beside the host's layer group, its scale
  // (as the construction used it) and the axis angle of this run.
  RunOkAction(Ui, SettingsRecord, HostTold, Answer, [this](const DialogSettings& settings) {
    FileStatus saved = SaveSettings(Files, SettingsPath(), settings, HostTold.Initial.Group,
                                    CurrentGroupScale(HostTold), HostTold.AxisAngle);
    if (saved) ChainSaved = true;
    return saved;
  }, ModeRow, &DrawnChain);
  // Still open (a refused value, a zero length, a failed save): a zero
  // length of a continued chain has stored the extended chain, so OK would
  // now do otherwise.
  if (NoticeShown) UpdateNotice();
}

void ProgramRun::ControlChange() {
  if (NoticeShown) UpdateNotice();
}

void ProgramRun::UpdateNotice() {
  DialogSettings values = SettingsRecord;
  ReadDialogPart(Ui, values);
  Ui.ShowNotice(OkNoticeLines(values, HostTold, ModeRow, &DrawnChain));
}

void ProgramRun::Cancel() { Ui.CloseDialog(); }

SettingsRollback ProgramRun::TakeBackChain() {
  if (!ChainSaved) return SettingsRollback::NotNeeded;
  ChainSaved = false;
  if (!RestoreSettings(Files, SettingsPath(), SettingsAtShow).Ok()) return SettingsRollback::Failed;
  return SettingsAtShow.Existed() ? SettingsRollback::PutBack : SettingsRollback::Removed;
}

fs::path ProgramRun::SettingsPath() const { return FolderPath / ModeRow.SettingsFile; }

void ProgramRun::Close() {
  NoticeShown = false;
  // A dialog closed before it was shown still answers the host beside the
  // program file.
  if (FolderPath.empty()) FolderPath = FolderOf(ProgramFile);
  // Whatever happened, the host finds its answer: the buffered commands, or
  // "hq" alone when there are none. When the file cannot be written the host
  // draws nothing, and the user hears why before the program ends.
  const FileStatus answered = WriteOutputFile(Files, FolderPath / kExchangeFileName, Answer);
  if (!answered) {
    // A chain stored by OK would then run ahead of the drawing: the next
    // pick beside it would be refused as inside. It is taken back.
    const SettingsRollback rollback = TakeBackChain();
    // The strip behind the warning tells the same, not the file still being
    // made.
    Ui.SetStatusText(DialogTexts::AnswerNotWritten);
    Ui.ShowMessage(AnswerNotWrittenMessage(answered.Fault, rollback, ModeRow.SettingsFile),
                   MessageKind::Warning);
  }
  ChainSaved = false;
  FreeHostState(HostTold);
  Answer.Lines.Release();
}

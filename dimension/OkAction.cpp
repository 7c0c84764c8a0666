#include "dimension/OkAction.h"

#include "dialog/DialogModel.h"
#include "dialog/DialogValues.h"
#include "dialog/UserTexts.h"
#include "dimension/HostHandover.h"
#include "dimension/OkPlan.h"
#include "exchange/OutputWriter.h"

void RunOkAction(UserInterface& ui, DialogSettings& settings, const HostState& host,
                 OutputCommands& out, const SettingsSaver& save, const RunMode& mode,
                 DrawnChainMemory* memory) {
  int left = 0;
  int top = 0;
  ui.GetWindowPosition(left, top);
  settings.WindowLeft = left;
  settings.WindowTop = top;

  DialogSettings values = settings;
  ReadDialogPart(ui, values);
  const OkPlan plan = PlanOk(values, host, mode, memory);
  if (plan.Outcome == OkOutcome::Refused) {
    ui.Focus(plan.Refused);
    return;
  }
  if (plan.Outcome == OkOutcome::MissingPicks) {
    // The host's points cannot change while the dialog is open.
    ui.ShowMessage(MissingPicksMessage(plan.MissingPicks, *plan.Mode), MessageKind::Confirmation);
    ui.CloseDialog();
    return;
  }
  if (plan.Outcome == OkOutcome::NoChain) {
    // The selection cannot change while the dialog is open.
    ui.ShowMessage(plan.NoChain, MessageKind::Confirmation);
    ui.CloseDialog();
    return;
  }
  if (plan.Outcome == OkOutcome::Inside) {
    ui.ShowMessage(WordsOf(mode.Direction).InsideChain, MessageKind::Confirmation);
    ui.CloseDialog();
    return;
  }

  // A new chain, or a picked one, replaces the stored chain: one whose
  // dimension measures nothing is refused before it is stored, so that the
  // stored chain stays as it was. (A continued chain is stored first, with
  // the dialog's values and position: a dimension that measures nothing
  // adds nothing to its length.)
  if (plan.Outcome == OkOutcome::ZeroLength && plan.Mode->Chain != ChainSource::Stored) {
    ui.ShowMessage(DialogTexts::ZeroLength, MessageKind::Confirmation);
    return;
  }

  // Nothing is drawn unless the extended chain is stored: otherwise the next
  // run would continue the old chain across this dimension. The record keeps
  // the old chain too, so that OK can be pressed again once the cause is
  // mended.
  DialogSettings extended = values;
  StoreChain(plan.Extension.Chain, extended);
  if (const FileStatus saved = save(extended); !saved) {
    ui.ShowMessage(SettingsNotSavedMessage(saved.Fault, mode.SettingsFile), MessageKind::Warning);
    return;
  }
  settings = extended;

  if (plan.Outcome == OkOutcome::ZeroLength) {
    ui.ShowMessage(DialogTexts::ZeroLength, MessageKind::Confirmation);
    return;
  }
  ui.SetStatusText(DialogTexts::Processing);
  // The answer's first line, before anything drawn: the host reads its
  // control lines at the head of the file, as it writes its own there.
  const std::string_view handover = HandoverLine(*plan.Mode, plan.Outcome);
  if (!handover.empty()) AddOutputLine(out, handover);
  EmitPlannedDimension(plan, host, out);
  ui.SetStatusText(DialogTexts::WritingFile);
  ui.CloseDialog();
}

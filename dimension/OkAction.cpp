#include "dimension/OkAction.h"

#include "dialog/DialogModel.h"
#include "dialog/DialogValues.h"
#include "dimension/OkPlan.h"

void RunOkAction(UserInterface& ui, DialogSettings& settings, const THostState& host,
                 const SettingsSaver& save, OkMode mode) {
  int left = 0;
  int top = 0;
  ui.GetWindowPosition(left, top);
  settings.WindowLeft = left;
  settings.WindowTop = top;

  DialogSettings values = settings;
  ReadDialogPart(ui, values);
  const OkPlan plan = PlanOk(values, host, mode);
  if (plan.Outcome == OkOutcome::Refused) {
    ui.Focus(plan.Refused);
    return;
  }
  if (plan.Outcome == OkOutcome::MissingPicks) {
    // The host's points cannot change while the dialog is open.
    ui.ShowMessage(MissingPicksMessage(plan.MissingPicks));
    ui.CloseDialog();
    return;
  }
  if (plan.Outcome == OkOutcome::NoChain) {
    // The selection cannot change while the dialog is open.
    ui.ShowMessage(kNoChainSelected);
    ui.CloseDialog();
    return;
  }
  if (plan.Outcome == OkOutcome::Inside) {
    ui.ShowMessage(DialogTexts::InsideChain);
    ui.CloseDialog();
    return;
  }

  // Nothing is drawn unless the extended chain is stored: otherwise the next
  // run would continue the old chain across this dimension. The record keeps
  // the old chain too, so that OK can be pressed again once the cause is
  // mended.
  DialogSettings extended = values;
  StoreChain(plan.Extension.Chain, extended);
  if (!save(extended)) {
    ui.ShowMessage(DialogTexts::SettingsNotSaved);
    return;
  }
  settings = extended;

  if (plan.Outcome == OkOutcome::ZeroLength) {
    ui.ShowMessage(DialogTexts::ZeroLength);
    return;
  }
  ui.SetStatusText(DialogTexts::Processing);
  EmitPlannedDimension(plan, host);
  ui.SetStatusText(DialogTexts::WritingFile);
  ui.CloseDialog();
}

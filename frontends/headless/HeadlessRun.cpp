#include "frontends/headless/HeadlessRun.h"

#include <charconv>
#include <stdexcept>
#include <system_error>

#include "app/QuickRun.h"
#include "dialog/DialogModel.h"
#include "files/StandardFileSystem.h"

namespace fs = std::filesystem;

namespace headless {

std::optional<int> ParseWhole(std::string_view text) {
  int value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  const auto [end, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || end != last || first == last) return std::nullopt;
  return value;
}

std::string CheckSettingChange(const SettingChange& change) {
  const ControlInfo* info = FindControlBySetting(change.Setting);
  if (!info) return "no setting is called \"" + change.Setting + "\"";
  switch (info->Kind) {
    case ControlKind::List:
    case ControlKind::Radio:
      if (!ParseWhole(change.Value))
        return change.Setting + " takes an entry number, such as 0 or 1";
      break;
    case ControlKind::Check:
      if (change.Value != "0" && change.Value != "1")
        return change.Setting + " takes 1 (checked) or 0 (clear)";
      break;
    case ControlKind::Text:
      break;
  }
  return {};
}

void ApplySettingChange(HeadlessUi& ui, const SettingChange& change) {
  const std::string problem = CheckSettingChange(change);
  if (!problem.empty()) throw std::invalid_argument(problem);
  const ControlInfo& info = *FindControlBySetting(change.Setting);
  switch (info.Kind) {
    case ControlKind::List: ui.ChooseEntry(info.Id, *ParseWhole(change.Value)); break;
    case ControlKind::Radio: ui.ChooseButton(info.Id, *ParseWhole(change.Value)); break;
    case ControlKind::Check: ui.TickCheckBox(info.Id, change.Value == "1"); break;
    case ControlKind::Text: ui.TypeText(info.Id, change.Value); break;
  }
}

RunResult RunOnce(const fs::path& folder, const RunOptions& options) {
  for (const SettingChange& change : options.Changes) {
    const std::string problem = CheckSettingChange(change);
    if (!problem.empty()) throw std::invalid_argument(problem);
  }

  // Start: the dialog is created as the main window and shown.
  HeadlessUi ui;
  StandardFileSystem standardFiles;
  std::error_code ec;
  fs::path absoluteFolder = fs::absolute(folder, ec);
  if (ec) absoluteFolder = folder;
  FileSystem& files = options.Files ? *options.Files : standardFiles;
  const RunMode& mode = options.Mode ? *options.Mode : DefaultRunMode();
  if (!mode.ShowsDialog) {
    // No dialog: the options that work it have nothing to act on.
    RunResult result;
    result.Quick = RunQuick(files, absoluteFolder / kProgramFileName, mode);
    result.Refused = !result.Quick->Drawn;
    result.ProgramFolder = absoluteFolder / "";
    return result;
  }
  ProgramRun run(ui, files, absoluteFolder / kProgramFileName, mode);
  ui.SetCloseHandler([&run] { run.Close(); });
  ui.SetChangeHandler([&run] { run.ControlChange(); });

  run.Show();
  RunResult result;
  result.Refused = ui.Closed();

  if (!ui.Closed()) {
    if (options.MoveWindowTo)
      ui.SetWindowPosition(options.MoveWindowTo->Left, options.MoveWindowTo->Top);
    for (const SettingChange& change : options.Changes) ApplySettingChange(ui, change);
    if (options.BeforeAction) options.BeforeAction(ui, run);
  }

  if (!ui.Closed()) {
    switch (options.Action) {
      case FinishAction::Ok:
        run.Ok();
        break;
      case FinishAction::Cancel:
        run.Cancel();
        break;
      case FinishAction::CloseBox:
        ui.CloseDialog();
        break;
    }
  }
  // A dialog still open after the action (OK refusing a value or a zero
  // length) is closed as by its close box: every run ends with the close
  // sequence and writes its file.
  if (!ui.Closed()) ui.CloseDialog();

  result.Transcript = ui.TakeTranscript();
  result.ProgramFolder = run.ProgramFolder();
  result.Dialog = ui.TakeState();
  result.Settings = run.Settings();
  return result;
}

std::vector<std::string> TranscriptLines(const std::vector<Event>& transcript) {
  std::vector<std::string> lines;
  lines.reserve(transcript.size());
  for (const Event& event : transcript) lines.push_back(FormatEvent(event));
  return lines;
}

std::vector<Event> WithoutNotices(const std::vector<Event>& transcript) {
  std::vector<Event> events;
  for (const Event& event : transcript)
    if (event.Kind != EventKind::Notice) events.push_back(event);
  return events;
}

}  // namespace headless

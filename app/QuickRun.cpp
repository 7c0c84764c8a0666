#include "app/QuickRun.h"

#include "app/ProgramRun.h"
#include "exchange/HostState.h"
#include "exchange/OutputWriter.h"
#include "dialog/DialogModel.h"

UnseenDialog::UnseenDialog() {
  for (const ControlInfo& info : DialogControls()) {
    Value& value = values_[static_cast<std::size_t>(info.Id)];
    value.Entries = info.Entries;
    value.Selected = info.InitialIndex;
    value.Text = info.InitialText;
    value.Checked = info.InitialIndex != 0;
  }
}

UnseenDialog::Value& UnseenDialog::Of(Control control, ControlKind kind) {
  RequireKind(control, kind);
  return values_[static_cast<std::size_t>(control)];
}

void UnseenDialog::SetWindowPosition(int left, int top) {
  left_ = left;
  top_ = top;
}

void UnseenDialog::GetWindowPosition(int& left, int& top) {
  left = left_;
  top = top_;
}

void UnseenDialog::ListClear(Control list) {
  Value& value = Of(list, ControlKind::List);
  value.Entries.clear();
  value.Selected = -1;
}

void UnseenDialog::ListAdd(Control list, const std::string& entry) {
  Of(list, ControlKind::List).Entries.push_back(entry);
}

void UnseenDialog::ListSelect(Control list, int index) {
  Value& value = Of(list, ControlKind::List);
  value.Selected = index >= 0 && static_cast<std::size_t>(index) < value.Entries.size() ? index : -1;
}

int UnseenDialog::ListSelected(Control list) { return Of(list, ControlKind::List).Selected; }

void UnseenDialog::SetText(Control field, const std::string& text) {
  Of(field, ControlKind::Text).Text = text;
}

std::string UnseenDialog::GetText(Control field) { return Of(field, ControlKind::Text).Text; }

void UnseenDialog::RadioSelect(Control group, int index) {
  Value& value = Of(group, ControlKind::Radio);
  value.Selected = RadioButtonFor(index, static_cast<int>(value.Entries.size()));
}

int UnseenDialog::RadioSelected(Control group) { return Of(group, ControlKind::Radio).Selected; }

void UnseenDialog::CheckSet(Control box, bool checked) { Of(box, ControlKind::Check).Checked = checked; }

bool UnseenDialog::CheckGet(Control box) { return Of(box, ControlKind::Check).Checked; }

void UnseenDialog::Focus(Control) { refusedValue_ = true; }

void UnseenDialog::ShowMessage(const std::string& text, MessageKind) { messages_.push_back(text); }

std::string OneLine(const std::vector<std::string>& texts) {
  constexpr const char* kBlank = "　";
  std::string line;
  for (const std::string& text : texts) {
    std::string part;
    bool lineEnd = false;
    for (char c : text) {
      if (c == '\r' || c == '\n') {
        lineEnd = true;
        continue;
      }
      if (lineEnd && !part.empty()) part += kBlank;
      lineEnd = false;
      part += c;
    }
    if (part.empty()) continue;
    if (!line.empty()) line += kBlank;
    line += part;
  }
  return line;
}

QuickOutcome RunQuick(FileSystem& files, const std::filesystem::path& programFile,
                      const RunMode& mode) {
  UnseenDialog dialog;
  ProgramRun run(dialog, files, programFile, mode);
  run.Show();
  // What the notice pane shows as OK is pressed (after OK it would tell of
  // the next dimension).
  const std::vector<std::string> notice = dialog.Notice();
  if (!dialog.Closed()) run.Ok();
  // OK that drew closes the dialog; anything the dialog would have told
  // the user instead is a refusal, and so is a dialog left open.
  std::vector<std::string> refusal = dialog.Messages();
  if (dialog.RefusedValue()) refusal.insert(refusal.end(), notice.begin(), notice.end());
  const bool drew = dialog.Closed() && refusal.empty() && run.Output().Lines.Count() > 0;
  return run.CloseQuick(drew, OneLine(drew ? notice : refusal));
}

namespace {

constexpr std::string_view kNotice = "h#";  // the host shows the rest of the line as a notice
constexpr std::string_view kError = "he";   // the host shows it as an error and draws nothing

// An answer of the one control line and its text, which is written whole.
OutputCommands OneLineAnswer(std::string_view control, const std::string& text) {
  OutputCommands answer;
  answer.Lines.Append() = std::string(control) + text;
  return answer;
}

}  // namespace

QuickOutcome ProgramRun::CloseQuick(bool drew, const std::string& shown) {
  // The show sequence has found the folder.
  NoticeShown = false;
  const std::filesystem::path exchange = FolderPath / kExchangeFileName;
  QuickOutcome outcome;
  FileStatus answered;
  if (drew) {
    // The notice stands last: between drawing lines it would break them.
    Answer.Lines.Append() = std::string(kNotice) + shown;
    answered = ReplaceOutputFile(Files, exchange, Answer);
    outcome.Answered = answered.Ok();
    outcome.Drawn = outcome.Answered;
    outcome.Shown = shown;
  }
  if (!outcome.Answered) {
    // Nothing of this run is drawn, so nothing of it is stored.
    const SettingsRollback rollback = TakeBackChain();
    outcome.Shown = drew ? OneLine({AnswerNotWrittenMessage(answered.Fault, rollback,
                                                            ModeRow.SettingsFile)})
                         : shown;
    outcome.Answered = ReplaceOutputFile(Files, exchange, OneLineAnswer(kError, outcome.Shown)).Ok();
  }
  FreeHostState(HostTold);
  Answer.Lines.Release();
  return outcome;
}

#include "app/QuickRun.h"

#include "app/ProgramRun.h"
#include "exchange/HostState.h"
#include "exchange/OutputWriter.h"
#include "dialog/DialogModel.h"

void UnseenDialog::SetWindowPosition(int left, int top) {
  left_ = left;
  top_ = top;
}

void UnseenDialog::GetWindowPosition(int& left, int& top) {
  left = left_;
  top = top_;
}

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

}  // namespace

OutputCommands ErrorAnswer(const std::string& shown) {
  OutputCommands answer;
  answer.Lines.Append() = std::string(kError) + shown;
  return answer;
}

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
    outcome.Answered = ReplaceOutputFile(Files, exchange, ErrorAnswer(outcome.Shown)).Ok();
  }
  FreeHostState(HostTold);
  Answer.Lines.Release();
  return outcome;
}

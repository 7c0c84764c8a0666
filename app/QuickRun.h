#pragma once
// A run at the quick pace: no window at all. The dialog is filled from the
// stored settings as it would be shown, OK is pressed at once, and the host
// is told through its own channels what the user would have read: "he" with
// a refusal or failure (the host shows it and draws nothing), or the answer
// that OK writes with one "h#" notice line at its end.
#include <filesystem>
#include <string>
#include <vector>

#include "dialog/ControlValues.h"
#include "dialog/Controls.h"
#include "dialog/DialogModel.h"
#include "dialog/UserInterface.h"
#include "dimension/RunModes.h"
#include "exchange/OutputWriter.h"
#include "files/FileSystem.h"

// The dialog of a quick run: it holds the controls' values as the dialog
// would (a list entry past the last selects none, a radio number is brought
// into its group), and keeps what it would have shown instead of showing it.
class UnseenDialog final : public UserInterface {
 public:
  void CloseDialog() override { closed_ = true; }
  void SetWindowPosition(int left, int top) override;
  void GetWindowPosition(int& left, int& top) override;
  void ListClear(Control list) override { values_.ListClear(list); }
  void ListAdd(Control list, const std::string& entry) override { values_.ListAdd(list, entry); }
  void ListSelect(Control list, int index) override { values_.ListSelect(list, index); }
  int ListSelected(Control list) override { return values_.ListSelected(list); }
  void SetText(Control field, const std::string& text) override { values_.SetText(field, text); }
  std::string GetText(Control field) override { return values_.GetText(field); }
  void RadioSelect(Control group, int index) override { values_.RadioSelect(group, index); }
  int RadioSelected(Control group) override { return values_.RadioSelected(group); }
  void CheckSet(Control box, bool checked) override { values_.CheckSet(box, checked); }
  bool CheckGet(Control box) override { return values_.CheckGet(box); }
  // OK refuses a value (the notice pane tells which).
  void Focus(Control control) override;
  void SetStatusText(const std::string&) override {}
  void ShowMessage(const std::string& text, MessageKind kind) override;
  void ShowNotice(const std::vector<std::string>& lines) override { notice_ = lines; }
  void ShowChainWords(const std::string&, const std::vector<std::string>&) override {}

  bool Closed() const { return closed_; }
  // The messages the dialog would have shown, in order; OK refused a value
  // (the notice pane names it); the notice pane's lines.
  const std::vector<std::string>& Messages() const { return messages_; }
  bool RefusedValue() const { return refusedValue_; }
  const std::vector<std::string>& Notice() const { return notice_; }

 private:
  ControlValues values_;
  int left_ = 0;
  int top_ = 0;
  bool closed_ = false;
  bool refusedValue_ = false;
  std::vector<std::string> messages_;
  std::vector<std::string> notice_;
};

// One text on one line, as the host shows a "he" or "h#" line: the lines of
// every text joined by a full-width blank.
std::string OneLine(const std::vector<std::string>& texts);

// The host's error answer: the one "he" line with `shown` (one line), which
// is written whole; the host shows it and draws nothing.
OutputCommands ErrorAnswer(const std::string& shown);

// What a quick run told the host (Shift-JIS, without "he" / "h#").
struct QuickOutcome {
  bool Drawn = false;     // the answer draws a dimension and ends with "h#"
  bool Answered = false;  // the exchange file holds the answer
  std::string Shown;      // the notice or the refusal
};

// Runs the program once at the quick pace of `mode` (the program file at
// `programFile`, its files through `files`).
QuickOutcome RunQuick(FileSystem& files, const std::filesystem::path& programFile,
                      const RunMode& mode);

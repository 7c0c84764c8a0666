#pragma once
// A run at the quick pace: no window at all. The dialog is filled from the
// stored settings as it would be shown, OK is pressed at once, and the host
// is told through its own channels what the user would have read: "he" with
// a refusal or failure (the host shows it and draws nothing), or the answer
// that OK writes with one "h#" notice line at its end.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "dialog/Controls.h"
#include "dialog/DialogModel.h"
#include "dialog/UserInterface.h"
#include "dimension/RunModes.h"
#include "files/FileSystem.h"

// The dialog of a quick run: it holds the controls' values as the dialog
// would (a list entry past the last selects none, a radio number is brought
// into its group), and keeps what it would have shown instead of showing it.
class UnseenDialog final : public UserInterface {
 public:
  UnseenDialog();

  void CloseDialog() override { closed_ = true; }
  void SetWindowPosition(int left, int top) override;
  void GetWindowPosition(int& left, int& top) override;
  void ListClear(Control list) override;
  void ListAdd(Control list, const std::string& entry) override;
  void ListSelect(Control list, int index) override;
  int ListSelected(Control list) override;
  void SetText(Control field, const std::string& text) override;
  std::string GetText(Control field) override;
  void RadioSelect(Control group, int index) override;
  int RadioSelected(Control group) override;
  void CheckSet(Control box, bool checked) override;
  bool CheckGet(Control box) override;
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
  struct Value {
    std::vector<std::string> Entries;
    int Selected = -1;
    std::string Text;
    bool Checked = false;
  };
  Value& Of(Control control, ControlKind kind);

  std::array<Value, kControlCount> values_;
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

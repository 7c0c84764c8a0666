#pragma once
// The dialog without a screen: every setting control holds its value as the
// real dialog would, message boxes are acknowledged at once, and what the user
// would have seen (messages, focus moves, status texts, the notice pane's
// lines, the close) is recorded as a transcript. Texts are Shift-JIS, as everywhere in the program.
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dialog/ControlValues.h"
#include "dialog/Controls.h"
#include "dialog/DialogModel.h"
#include "dialog/UserInterface.h"

namespace headless {

// Message: a confirmation box; Warning: a box that tells of a failure.
enum class EventKind { Message, Warning, Focus, Status, Notice, Closed };

struct Event {
  EventKind Kind;
  // Message or status text, one line of the notice pane; the control's name
  // for a focus.
  std::string Text;
  bool operator==(const Event&) const = default;
};

// One transcript line: "message: TEXT", "warning: TEXT", "focus: CONTROL",
// "status: TEXT", "notice: TEXT" or "closed" (the text bytes unchanged).
std::string FormatEvent(const Event& event);

// The value of one setting control (the dialog layer's).
using ::ControlState;

// What the dialog shows at one moment.
struct DialogState {
  ControlValues Controls;
  int WindowLeft = kInitialWindowLeft;  // the dialog's screen position
  int WindowTop = kInitialWindowTop;
  std::string StatusText;
  std::vector<std::string> NoticeLines;  // what the notice pane shows
  std::string Caption;                   // the dialog's caption
  std::vector<std::string> HelpMemo;     // the help memo's lines
  bool HasFocus = false;
  Control Focused = Control::StartMark;

  ControlState& operator[](Control c) { return Controls[c]; }
  const ControlState& operator[](Control c) const { return Controls[c]; }
};

// The dialog as it starts: each control at its initial value with its list
// entries, the status strip with its one full-width blank.
DialogState InitialDialogState();

class HeadlessUi : public UserInterface {
 public:
  HeadlessUi();

  // What closing the dialog runs before the loop ends (the run's Close).
  void SetCloseHandler(std::function<void()> handler) { closeHandler_ = std::move(handler); }
  // What a change of a setting control by the user runs (the form's
  // ControlChange).
  void SetChangeHandler(std::function<void()> handler) { changeHandler_ = std::move(handler); }

  // UserInterface. Using an operation on a control of another kind is a fault
  // of the caller and throws std::logic_error.
  void CloseDialog() override;
  void SetWindowPosition(int left, int top) override;
  void GetWindowPosition(int& left, int& top) override;
  void ListClear(Control list) override;
  void ListAdd(Control list, const std::string& entry) override;
  void ListSelect(Control list, int index) override;
  int ListSelected(Control list) override;
  void SetText(Control field, const std::string& text) override;
  std::string GetText(Control field) override;
  // A number below the first button selects the first, past the last the last.
  void RadioSelect(Control group, int index) override;
  int RadioSelected(Control group) override;
  void CheckSet(Control box, bool checked) override;
  bool CheckGet(Control box) override;
  void Focus(Control control) override;
  void SetStatusText(const std::string& text) override;
  void ShowMessage(const std::string& text, MessageKind kind) override;
  // The lines replace the pane's; each is recorded as a notice.
  void ShowNotice(const std::vector<std::string>& lines) override;
  void ShowChainWords(const std::string& caption,
                      const std::vector<std::string>& helpMemo) override;

  // What the user does to the setting controls. Each changes its control as
  // the operation of the same kind above does, then runs the change handler.
  //
  // Typing (or pasting) into a text field after selecting all of it: the
  // first line of the text replaces the field's content, cut at the field's
  // byte limit, never in the middle of a double-byte character.
  void TypeText(Control field, std::string_view text);
  void ChooseEntry(Control list, int index);
  void ChooseButton(Control group, int index);
  void TickCheckBox(Control box, bool checked);

  bool Closed() const { return closed_; }
  const DialogState& State() const { return state_; }
  const std::vector<Event>& Transcript() const { return transcript_; }
  // The same, handed over when the run is over and the dialog goes.
  DialogState TakeState() { return std::move(state_); }
  std::vector<Event> TakeTranscript() { return std::move(transcript_); }

 private:
  void Changed();

  DialogState state_;
  std::vector<Event> transcript_;
  std::function<void()> closeHandler_;
  std::function<void()> changeHandler_;
  bool closing_ = false;
  bool closed_ = false;
};

}  // namespace headless

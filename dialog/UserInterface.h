#pragma once
// The operations that the program's logic needs of a user interface. Any
// implementation that offers them carries the whole run; all are used on one
// thread. Texts are Shift-JIS.
#include <string>
#include <vector>

#include "dialog/Controls.h"

// What a message box tells: the program's answer to what the user asked
// (a refusal, the missing companion tool), or a failure of the program's own
// files, which the user has to see to.
enum class MessageKind {
  Confirmation,  // question icon
  Warning,       // warning icon
};

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // Runs the form's Close once, then ends the event loop and the program.
  // Further calls do nothing.
  virtual void CloseDialog() = 0;

  // Moves the window's top-left corner there. A front end with a screen
  // keeps the whole window on it (moved, not shrunk); GetWindowPosition
  // gives where the window stands, as the user sees it.
  virtual void SetWindowPosition(int left, int top) = 0;
  virtual void GetWindowPosition(int& left, int& top) = 0;

  // Drop-down lists. Selecting a number past the last entry (or a negative
  // one) leaves no entry selected; the selection reads -1 when none is.
  virtual void ListClear(Control list) = 0;
  virtual void ListAdd(Control list, const std::string& entry) = 0;
  virtual void ListSelect(Control list, int index) = 0;
  virtual int ListSelected(Control list) = 0;

  // Single-line text fields.
  virtual void SetText(Control field, const std::string& text) = 0;
  virtual std::string GetText(Control field) = 0;

  // Radio groups. Selecting a number past the last button selects the last.
  virtual void RadioSelect(Control group, int index) = 0;
  virtual int RadioSelected(Control group) = 0;

  // Check boxes.
  virtual void CheckSet(Control box, bool checked) = 0;
  virtual bool CheckGet(Control box) = 0;

  // Moves the input focus to the control.
  virtual void Focus(Control control) = 0;

  // Sets the status strip's one centred line and redraws it at once.
  virtual void SetStatusText(const std::string& text) = 0;

  // Modal message box (title "確認", one "OK" button) with the icon of its
  // kind; returns when the user has pressed it.
  virtual void ShowMessage(const std::string& text, MessageKind kind) = 0;

  // Shows these lines in the notice pane, in place of what it showed; no
  // lines leave it empty.
  virtual void ShowNotice(const std::vector<std::string>& lines) = 0;

  // The dialog's caption and the lines of its help memo, which name the
  // kind of chain the run continues; set by the show sequence before the
  // dialog appears.
  virtual void ShowChainWords(const std::string& caption,
                              const std::vector<std::string>& helpMemo) = 0;
};

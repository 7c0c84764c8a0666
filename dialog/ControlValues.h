#pragma once
// The values of the dialog's setting controls, held as the real dialog holds
// them: a list entry past the last selects none, a radio number is brought
// into its group, and an operation on a control of another kind is a fault of
// the program. The dialogs without a screen (the headless front end's, and
// the quick run's, which is never shown) keep their controls in it.
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "dialog/Controls.h"
#include "dialog/DialogModel.h"

// The value of one setting control.
struct ControlState {
  std::vector<std::string> Entries;  // list entries or radio captions
  int Selected = -1;                 // list entry or radio button; -1 = none
  std::string Text;                  // text fields
  bool Checked = false;              // check boxes
};

class ControlValues {
 public:
  // Every control at its initial value, with its list entries.
  ControlValues();

  ControlState& operator[](Control c) { return values_[static_cast<std::size_t>(c)]; }
  const ControlState& operator[](Control c) const { return values_[static_cast<std::size_t>(c)]; }

  // The user-interface operations on the controls; each throws
  // std::logic_error when the control is not of the operation's kind.
  void ListClear(Control list);
  void ListAdd(Control list, const std::string& entry);
  void ListSelect(Control list, int index);
  int ListSelected(Control list);
  void SetText(Control field, const std::string& text);
  std::string GetText(Control field);
  void RadioSelect(Control group, int index);
  int RadioSelected(Control group);
  void CheckSet(Control box, bool checked);
  bool CheckGet(Control box);

  // The control, once it is known to be of `kind`.
  ControlState& Expect(Control control, ControlKind kind);

 private:
  std::array<ControlState, kControlCount> values_;
};

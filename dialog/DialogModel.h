#pragma once
// What the dialog holds, independent of how a front end draws it: each setting
// control with its setting name, kind, initial value, list entries, labels and
// the most bytes of Shift-JIS text the user may type into it (all taken from
// the settings table); the program's fixed texts are in UserTexts.h.
#include <string>
#include <string_view>
#include <vector>

#include "dialog/Controls.h"
#include "dialog/UserTexts.h"

enum class ControlKind { List, Text, Radio, Check };

// A setting control as the dialog shows it, derived from its row of the
// settings table.
struct ControlInfo {
  Control Id;
  const char* SettingName;         // "StartMark", ... (ASCII)
  ControlKind Kind;
  int InitialIndex;                // list entry, radio button or check (0/1); -1 = none
  std::string InitialText;         // text fields
  std::vector<std::string> Entries;  // list entries or radio captions (Shift-JIS)
  int ByteLimit;                   // text fields: most bytes the user may type; 0 = none
  bool NoIme;                      // the input method is switched off in it
  const char* Label;               // its label, frame caption or check-box caption
  const char* Unit;                // the unit label right of it, or nullptr
  const char* Note;                // a remark right of it, or nullptr
};

// The twenty setting controls in tab order (tab orders 0 to 19).
const std::vector<ControlInfo>& DialogControls();
const ControlInfo& ControlInfoOf(Control id);
// Throws std::logic_error when `control` is not of `kind`: a user-interface
// operation that does not fit its control is a fault of the program.
void RequireKind(Control control, ControlKind kind);
// The button a radio group selects for `index`: the first below 0, the last
// past the end (both front ends keep to it).
int RadioButtonFor(int index, int buttonCount);

// The control for a setting name, or nullptr when there is none.
const ControlInfo* FindControlBySetting(std::string_view settingName);

// The dialog's first position on the screen, before the show sequence moves
// it to the stored one.
inline constexpr int kInitialWindowLeft = 194;
inline constexpr int kInitialWindowTop = 107;

// The twelve end marks of the start and end mark lists.
const std::vector<std::string>& EndMarkEntries();

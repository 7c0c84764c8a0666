#pragma once
// Every value of vk38.dat described once: its line, its field, its kind, its
// default, the rule by which its line is taken when the file is loaded and,
// for the twenty values of the dialog, its control with label, entries and
// limits. Loading, saving, the dialog model and the dialog's captions are all
// derived from this table.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "dialog/Controls.h"
#include "dialog/DialogSettings.h"

enum class SettingKind {
  Integer,     // 32-bit signed
  ListIndex,   // entry of a drop-down list, -1 = none
  Text,        // one line of Shift-JIS text, as typed
  RadioIndex,  // button of a radio group
  Flag,        // check box, written "0" or "1"
  Real,        // double, in the general number form
};

// How the number on a line becomes the value when the file is loaded.
enum class LoadRule {
  AsRead,         // unchanged
  ListEntry,      // negative: 0; past the last entry: -1 (no entry selected)
  RadioButton,    // negative: 0; past the last button: the last button
  NotZero,        // a flag: set when the number is not 0
  LayerGroup,     // outside 0..15: 0
  PositiveScale,  // not greater than 1e-10 (zero, negative, unreadable): 1
};

using SettingField =
    std::variant<std::int32_t DialogSettings::*, std::string DialogSettings::*,
                 bool DialogSettings::*, double DialogSettings::*>;
// A default of the matching type; none: the value keeps what it holds.
using SettingValue = std::variant<std::monostate, std::int32_t, std::string, bool, double>;

struct SettingRow {
  int Line;            // 1-31
  const char* Name;    // the setting's name (ASCII)
  SettingKind Kind;
  SettingField Field;
  LoadRule Rule;
  // The dialog part's initial value, or the stored value that loading sets
  // before it reads the file.
  SettingValue Default;
  // The dialog part only.
  std::optional<Control> Id;
  const char* Label = nullptr;  // beside, above or on the control (Shift-JIS)
  const char* Unit = nullptr;   // right of the control, or nullptr
  const char* Note = nullptr;   // a remark right of the control, or nullptr
  std::vector<std::string> Entries;  // list entries or radio captions
  int EntryCount = 0;  // lists and radio groups; the text-style list is filled at show
  int ByteLimit = 0;   // text fields: most bytes the user may type
  bool NoIme = false;  // the input method is switched off in the control
};

// The 31 rows in file order.
const std::vector<SettingRow>& SettingRows();
// The row of a dialog control.
const SettingRow& SettingRowOf(Control id);

// Sets the row's field to its default; a row without one keeps its value.
void SetDefault(const SettingRow& row, DialogSettings& settings);

// A record with the dialog part at its initial values and the stored part 0.
DialogSettings InitialSettings();

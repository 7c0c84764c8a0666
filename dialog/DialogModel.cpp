#include "dialog/DialogModel.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "dialog/SettingsTable.h"

namespace {

ControlKind KindOf(SettingKind kind) {
  switch (kind) {
    case SettingKind::ListIndex: return ControlKind::List;
    case SettingKind::RadioIndex: return ControlKind::Radio;
    case SettingKind::Flag: return ControlKind::Check;
    default: return ControlKind::Text;
  }
}

// The dialog part of the settings table, in tab order (the order of the
// controls' enumeration).
std::vector<ControlInfo> BuildControls() {
  std::vector<ControlInfo> controls;
  for (const SettingRow& row : SettingRows()) {
    if (!row.Id) continue;
    ControlInfo info{*row.Id, row.Name, KindOf(row.Kind), -1, "", row.Entries,
                     row.ByteLimit, row.NoIme, row.Label, row.Unit, row.Note};
    if (const auto* index = std::get_if<std::int32_t>(&row.Default)) info.InitialIndex = *index;
    if (const auto* flag = std::get_if<bool>(&row.Default)) info.InitialIndex = *flag ? 1 : 0;
    if (const auto* text = std::get_if<std::string>(&row.Default)) info.InitialText = *text;
    controls.push_back(std::move(info));
  }
  std::sort(controls.begin(), controls.end(),
            [](const ControlInfo& a, const ControlInfo& b) { return a.Id < b.Id; });
  return controls;
}

}  // namespace

const std::vector<std::string>& EndMarkEntries() { return SettingRowOf(Control::StartMark).Entries; }

const std::vector<ControlInfo>& DialogControls() {
  static const std::vector<ControlInfo> controls = BuildControls();
  return controls;
}

const ControlInfo& ControlInfoOf(Control id) { return ForControl(DialogControls(), id, "unknown control"); }

void RequireKind(Control control, ControlKind kind) {
  if (ControlInfoOf(control).Kind != kind)
    throw std::logic_error(std::string("operation does not fit control ") + ControlName(control));
}

int RadioButtonFor(int index, int buttonCount) {
  if (index < 0) return 0;
  return index < buttonCount ? index : buttonCount - 1;
}

const ControlInfo* FindControlBySetting(std::string_view settingName) {
  for (const ControlInfo& info : DialogControls())
    if (settingName == info.SettingName) return &info;
  return nullptr;
}

const char* ControlName(Control control) { return ControlInfoOf(control).SettingName; }

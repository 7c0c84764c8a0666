#include "dialog/ControlValues.h"

ControlValues::ControlValues() {
  for (const ControlInfo& info : DialogControls()) {
    ControlState& control = (*this)[info.Id];
    control.Entries = info.Entries;
    switch (info.Kind) {
      case ControlKind::List:
      case ControlKind::Radio:
        control.Selected = info.InitialIndex;
        break;
      case ControlKind::Text:
        control.Text = info.InitialText;
        break;
      case ControlKind::Check:
        control.Checked = info.InitialIndex != 0;
        break;
    }
  }
}

ControlState& ControlValues::Expect(Control control, ControlKind kind) {
  RequireKind(control, kind);
  return (*this)[control];
}

void ControlValues::ListClear(Control list) {
  ControlState& c = Expect(list, ControlKind::List);
  c.Entries.clear();
  c.Selected = -1;
}

void ControlValues::ListAdd(Control list, const std::string& entry) {
  Expect(list, ControlKind::List).Entries.push_back(entry);
}

void ControlValues::ListSelect(Control list, int index) {
  ControlState& c = Expect(list, ControlKind::List);
  const bool valid = index >= 0 && static_cast<std::size_t>(index) < c.Entries.size();
  c.Selected = valid ? index : -1;
}

int ControlValues::ListSelected(Control list) { return Expect(list, ControlKind::List).Selected; }

void ControlValues::SetText(Control field, const std::string& text) {
  Expect(field, ControlKind::Text).Text = text;
}

std::string ControlValues::GetText(Control field) { return Expect(field, ControlKind::Text).Text; }

void ControlValues::RadioSelect(Control group, int index) {
  ControlState& c = Expect(group, ControlKind::Radio);
  c.Selected = RadioButtonFor(index, static_cast<int>(c.Entries.size()));
}

int ControlValues::RadioSelected(Control group) { return Expect(group, ControlKind::Radio).Selected; }

void ControlValues::CheckSet(Control box, bool checked) {
  Expect(box, ControlKind::Check).Checked = checked;
}

bool ControlValues::CheckGet(Control box) { return Expect(box, ControlKind::Check).Checked; }

#include "dimension/OkInputs.h"

#include <string>

#include "helpers/MyFunc.h"

namespace {

double ReadNumber(UserInterface& ui, Control field) {
  return StrToFloatOrZero(ui.GetText(field));
}

// A text made only of blanks and control characters counts as no text; any
// other text is used exactly as typed.
std::string ReadAffix(UserInterface& ui, Control field) {
  std::string text = ui.GetText(field);
  if (StripBlanks(text).empty()) text.clear();
  return text;
}

}  // namespace

std::optional<OkInputs> ReadOkInputs(UserInterface& ui) {
  OkInputs in;
  auto refuse = [&](Control control) {
    ui.Focus(control);
    return std::nullopt;
  };

  in.StartMark = ui.ListSelected(Control::ComboBox1);
  in.EndMark = ui.ListSelected(Control::ComboBox2);
  in.MarkScale = ReadNumber(ui, Control::Edit1);
  if (in.StartMark < 0) return refuse(Control::ComboBox1);
  if (in.EndMark < 0) return refuse(Control::ComboBox2);
  if (!(in.MarkScale > 0)) return refuse(Control::Edit1);

  // Checked whatever the two marks are.
  in.ArrowLength = ReadNumber(ui, Control::Edit7);
  in.ArrowAngle = ReadNumber(ui, Control::Edit8);
  if (!(in.ArrowLength > 0 && in.ArrowLength <= 1000)) return refuse(Control::Edit7);
  if (!(in.ArrowAngle > 0 && in.ArrowAngle < 180)) return refuse(Control::Edit8);

  in.TextStyle = ui.ListSelected(Control::ComboBox3);
  in.Format.Prefix = ReadAffix(ui, Control::Edit2);
  in.Format.Suffix = ReadAffix(ui, Control::Edit3);

  in.Format.Precision = ui.ListSelected(Control::ComboBox4);
  in.Format.Rounding = ui.ListSelected(Control::ComboBox5);
  in.Format.ZeroDisplay = ui.RadioSelected(Control::RadioGroup1);
  in.Format.ValueUnit = ui.RadioSelected(Control::RadioGroup2);
  in.Format.ThousandsCommas = ui.CheckGet(Control::CheckBox1);
  in.Format.AppendUnit = ui.CheckGet(Control::CheckBox2);
  in.Format.FullWidth = ui.CheckGet(Control::CheckBox3);
  in.AsDimensionFigure = ui.CheckGet(Control::CheckBox4);
  in.TextLineGap = ReadNumber(ui, Control::Edit4);
  in.ExtLineOffset = ReadNumber(ui, Control::Edit5);
  in.ExtLineOvershoot = ReadNumber(ui, Control::Edit6);
  in.ReverseArrowOvershoot = ReadNumber(ui, Control::Edit9);
  if (in.TextStyle < 0) return refuse(Control::ComboBox3);
  if (in.Format.Precision < 0) return refuse(Control::ComboBox4);
  if (in.Format.Rounding < 0) return refuse(Control::ComboBox5);
  if (in.Format.ZeroDisplay < 0) return refuse(Control::RadioGroup1);
  if (in.Format.ValueUnit < 0) return refuse(Control::RadioGroup2);
  if (in.ExtLineOffset < 0) return refuse(Control::Edit5);
  if (in.ExtLineOvershoot < 0) return refuse(Control::Edit6);
  if (in.ReverseArrowOvershoot < 0) return refuse(Control::Edit9);
  return in;
}

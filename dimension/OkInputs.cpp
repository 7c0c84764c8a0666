#include "dimension/OkInputs.h"

#include <string>

#include "helpers/MyFunc.h"

namespace {

// A text made only of blanks and control characters counts as no text; any
// other text is used exactly as typed.
std::string Affix(const std::string& text) { return StripBlanks(text).empty() ? std::string() : text; }

}  // namespace

CheckedInputs CheckOkInputs(const TDialogSettings& v) {
  OkInputs in;
  auto refuse = [](Control control) { return CheckedInputs{std::nullopt, control}; };

  in.StartMark = v.StartMark;
  in.EndMark = v.EndMark;
  in.MarkScale = StrToFloatOrZero(v.MarkScale);
  if (in.StartMark < 0) return refuse(Control::ComboBox1);
  if (in.EndMark < 0) return refuse(Control::ComboBox2);
  if (!(in.MarkScale > 0)) return refuse(Control::Edit1);

  // Checked whatever the two marks are.
  in.ArrowLength = StrToFloatOrZero(v.ArrowLength);
  in.ArrowAngle = StrToFloatOrZero(v.ArrowAngle);
  if (!(in.ArrowLength > 0 && in.ArrowLength <= 1000)) return refuse(Control::Edit7);
  if (!(in.ArrowAngle > 0 && in.ArrowAngle < 180)) return refuse(Control::Edit8);

  in.TextStyle = v.TextStyle;
  in.Format.Prefix = Affix(v.Prefix);
  in.Format.Suffix = Affix(v.Suffix);

  in.Format.Precision = v.Precision;
  in.Format.Rounding = v.Rounding;
  in.Format.ZeroDisplay = v.ZeroDisplay;
  in.Format.ValueUnit = v.ValueUnit;
  in.Format.ThousandsCommas = v.ThousandsCommas;
  in.Format.AppendUnit = v.AppendUnit;
  in.Format.FullWidth = v.FullWidth;
  in.AsDimensionFigure = v.AsDimensionFigure;
  in.TextLineGap = StrToFloatOrZero(v.TextLineGap);
  in.ExtLineOffset = StrToFloatOrZero(v.ExtLineOffset);
  in.ExtLineOvershoot = StrToFloatOrZero(v.ExtLineOvershoot);
  in.ReverseArrowOvershoot = StrToFloatOrZero(v.ReverseArrowOvershoot);
  if (in.TextStyle < 0) return refuse(Control::ComboBox3);
  if (in.Format.Precision < 0) return refuse(Control::ComboBox4);
  if (in.Format.Rounding < 0) return refuse(Control::ComboBox5);
  if (in.Format.ZeroDisplay < 0) return refuse(Control::RadioGroup1);
  if (in.Format.ValueUnit < 0) return refuse(Control::RadioGroup2);
  if (in.ExtLineOffset < 0) return refuse(Control::Edit5);
  if (in.ExtLineOvershoot < 0) return refuse(Control::Edit6);
  if (in.ReverseArrowOvershoot < 0) return refuse(Control::Edit9);
  return CheckedInputs{in, Control::ComboBox1};
}

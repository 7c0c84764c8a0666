#include "dimension/OkInputs.h"

#include <string>

#include "helpers/MyFunc.h"

namespace {

// A text made only of blanks and control characters counts as no text; any
// other text is used exactly as typed.
std::string Affix(const std::string& text) { return StripBlanks(text).empty() ? std::string() : text; }

}  // namespace

CheckedInputs CheckOkInputs(const DialogSettings& v) {
  OkInputs in;
  auto refuse = [](Control control) { return CheckedInputs{std::nullopt, control}; };

  in.StartMark = v.StartMark;
  in.EndMark = v.EndMark;
  in.MarkScale = StrToFloatOrZero(v.MarkScale);
  if (in.StartMark < 0) return refuse(Control::StartMark);
  if (in.EndMark < 0) return refuse(Control::EndMark);
  if (!(in.MarkScale > 0)) return refuse(Control::MarkScale);

  // Checked whatever the two marks are.
  in.ArrowLength = StrToFloatOrZero(v.ArrowLength);
  in.ArrowAngle = StrToFloatOrZero(v.ArrowAngle);
  if (!(in.ArrowLength > 0 && in.ArrowLength <= 1000)) return refuse(Control::ArrowLength);
  if (!(in.ArrowAngle > 0 && in.ArrowAngle < 180)) return refuse(Control::ArrowAngle);

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
  if (in.TextStyle < 0) return refuse(Control::TextStyle);
  if (in.Format.Precision < 0) return refuse(Control::Precision);
  if (in.Format.Rounding < 0) return refuse(Control::Rounding);
  if (in.Format.ZeroDisplay < 0) return refuse(Control::ZeroDisplay);
  if (in.Format.ValueUnit < 0) return refuse(Control::ValueUnit);
  if (in.ExtLineOffset < 0) return refuse(Control::ExtLineOffset);
  if (in.ExtLineOvershoot < 0) return refuse(Control::ExtLineOvershoot);
  if (in.ReverseArrowOvershoot < 0) return refuse(Control::ReverseArrowOvershoot);
  return CheckedInputs{in, Control::StartMark};
}

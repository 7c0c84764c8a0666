#include "dimension/OkInputs.h"

#include <string>

#include "dialog/EndMarkKinds.h"
#include "helpers/NumberParse.h"
#include "helpers/Sjis.h"

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
  const auto isMark = [](std::int32_t entry) {
    return entry >= 0 && static_cast<std::size_t>(entry) < EndMarkKinds().size();
  };
  if (!isMark(in.StartMark)) return refuse(Control::StartMark);
  if (!isMark(in.EndMark)) return refuse(Control::EndMark);
  if (!(in.MarkScale > 0)) return refuse(Control::MarkScale);

  // Checked whatever the two marks are.
  in.ArrowLength = StrToFloatOrZero(v.ArrowLength);
  in.ArrowAngle = StrToFloatOrZero(v.ArrowAngle);
  if (!(in.ArrowLength > 0 && in.ArrowLength <= 1000)) return refuse(Control::ArrowLength);
  if (!(in.ArrowAngle > 0 && in.ArrowAngle < 180)) return refuse(Control::ArrowAngle);

  in.Format.Prefix = Affix(v.Prefix);
  in.Format.Suffix = Affix(v.Suffix);
  in.Format.ThousandsCommas = v.ThousandsCommas;
  in.Format.AppendUnit = v.AppendUnit;
  in.Format.FullWidth = v.FullWidth;
  in.AsDimensionFigure = v.AsDimensionFigure;
  in.TextLineGap = StrToFloatOrZero(v.TextLineGap);
  in.ExtLineOffset = StrToFloatOrZero(v.ExtLineOffset);
  in.ExtLineOvershoot = StrToFloatOrZero(v.ExtLineOvershoot);
  in.ReverseArrowOvershoot = StrToFloatOrZero(v.ReverseArrowOvershoot);
  // The list and radio choices: a control that holds none is refused.
  const std::optional<TextStyleChoice> style = TextStyleChoiceOf(v);
  const std::optional<std::int32_t> decimals = DecimalsChoice(v);
  const std::optional<RoundingMode> rounding = RoundingChoice(v);
  const std::optional<ZeroDisplay> zeros = ZeroDisplayChoice(v);
  const std::optional<ValueUnit> unit = ValueUnitChoice(v);
  if (!style) return refuse(Control::TextStyle);
  if (!decimals) return refuse(Control::Precision);
  if (!rounding) return refuse(Control::Rounding);
  if (!zeros) return refuse(Control::ZeroDisplay);
  if (!unit) return refuse(Control::ValueUnit);
  in.TextStyle = *style;
  in.Format.Precision = *decimals;
  in.Format.Rounding = *rounding;
  in.Format.Zeros = *zeros;
  in.Format.Unit = *unit;
  if (in.ExtLineOffset < 0) return refuse(Control::ExtLineOffset);
  if (in.ExtLineOvershoot < 0) return refuse(Control::ExtLineOvershoot);
  if (in.ReverseArrowOvershoot < 0) return refuse(Control::ReverseArrowOvershoot);
  return CheckedInputs{in, Control::StartMark};
}

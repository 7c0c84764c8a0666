#include "dimension/OkNotice.h"

#include <algorithm>
#include <cmath>

#include "dialog/DialogModel.h"
#include "helpers/Extended.h"
#include "helpers/NumberFormat.h"
#include "helpers/Sjis.h"

namespace {

std::string WhatIsDrawn(const OkPlan& plan) {
  if (plan.Mode == OkMode::NewChain) return "新しい垂直寸法";
  return plan.Side == ChainSide::Above ? "上へ延長" : "下へ延長";
}

// A list or radio group is refused only when nothing in it is chosen; a text
// field for the value it holds.
std::string RefusedText(Control control) {
  const ControlInfo& info = ControlInfoOf(control);
  const std::string label = std::string("「") + info.Label + "」";
  if (info.Kind == ControlKind::Text) return label + "の値では作図出来ません。";
  return label + "が選ばれていませんので作図出来ません。";
}

// A message a sentence a line, so that a long one fits the pane's width.
std::vector<std::string> Sentences(const std::string& text) {
  const std::string stop = "。";
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t width =
        IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    const std::string character = text.substr(i, width);
    lines.back() += character;
    i += width;
    if (character == stop && i < text.size()) lines.emplace_back();
  }
  return lines;
}

// A level or length for the eye: turned axes leave noise in the last digits.
std::string Shown(double value) {
  return FormatGeneral(static_cast<double>(std::round(static_cast<Extended>(value) * 1e6L) / 1e6L));
}

// A coordinate of the drawing for the eye, to a tenth of a unit.
std::string Coordinate(double value) {
  // + 0.0: a value rounded to -0 shows as 0.
  return FormatGeneral(static_cast<double>(std::round(static_cast<Extended>(value) * 10) / 10) +
                       0.0);
}

// The chain found in the selection, so that a wrong pick is seen before OK:
// where it lies in the drawing, its length, and how many dimension lines
// the selection holds. A chain whose ends show the same x (or y) is named by
// it and the span of the other coordinate; one at another angle by its ends.
std::string PickedChainLine(const PickedChain& chain) {
  const std::string x1 = Coordinate(chain.Lower.X), y1 = Coordinate(chain.Lower.Y);
  const std::string x2 = Coordinate(chain.Upper.X), y2 = Coordinate(chain.Upper.Y);
  const auto span = [](double p, double q) {
    return Coordinate(std::min(p, q)) + "～" + Coordinate(std::max(p, q));
  };
  std::string where;
  if (x1 == x2)
    where = "X=" + x1 + "　Y " + span(chain.Lower.Y, chain.Upper.Y);
  else if (y1 == y2)
    where = "Y=" + y1 + "　X " + span(chain.Lower.X, chain.Upper.X);
  else
    where = "(" + x1 + ", " + y1 + ")～(" + x2 + ", " + y2 + ")";
  return "選択した寸法線 " + where + "　長さ " + Shown(chain.Length) + "（" +
         std::to_string(chain.DimensionLines) + "本中）";
}

std::vector<std::string> PlanLines(const OkPlan& plan) {
  switch (plan.Outcome) {
    case OkOutcome::Refused:
      return {RefusedText(plan.Refused)};
    case OkOutcome::MissingPicks:
      return Sentences(MissingPicksMessage(plan.MissingPicks, plan.Mode));
    case OkOutcome::NoChain:
      return Sentences(plan.NoChain);
    case OkOutcome::Inside:
      return Sentences(DialogTexts::InsideChain);
    case OkOutcome::ZeroLength:
      return {WhatIsDrawn(plan), DialogTexts::ZeroLength};
    case OkOutcome::Draw:
      break;
  }
  return {WhatIsDrawn(plan) + "　長さ " + FormatGeneral(plan.Length),
          "寸法値「" + plan.ValueText + "」"};
}

}  // namespace

std::vector<std::string> OkNoticeLines(const DialogSettings& values, const HostState& host,
                                       OkMode mode) {
  const OkPlan plan = PlanOk(values, host, mode);
  std::vector<std::string> lines = PlanLines(plan);
  const bool chainFound = plan.Outcome == OkOutcome::Inside ||
                          plan.Outcome == OkOutcome::ZeroLength || plan.Outcome == OkOutcome::Draw;
  if (mode == OkMode::Pick && chainFound) lines.insert(lines.begin(), PickedChainLine(plan.Picked));
  return lines;
}

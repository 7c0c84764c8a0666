#include "dimension/OkNotice.h"

#include <algorithm>
#include <cmath>

#include "dialog/DialogModel.h"
#include "dialog/UserTexts.h"
#include "helpers/Extended.h"
#include "helpers/NumberFormat.h"
#include "helpers/Sjis.h"

namespace {

std::string WhatIsDrawn(const OkPlan& plan) {
  const ChainWords& words = WordsOf(plan.Mode->Direction);
  if (plan.Mode->Chain == ChainSource::Picks) return NewChainHeading(plan.Mode->Direction);
  return plan.Side == ChainSide::Above ? words.GrowsUpper : words.GrowsLower;
}

// A list or radio group is refused only when nothing in it is chosen; a text
// field for the value it holds.
std::string RefusedText(Control control) {
  const ControlInfo& info = ControlInfoOf(control);
  return RefusedValueLine(info.Label, info.Kind == ControlKind::Text);
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
std::string FoundChainLine(const PickedChain& chain) {
  const std::string x1 = Coordinate(chain.Lower.X), y1 = Coordinate(chain.Lower.Y);
  const std::string x2 = Coordinate(chain.Upper.X), y2 = Coordinate(chain.Upper.Y);
  std::string where;
  if (x1 == x2)
    where = ChainOnX(x1, Coordinate(std::min(chain.Lower.Y, chain.Upper.Y)),
                     Coordinate(std::max(chain.Lower.Y, chain.Upper.Y)));
  else if (y1 == y2)
    where = ChainOnY(y1, Coordinate(std::min(chain.Lower.X, chain.Upper.X)),
                     Coordinate(std::max(chain.Lower.X, chain.Upper.X)));
  else
    where = ChainBetween(x1, y1, x2, y2);
  return PickedChainLine(where, Shown(chain.Length), chain.DimensionLines);
}

std::vector<std::string> PlanLines(const OkPlan& plan) {
  switch (plan.Outcome) {
    case OkOutcome::Refused:
      return {RefusedText(plan.Refused)};
    case OkOutcome::MissingPicks:
      return Sentences(MissingPicksMessage(plan.MissingPicks, *plan.Mode));
    case OkOutcome::NoChain:
      return Sentences(plan.NoChain);
    case OkOutcome::Inside:
      return Sentences(WordsOf(plan.Mode->Direction).InsideChain);
    case OkOutcome::ZeroLength:
      return {WhatIsDrawn(plan), DialogTexts::ZeroLength};
    case OkOutcome::Draw:
      break;
  }
  return {DrawnLengthLine(WhatIsDrawn(plan), FormatGeneral(plan.Length)),
          ValueTextLine(plan.ValueText)};
}

}  // namespace

std::vector<std::string> OkNoticeLines(const DialogSettings& values, const HostState& host,
                                       const RunMode& mode, DrawnChainMemory* memory) {
  const OkPlan plan = PlanOk(values, host, mode, memory);
  std::vector<std::string> lines = PlanLines(plan);
  const bool chainFound = plan.Outcome == OkOutcome::Inside ||
                          plan.Outcome == OkOutcome::ZeroLength || plan.Outcome == OkOutcome::Draw;
  if (mode.ChainFromDrawing() && chainFound)
    lines.insert(lines.begin(), FoundChainLine(plan.Picked));
  return lines;
}

#include "dimension/OkNotice.h"

#include <cmath>

#include "dialog/UserTexts.h"
#include "dialog/DialogModel.h"
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

// The chain found in the selection, so that a wrong pick is seen before OK:
// its two ends along the host's vertical axis and its length.
std::string FoundChainLine(const PickedChain& chain) {
  return PickedChainLine(Shown(chain.LowerLevel), Shown(chain.UpperLevel), Shown(chain.Length));
}

std::vector<std::string> PlanLines(const OkPlan& plan) {
  switch (plan.Outcome) {
    case OkOutcome::Refused:
      return {RefusedText(plan.Refused)};
    case OkOutcome::MissingPicks:
      return Sentences(MissingPicksMessage(plan.MissingPicks, *plan.Mode));
    case OkOutcome::NoChain:
      return Sentences(WordsOf(plan.Mode->Direction).NoChainSelected);
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
                                       const RunMode& mode) {
  const OkPlan plan = PlanOk(values, host, mode);
  std::vector<std::string> lines = PlanLines(plan);
  const bool chainFound = plan.Outcome == OkOutcome::Inside ||
                          plan.Outcome == OkOutcome::ZeroLength || plan.Outcome == OkOutcome::Draw;
  if (mode.Chain == ChainSource::Selection && chainFound) lines.insert(lines.begin(), FoundChainLine(plan.Picked));
  return lines;
}

#include "dimension/HostHandover.h"

namespace {

struct Handover {
  OkMode Mode;
  std::string_view Line;
};

// One row a mode: where the user goes once its dimension is drawn.
constexpr Handover kHandovers[] = {
    {OkMode::Continue, kRepeatLauncher},
    // The chain just started is continued by the usual launcher.
    {OkMode::NewChain, kGoOnContinuing},
    // So is a chain picked in the drawing.
    {OkMode::Pick, kGoOnContinuing},
};

}  // namespace

std::string_view HandoverLine(OkMode mode, OkOutcome outcome) {
  if (outcome != OkOutcome::Draw) return {};
  for (const Handover& handover : kHandovers)
    if (handover.Mode == mode) return handover.Line;
  return {};
}

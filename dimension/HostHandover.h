#pragma once
// How the user goes on after an OK that drew: the line of the answer that has
// the host start the next external transformation at once, so that a chain
// is clicked out point after point and ended with Esc.
#include <string_view>

#include "dimension/OkPlan.h"
#include "dimension/RunModes.h"

// The hand-over line for an OK of this mode and outcome (the mode's own:
// "hr" runs the same launcher again, "h/NAME.BAT" goes on with that one);
// empty when the run draws nothing, so that the run of dimensions ends there.
std::string_view HandoverLine(const RunMode& mode, OkOutcome outcome);

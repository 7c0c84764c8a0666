#pragma once
// How the user goes on after an OK that drew: the line of the answer that has
// the host start the next external transformation at once, so that a chain
// is clicked out point after point and ended with Esc.
#include <string_view>

#include "dimension/OkPlan.h"

// The host runs the same launcher again: the next measured point and value
// position.
inline constexpr std::string_view kRepeatLauncher = "hr";
// The host goes on with the launcher that continues the stored chain.
inline constexpr std::string_view kGoOnContinuing = "h/vk47_Orvane.bat";

// The hand-over line for an OK of this mode and outcome; empty when the run
// draws nothing, so that the run of dimensions ends there.
std::string_view HandoverLine(OkMode mode, OkOutcome outcome);

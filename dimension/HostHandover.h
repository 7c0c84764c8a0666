#pragma once
// How the user goes on after an OK that drew: the line of the answer that has
// the host start the next external transformation at once, so that a chain
// is clicked out point after point and ended with Esc.
#include <string_view>

#include "dimension/OkPlan.h"

// The launcher that continues the stored chain, as the host knows it.
inline constexpr std::string_view kContinueLauncher = "vk47_Orvane.bat";

// "hr" (the host runs the same launcher again) or "h/" and a launcher's name
// (the host goes on with that one); empty when the run draws nothing, so
// that the run of dimensions ends there.
std::string_view HandoverLine(OkMode mode, OkOutcome outcome);

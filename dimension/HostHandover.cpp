#include "dimension/HostHandover.h"

std::string_view HandoverLine(const RunMode& mode, OkOutcome outcome) {
  if (outcome != OkOutcome::Draw) return {};
  return mode.Handover;
}

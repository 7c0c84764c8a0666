#pragma once
// The dialog values that the OK action works with, taken from the dialog part
// of the settings and checked.
#include <cstdint>
#include <optional>

#include "dialog/Controls.h"
#include "dialog/DialogSettings.h"
#include "dialog/ValueChoices.h"
#include "dimension/ValueText.h"

// Filled by CheckOkInputs from the dialog's values; the dialog's defaults are
// those of the settings table.
struct OkInputs {
  std::int32_t StartMark = 0;  // entries of the end mark lists (EndMarkKinds)
  std::int32_t EndMark = 0;
  double MarkScale = 0;
  double ArrowLength = 0;            // paper mm
  double ArrowAngle = 0;             // degrees
  TextStyleChoice TextStyle = TextStyleChoice::HostsCurrent;
  ValueFormat Format;                // prefix and suffix emptied when blank
  bool AsDimensionFigure = false;
  double TextLineGap = 0;            // paper mm
  double ExtLineOffset = 0;          // paper mm
  double ExtLineOvershoot = 0;       // paper mm
  double ReverseArrowOvershoot = 0;  // paper mm
};

// The values, or the control of the first value that OK refuses (in the
// dialog's order of checks).
struct CheckedInputs {
  std::optional<OkInputs> Inputs;
  Control Refused = Control::StartMark;  // when there are no inputs
};
CheckedInputs CheckOkInputs(const DialogSettings& values);

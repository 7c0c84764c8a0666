#pragma once
// The dialog values that the OK action works with, read from the controls
// and checked.
#include <cstdint>
#include <optional>

#include "app/UserInterface.h"
#include "dimension/ValueText.h"

struct OkInputs {
  std::int32_t StartMark = 0;
  std::int32_t EndMark = 0;
  double MarkScale = 1;
  double ArrowLength = 3;            // paper mm
  double ArrowAngle = 15;            // degrees
  std::int32_t TextStyle = 0;
  ValueFormat Format;                // prefix and suffix emptied when blank
  bool AsDimensionFigure = false;
  double TextLineGap = 0;            // paper mm
  double ExtLineOffset = 0;          // paper mm
  double ExtLineOvershoot = 0;       // paper mm
  double ReverseArrowOvershoot = 0;  // paper mm
};

// Reads the values and checks them in the dialog's order. The first value
// that fails gets the focus and the result is empty; nothing else happens.
std::optional<OkInputs> ReadOkInputs(UserInterface& ui);

#pragma once
// The 31 values of the shared settings file vk38.dat. What each value is, its
// line, its control and its default are described once, in SettingsTable.h;
// a record starts with every value 0 or empty, and InitialSettings() gives
// the dialog part its initial values.
#include <cstdint>
#include <string>

struct DialogSettings {
  // Stored part (kept by the dialog object, never shown).
  std::int32_t WindowLeft = 0;   // line 1
  std::int32_t WindowTop = 0;    // line 2
  // Dialog part (lines 3-22), as the controls hold it.
  std::int32_t StartMark = 0;    // list index, -1 = none
  std::int32_t EndMark = 0;
  std::int32_t TextStyle = 0;
  std::int32_t Precision = 0;
  std::int32_t Rounding = 0;
  std::string MarkScale;
  std::string Prefix;
  std::string Suffix;
  std::string TextLineGap;
  std::string ExtLineOffset;
  std::string ExtLineOvershoot;
  std::string ArrowLength;
  std::string ArrowAngle;
  std::string ReverseArrowOvershoot;
  std::int32_t ZeroDisplay = 0;  // radio index
  std::int32_t ValueUnit = 0;
  bool ThousandsCommas = false;
  bool AppendUnit = false;
  bool FullWidth = false;
  bool AsDimensionFigure = false;
  // Stored chain (lines 23-31).
  std::int32_t LastLayerGroup = 0;
  double LastGroupScale = 0;
  double LastAxisAngle = 0;
  double LastPoint1X = 0, LastPoint1Y = 0;
  double LastPoint2X = 0, LastPoint2Y = 0;
  double LastRefX = 0, LastRefY = 0;
};

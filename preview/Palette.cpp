#include "preview/Palette.h"

#include <array>
#include <cstdio>

std::string PenColour(std::int32_t colour, std::int32_t extended) {
  static constexpr std::array<const char*, 10> kPens = {
      "#000000",  // 0: not a pen of its own
      "#00a0e0", "#000000", "#00a000", "#c8a000", "#e000c0",
      "#0000e0", "#505050", "#e00000", "#909090"};
  if (colour >= 1 && colour <= 9) return kPens[static_cast<std::size_t>(colour)];
  if (colour == 10) {
    const auto value = static_cast<std::uint32_t>(extended);
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", value & 0xFF, (value >> 8) & 0xFF,
                  (value >> 16) & 0xFF);
    return text;
  }
  return kPens[0];
}

const std::vector<double>& LineTypeDashes(std::int32_t lineType) {
  static const std::vector<std::vector<double>> kPatterns = {
      {},                            // 0: solid
      {},                            // 1: solid
      {8, 4},                        // 2: dashed
      {4, 3},                        // 3: short dashed
      {1.5, 2.5},                    // 4: dotted
      {12, 3, 1.5, 3},               // 5: dash-dot
      {20, 3, 1.5, 3},               // 6: long dash-dot
      {12, 3, 1.5, 3, 1.5, 3},       // 7: dash-dot-dot
      {20, 3, 1.5, 3, 1.5, 3},       // 8: long dash-dot-dot
      {1, 3},                        // 9: auxiliary
  };
  if (lineType >= 0 && lineType <= 9) return kPatterns[static_cast<std::size_t>(lineType)];
  return kPatterns[0];
}

double LineWidthPixels(std::int32_t lineWidth) {
  if (lineWidth <= 1) return 1.0;
  if (lineWidth >= 6) return 6.0;
  return static_cast<double>(lineWidth);
}

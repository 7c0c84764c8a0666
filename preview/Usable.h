#pragma once
// Which numbers the preview can draw with.
#include <cmath>
#include <initializer_list>

// Numbers beyond this size (drawing units, paper sizes, angles), and numbers
// that are not finite, make an entity unusable: it is left out and counted.
inline constexpr double kLargestUsable = 1e12;

inline bool Usable(std::initializer_list<double> values) {
  for (double v : values) {
    if (!std::isfinite(v) || std::fabs(v) > kLargestUsable) return false;
  }
  return true;
}

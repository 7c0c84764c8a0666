#pragma once
// An axis-aligned box in drawing units that grows to hold the points added.
#include <algorithm>

struct Bounds {
  bool Empty = true;
  double MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;

  void Add(double x, double y) {
    if (Empty) {
      MinX = MaxX = x;
      MinY = MaxY = y;
      Empty = false;
      return;
    }
    MinX = std::min(MinX, x);
    MaxX = std::max(MaxX, x);
    MinY = std::min(MinY, y);
    MaxY = std::max(MaxY, y);
  }
  void Add(const Bounds& other) {
    if (other.Empty) return;
    Add(other.MinX, other.MinY);
    Add(other.MaxX, other.MaxY);
  }
  double Width() const { return Empty ? 0 : MaxX - MinX; }
  double Height() const { return Empty ? 0 : MaxY - MinY; }
};

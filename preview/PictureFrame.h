#pragma once
// Fitting a drawing into a picture: the scale and offsets that map drawing
// units (y up) to picture pixels (y down), the area the drawing takes, and
// the strip below it for the scale bar, the legend and notes.
#include "preview/Bounds.h"

struct PictureFrame {
  double Scale = 1;  // picture pixels per drawing unit
  // A drawing point (x, y) lies at pixel (OffsetX + Scale x, OffsetY - Scale y).
  double OffsetX = 0, OffsetY = 0;
  double Width = 0, Height = 0;  // the whole picture
  double AreaLeft = 0, AreaTop = 0, AreaWidth = 0, AreaHeight = 0;
  double FooterTop = 0;

  double PixelX(double x) const { return OffsetX + Scale * x; }
  double PixelY(double y) const { return OffsetY - Scale * y; }
};

// Wide enough for the labels of picked points and blocks at the edge.
inline constexpr double kPictureMargin = 40;
inline constexpr double kFooterRowHeight = 18;
inline constexpr double kMinAreaWidth = 480;
inline constexpr double kMinAreaHeight = 160;

// The drawing's longer side becomes `longSide` pixels; the area is never
// narrower or lower than the minimum (the drawing is centred in it). An empty
// box gives the minimum area at scale 1; a box without extent keeps its point
// in the middle at scale 1.
PictureFrame FitPicture(const Bounds& content, double longSide, int footerRows);

// The length of the scale bar: the largest 1, 2 or 5 times a power of ten
// that is at most a quarter of `visibleWidth` (drawing units).
double ScaleBarLength(double visibleWidth);

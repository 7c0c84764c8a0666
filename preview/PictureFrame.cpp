#include "preview/PictureFrame.h"

#include <algorithm>
#include <cmath>

PictureFrame FitPicture(const Bounds& content, double longSide, int footerRows) {
  PictureFrame frame;
  if (!(longSide > 0)) longSide = 1000;
  const double w = content.Width();
  const double h = content.Height();
  // Below a billionth of the coordinates' size the extent is only rounding
  // noise; such a drawing is shown as a point.
  const double magnitude = content.Empty
                               ? 0.0
                               : std::max({std::fabs(content.MinX), std::fabs(content.MaxX),
                                           std::fabs(content.MinY), std::fabs(content.MaxY)});
  const double extent = std::max(w, h);
  frame.Scale = extent > magnitude * 1e-9 && extent > 0 ? longSide / extent : 1.0;

  const double drawWidth = content.Empty ? 0 : w * frame.Scale;
  const double drawHeight = content.Empty ? 0 : h * frame.Scale;
  frame.AreaLeft = kPictureMargin;
  frame.AreaTop = kPictureMargin;
  frame.AreaWidth = std::max(drawWidth, kMinAreaWidth);
  frame.AreaHeight = std::max(drawHeight, kMinAreaHeight);
  if (!content.Empty) {
    frame.OffsetX = frame.AreaLeft + (frame.AreaWidth - drawWidth) / 2 - frame.Scale * content.MinX;
    frame.OffsetY = frame.AreaTop + (frame.AreaHeight - drawHeight) / 2 + frame.Scale * content.MaxY;
  }
  frame.FooterTop = frame.AreaTop + frame.AreaHeight + kPictureMargin / 2;
  frame.Width = frame.AreaWidth + 2 * kPictureMargin;
  frame.Height = frame.FooterTop + std::max(footerRows, 0) * kFooterRowHeight + kPictureMargin / 2;
  return frame;
}

double ScaleBarLength(double visibleWidth) {
  const double target = visibleWidth / 4;
  if (!(target > 0) || !std::isfinite(target)) return 1;
  const double power = std::pow(10.0, std::floor(std::log10(target)));
  const double mantissa = target / power;
  // Guard the boundaries against rounding in log10 and pow.
  if (mantissa >= 5 * (1 - 1e-12)) return 5 * power;
  if (mantissa >= 2 * (1 - 1e-12)) return 2 * power;
  if (mantissa >= 1 - 1e-12) return power;
  return power / 2;
}

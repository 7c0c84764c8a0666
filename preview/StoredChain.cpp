#include "preview/StoredChain.h"

#include <cmath>

#include "preview/Palette.h"
#include "preview/Usable.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

StoredChain ChainFromSettings(const TDialogSettings& settings, double currentScale) {
  const double stored = settings.LastGroupScale > 0 ? settings.LastGroupScale : 1.0;
  const double factor = currentScale / stored;
  StoredChain chain;
  chain.X1 = settings.LastPoint1X * factor;
  chain.Y1 = settings.LastPoint1Y * factor;
  chain.X2 = settings.LastPoint2X * factor;
  chain.Y2 = settings.LastPoint2Y * factor;
  chain.RefX = settings.LastRefX * factor;
  chain.RefY = settings.LastRefY * factor;
  chain.AxisAngleDeg = settings.LastAxisAngle;
  return chain;
}

SceneLayer BuildChainLayer(const StoredChain& chain, const std::string& caption) {
  SceneLayer layer;
  layer.Id = "chain";
  layer.Caption = caption;
  layer.LegendColour = kChainColour;
  if (!Usable({chain.X1, chain.Y1, chain.X2, chain.Y2, chain.RefX, chain.RefY, chain.AxisAngleDeg})) {
    layer.Skipped = 1;
    return layer;
  }
  // The vertical axis of the host at the stored angle.
  const double theta = chain.AxisAngleDeg * kPi / 180.0;
  const double vx = -std::sin(theta);
  const double vy = std::cos(theta);
  auto level = [&](double x, double y) {
    const double along = (x - chain.RefX) * vx + (y - chain.RefY) * vy;
    return std::array<double, 2>{chain.RefX + along * vx, chain.RefY + along * vy};
  };
  const auto e1 = level(chain.X1, chain.Y1);
  const auto e2 = level(chain.X2, chain.Y2);

  Pen band;
  band.Colour = kChainColour;
  band.WidthPx = 7;
  band.Opacity = 0.45;
  layer.Items.push_back(SceneItem{"chain-line", band, SceneSegment{e1[0], e1[1], e2[0], e2[1]}});

  Pen guide;
  guide.Colour = kChainColour;
  guide.LineType = 3;
  guide.WidthPx = 1;
  layer.Items.push_back(
      SceneItem{"chain-extension", guide, SceneSegment{chain.X1, chain.Y1, e1[0], e1[1]}});
  layer.Items.push_back(
      SceneItem{"chain-extension", guide, SceneSegment{chain.X2, chain.Y2, e2[0], e2[1]}});

  Pen dot;
  dot.Colour = kChainColour;
  layer.Items.push_back(SceneItem{"chain-end", dot, SceneDot{chain.X1, chain.Y1}});
  layer.Items.push_back(SceneItem{"chain-end", dot, SceneDot{chain.X2, chain.Y2}});
  return layer;
}

#include "preview/ChainLayer.h"

#include <optional>

#include "dimension/Chain.h"
#include "dimension/DimensionGeometry.h"
#include "dimension/OkPlan.h"
#include "dimension/PickedChain.h"
#include "dimension/RunModes.h"
#include "preview/Palette.h"
#include "preview/Usable.h"

namespace {

SceneLayer ChainLayerOf(const StoredChain& chain, double axis, const std::string& caption) {
  SceneLayer layer;
  layer.Id = "chain";
  layer.Caption = caption;
  layer.LegendColour = kChainColour;
  if (!Usable({chain.First.X, chain.First.Y, chain.Second.X, chain.Second.Y, chain.Ref.X,
               chain.Ref.Y, axis})) {
    layer.Skipped = 1;
    return layer;
  }
  // The dimension line's ends level with the measured points, as the OK
  // action finds them, at the axis angle the chain was stored at.
  const DimensionLineEnds ends = FindDimensionLineEnds(axis, chain.First, chain.Second, chain.Ref);

  Pen band;
  band.Colour = kChainColour;
  band.WidthPx = 7;
  band.Opacity = 0.45;
  layer.Items.push_back(
      SceneItem{"chain-line", band, SceneSegment{ends.E1.X, ends.E1.Y, ends.E2.X, ends.E2.Y}});

  Pen guide;
  guide.Colour = kChainColour;
  guide.LineType = 3;
  guide.WidthPx = 1;
  for (const auto& [measured, end] : {std::pair{chain.First, ends.E1}, std::pair{chain.Second, ends.E2}})
    layer.Items.push_back(
        SceneItem{"chain-extension", guide, SceneSegment{measured.X, measured.Y, end.X, end.Y}});

  Pen dot;
  dot.Colour = kChainColour;
  for (const PlanePoint& measured : {chain.First, chain.Second})
    layer.Items.push_back(SceneItem{"chain-end", dot, SceneDot{measured.X, measured.Y}});
  return layer;
}

}  // namespace

SceneLayer BuildChainLayer(const DialogSettings& settings, double currentScale,
                           const std::string& caption, ChainDirection direction) {
  // A horizontal chain is measured as a vertical one on axes turned by 90
  // degrees, as the program builds it.
  const RunMode& mode = RunModeOf(direction, ChainSource::Stored);
  return ChainLayerOf(RescaledChain(settings, currentScale),
                      mode.ConstructionAxis(settings.LastAxisAngle), caption);
}

SceneLayer BuildPickedChainLayer(const HostState& host, const std::string& caption,
                                 ChainDirection direction, bool clicked) {
  const RunMode& mode = RunModeOf(direction, clicked ? ChainSource::Click : ChainSource::Selection);
  const double axis = mode.ConstructionAxis(host.AxisAngle);
  const ChainSearch search = SearchDrawnChain(host, mode);
  SceneLayer layer;
  if (search.Chain) {
    const PickedChain& picked = *search.Chain;
    layer = ChainLayerOf(StoredChain{picked.Lower, picked.Upper, picked.Lower}, axis, caption);
  } else {
    layer.Id = "chain";
    layer.Caption = caption;
    layer.LegendColour = kChainColour;
    layer.Skipped = 1;
  }
  // The other lines along the axis that the search looked at: the other
  // dimension lines as narrower bands, the lines that are none dotted.
  Pen other;
  other.Colour = kChainColour;
  other.WidthPx = 3;
  other.Opacity = 0.45;
  Pen none;
  none.Colour = kChainColour;
  none.LineType = 4;
  none.WidthPx = 1;
  for (std::size_t i = 0; i < search.Lines.size(); ++i) {
    if (search.Chain && i == search.Nearest) continue;
    const SeenLine& line = search.Lines[i];
    layer.Items.push_back(SceneItem{line.Dimension ? "chain-other" : "chain-seen",
                                    line.Dimension ? other : none,
                                    SceneSegment{line.Lower.X, line.Lower.Y, line.Upper.X,
                                                 line.Upper.Y}});
  }
  if (clicked) {
    Pen mark;
    mark.Colour = kChainColour;
    mark.WidthPx = 2;
    const int click = mode.PickOf(PickRole::ChainLine);
    const LineEntity* l = PickedLine(host, click);
    if (l && Usable({l->X1, l->Y1, l->X2, l->Y2}))
      layer.Items.push_back(
          SceneItem{"chain-clicked", mark, SceneSegment{l->X1, l->Y1, l->X2, l->Y2}});
    const PickedPoint& at = host.PickedPoints[static_cast<std::size_t>(click)];
    if (at.Set && Usable({at.X, at.Y}))
      layer.Items.push_back(SceneItem{"chain-click", mark, SceneDot{at.X, at.Y}});
  }
  return layer;
}

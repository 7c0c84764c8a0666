#pragma once
// The chain of vertical dimensions stored in a settings file (vk38.dat):
// its two outer measured points and a point on its dimension line, which runs
// along the host's vertical axis at the stored axis angle.
#include <string>

#include "dialog/DialogSettings.h"
#include "preview/Scene.h"

struct StoredChain {
  double X1 = 0, Y1 = 0;      // one outer measured point
  double X2 = 0, Y2 = 0;      // the other
  double RefX = 0, RefY = 0;  // a point on the dimension line
  double AxisAngleDeg = 0;
};

// The stored chain re-expressed at `currentScale`, the scale of the layer
// group in which it is to be shown (the stored coordinates are at the stored
// group scale). A stored scale of zero or below counts as 1.
StoredChain ChainFromSettings(const TDialogSettings& settings, double currentScale);

// The chain as a picture layer: its dimension line between the levels of the
// two measured points as a broad translucent band, thin dashed lines from the
// measured points to it, and dots at the measured points.
SceneLayer BuildChainLayer(const StoredChain& chain, const std::string& caption);

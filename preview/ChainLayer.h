#pragma once
// The chain of dimensions stored in a settings file (vk38.dat, or vk47h.dat
// for horizontal dimensions) as a picture layer, re-expressed and measured by
// the program's own rules: its two outer measured points and its dimension
// line along the host's vertical (or horizontal) axis at the stored axis
// angle.
#include <string>

#include "dialog/DialogSettings.h"
#include "dialog/RunKinds.h"
#include "exchange/HostState.h"
#include "preview/Scene.h"

// The chain of `settings` (as loaded) at `currentScale`, the scale of the
// layer group in which it is shown: the dimension line between the levels of
// the two measured points as a broad translucent band, thin dashed lines
// from the measured points to it, and dots at the measured points.
SceneLayer BuildChainLayer(const DialogSettings& settings, double currentScale,
                           const std::string& caption,
                           ChainDirection direction = ChainDirection::Vertical);

// The chain that the program started with "/pick" (or "/h /pick") finds in
// the selection of `host` (nearest to its picked point 2), drawn as a stored
// chain at the host's axis angle: its measured points are the ends of its
// dimension line. Without one the layer counts one item left out. The other
// lines along the axis that the search looked at are marked too: the other
// dimension lines as narrower bands ("chain-other"), the lines that are none
// dotted ("chain-seen").
//
// With `clicked`, the chain that the program started with "/click" (or
// "/h /click") finds from the line the user clicked (picked point 1): the
// clicked line is drawn over in the chain's colour ("chain-clicked") and the
// clicked point as a dot ("chain-click"), so that a click beside the chain
// meant shows.
SceneLayer BuildPickedChainLayer(const HostState& host, const std::string& caption,
                                 ChainDirection direction = ChainDirection::Vertical,
                                 bool clicked = false);

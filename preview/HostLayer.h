#pragma once
// Turns a host drawing state, as the exchange file reader filled it, into a
// layer of the picture: every entity in file order, then the picked points.
#include <array>
#include <optional>
#include <string>

#include "exchange/HostState.h"
#include "preview/Scene.h"
#include "preview/TextDecoding.h"

struct HostLayerSettings {
  std::string Id = "drawing";
  std::string Caption;
  // Drawn in the underlay grey instead of the entities' own colours.
  bool Underlay = false;
  // Layer-group scales for the sizes of texts and point markers; when not
  // given, the state's own. (Our output files carry neither scales nor text
  // styles of their own: the host's file beside them has them.)
  std::optional<std::array<double, 16>> GroupScales;
  // Text styles No1-No10 for the texts that name one; when not given, the
  // sizes and colours the reader gave the texts from the state's own.
  std::optional<std::array<HostTextStyle, 10>> TextStyles;
  bool ShowPickedPoints = true;
};

SceneLayer BuildHostLayer(const HostState& state, const HostLayerSettings& settings,
                          const TextDecoder& decode);

#pragma once
// The preview picture: layers of host drawing states (and a stored chain)
// written as one self-contained SVG 1.1 document.
//
// The drawing keeps its own coordinates: every item stands in drawing units
// inside one group whose transform fits the drawing into the picture and
// turns y upwards, so a line of the file is a <line> with the file's end
// points. Texts carry their base point and direction (translate and rotate
// in drawing units) and are sized in picture pixels; each character stands
// centred in the cell the host gives it (a full-width character is the
// style's width, a half-width one half of it, with the spacing between), so
// a text takes the host's width whatever the renderer's font. Below the
// drawing stand a scale bar in drawing units, a legend of the layers and
// notes: a picture with nothing to draw says so, and entities left out for
// unusable numbers are counted there and in a comment.
#include <string>
#include <vector>

#include "exchange/HostState.h"
#include "preview/HostLayer.h"
#include "preview/Scene.h"
#include "preview/TextDecoding.h"

struct PreviewOptions {
  // Shift-JIS to UTF-8; when empty, DecodeSjisWithoutTable.
  TextDecoder Decode;
  // Pixels of the drawing's longer side.
  double LongSide = 1000;
  // The picture's title (UTF-8).
  std::string Title = "Drawing preview";
};

// Writes the layers, the first one lowest.
std::string RenderSvg(const std::vector<SceneLayer>& layers, const PreviewOptions& options);

// One host drawing state in its own colours.
std::string RenderHostStateSvg(const HostState& state, const PreviewOptions& options = {});

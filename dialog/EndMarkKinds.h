#pragma once
// The kinds of end mark, in the order of the start and end mark lists: what
// the list shows, how the host draws the mark and how far it reaches along
// the dimension line. The dialog's lists, the construction and the preview
// all read this one table, so a new kind is a new row here.
#include <cstdint>
#include <vector>

#include "helpers/Extended.h"

// The host marker number of the line arrow: no point marker, two lines.
inline constexpr std::int32_t kLineArrowMarker = 0;

struct EndMarkKind {
  const char* Caption;      // the list entry (Shift-JIS)
  std::int32_t HostMarker;  // the kind of the host's "pt" line; kLineArrowMarker: two lines
  // How far the mark reaches along the dimension line, in paper mm at mark
  // scale 1; only for the fit test. The line arrow's reach follows from its
  // length and angle instead.
  Extended Reach;
  bool ArrowLike;  // the tip lies at the end and the body back along the line
};

// Every kind in list order: list entry n is kind n.
const std::vector<EndMarkKind>& EndMarkKinds();

// The kind of a list entry. The OK action passes only entries of the list
// (it refuses a list without a selection), so any other number is a fault
// of the program and throws std::out_of_range.
const EndMarkKind& EndMarkKindAt(std::int32_t entry);

// The kind that a host point marker number draws; nullptr for a number that
// no kind uses (or the line arrow's).
const EndMarkKind* EndMarkKindOfMarker(std::int32_t hostMarker);

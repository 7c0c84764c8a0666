#include "dialog/EndMarkKinds.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace {

// Arrow-like markers reach 7.5 mm back along the line; the others reach
// 1.25 mm from their centre, the two diagonal ones 1.25 mm in each axis.
constexpr Extended kArrowReach = 7.5L;
constexpr Extended kCentredReach = 1.25L;

std::vector<EndMarkKind> BuildKinds() {
  const Extended diagonal = kCentredReach * std::sqrt(2.0L);
  // Entries 1 and 11 show the same symbol; the host draws them as different
  // markers.
  return {
      {"線矢印", kLineArrowMarker, 0.0L, true},
      {"△", 1, kArrowReach, true},
      {"□", 2, kCentredReach, false},
      {"Ｏ", 3, kCentredReach, false},
      {"○", 4, kCentredReach, false},
      {"■", 5, kCentredReach, false},
      {"▲", 6, kArrowReach, true},
      {"●", 7, kCentredReach, false},
      {"～", 8, diagonal, false},
      {"＞", 9, kArrowReach, true},
      {"／", 10, diagonal, false},
      {"△", 11, kArrowReach, true},
  };
}

}  // namespace

const std::vector<EndMarkKind>& EndMarkKinds() {
  static const std::vector<EndMarkKind> kinds = BuildKinds();
  return kinds;
}

const EndMarkKind& EndMarkKindAt(std::int32_t entry) {
  const std::vector<EndMarkKind>& kinds = EndMarkKinds();
  if (entry < 0 || static_cast<std::size_t>(entry) >= kinds.size())
    throw std::out_of_range("no end mark kind " + std::to_string(entry));
  return kinds[static_cast<std::size_t>(entry)];
}

const EndMarkKind* EndMarkKindOfMarker(std::int32_t hostMarker) {
  if (hostMarker == kLineArrowMarker) return nullptr;
  for (const EndMarkKind& kind : EndMarkKinds())
    if (kind.HostMarker == hostMarker) return &kind;
  return nullptr;
}

#include "dimension/PickedChain.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "dimension/FlaggedLine.h"
#include "helpers/ExtendedTrig.h"
#include "helpers/Geometry.h"

namespace {

// A point of the drawing in the host's axes: U across the vertical axis, V
// along it; At is the point as the host wrote it.
struct AxisPoint {
  Extended U = 0;
  Extended V = 0;
  PlanePoint At;
};

class HostAxes {
 public:
  explicit HostAxes(double axisAngle) { SinCosExtended(DegToRad(axisAngle), sine_, cosine_); }
  AxisPoint Of(PlanePoint p) const {
    return AxisPoint{p.X * cosine_ + p.Y * sine_, -p.X * sine_ + p.Y * cosine_, p};
  }

 private:
  Extended sine_ = 0;
  Extended cosine_ = 1;
};

// Two coordinates are the same when they differ by no more than a billionth
// of their size (or of 1): the host writes coordinates to 15 significant
// digits, and turned axes add the rounding of a rotation.
bool Same(Extended a, Extended b) {
  return std::fabs(a - b) <= 1e-9L * (1 + std::fabs(a) + std::fabs(b));
}
bool AtMost(Extended a, Extended b) { return a <= b || Same(a, b); }

// A segment in the host's axes with its ends ordered: along the vertical
// axis by V, across it by U.
struct AxisSegment {
  AxisPoint From;
  AxisPoint To;
};

bool Finite(double x1, double y1, double x2, double y2) {
  return std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2);
}

// The flagged segments across the axis (extension lines), sorted by level.
class ExtensionLines {
 public:
  void Add(const AxisPoint& a, const AxisPoint& b) {
    lines_.push_back(a.U <= b.U ? AxisSegment{a, b} : AxisSegment{b, a});
  }
  void Sort() {
    std::sort(lines_.begin(), lines_.end(),
              [](const AxisSegment& l, const AxisSegment& r) { return Level(l) < Level(r); });
  }
  // An extension line passes through the point (at one of its ends or
  // between them).
  bool Reach(const AxisPoint& p) const {
    const Extended margin = 4e-9L * (1 + std::fabs(p.V));
    auto it = std::lower_bound(lines_.begin(), lines_.end(), p.V - margin,
                               [](const AxisSegment& s, Extended v) { return Level(s) < v; });
    for (; it != lines_.end() && Level(*it) <= p.V + margin; ++it)
      if (Same(Level(*it), p.V) && AtMost(it->From.U, p.U) && AtMost(p.U, it->To.U)) return true;
    return false;
  }

 private:
  static Extended Level(const AxisSegment& s) { return (s.From.V + s.To.V) / 2; }
  std::vector<AxisSegment> lines_;
};

// Touching or overlapping dimension line segments on one line.
struct ChainRun {
  Extended U = 0;
  AxisPoint Lower;
  AxisPoint Upper;
};

Extended Across(const AxisSegment& s) { return (s.From.U + s.To.U) / 2; }

std::vector<ChainRun> Runs(std::vector<AxisSegment> lines) {
  std::sort(lines.begin(), lines.end(),
            [](const AxisSegment& l, const AxisSegment& r) { return Across(l) < Across(r); });
  std::vector<ChainRun> runs;
  for (std::size_t first = 0; first < lines.size();) {
    // One line: segments whose offsets across the axis agree.
    std::size_t end = first + 1;
    while (end < lines.size() && Same(Across(lines[end - 1]), Across(lines[end]))) ++end;
    std::sort(lines.begin() + static_cast<std::ptrdiff_t>(first),
              lines.begin() + static_cast<std::ptrdiff_t>(end),
              [](const AxisSegment& l, const AxisSegment& r) { return l.From.V < r.From.V; });
    for (std::size_t i = first; i < end; ++i) {
      const AxisSegment& s = lines[i];
      if (i > first && AtMost(s.From.V, runs.back().Upper.V)) {
        if (s.To.V > runs.back().Upper.V) runs.back().Upper = s.To;
      } else {
        runs.push_back(ChainRun{Across(s), s.From, s.To});
      }
    }
    first = end;
  }
  return runs;
}

// How far the value position lies from the chain along the axis (0 beside it).
Extended AlongDistance(const ChainRun& run, const AxisPoint& q) {
  if (q.V < run.Lower.V) return run.Lower.V - q.V;
  if (q.V > run.Upper.V) return q.V - run.Upper.V;
  return 0;
}

}  // namespace

std::optional<PickedChain> FindPickedChain(const HostState& host, double axisAngle,
                                           PlanePoint valuePosition) {
  const HostAxes axes(axisAngle);
  auto segment = [&axes](double x1, double y1, double x2, double y2) {
    return AxisSegment{axes.Of(PlanePoint{x1, y1}), axes.Of(PlanePoint{x2, y2})};
  };
  auto alongAxis = [](AxisSegment& s) {
    if (!Same(s.From.U, s.To.U) || Same(s.From.V, s.To.V)) return false;
    if (s.From.V > s.To.V) std::swap(s.From, s.To);
    return true;
  };

  std::vector<AxisSegment> dimensionLines;
  for (std::size_t i = 0; i < host.Dimensions.Count(); ++i) {
    const LineEntity& l = host.Dimensions[i].Line;
    if (!Finite(l.X1, l.Y1, l.X2, l.Y2)) continue;
    AxisSegment s = segment(l.X1, l.Y1, l.X2, l.Y2);
    if (alongAxis(s)) dimensionLines.push_back(s);
  }

  ExtensionLines extensions;
  std::vector<AxisSegment> flaggedAlong;
  for (std::size_t i = 0; i < host.Lines.Count(); ++i) {
    const LineEntity& l = host.Lines[i];
    if (!(l.Attr.Flags & kZ3) || !Finite(l.X1, l.Y1, l.X2, l.Y2)) continue;
    AxisSegment s = segment(l.X1, l.Y1, l.X2, l.Y2);
    if (alongAxis(s))
      flaggedAlong.push_back(s);
    else if (Same(s.From.V, s.To.V) && !Same(s.From.U, s.To.U))
      extensions.Add(s.From, s.To);
  }
  extensions.Sort();
  for (const AxisSegment& s : flaggedAlong)
    if (extensions.Reach(s.From) && extensions.Reach(s.To)) dimensionLines.push_back(s);

  const std::vector<ChainRun> runs = Runs(std::move(dimensionLines));
  if (runs.empty()) return std::nullopt;
  const AxisPoint q = axes.Of(valuePosition);
  const ChainRun* best = &runs.front();
  for (const ChainRun& run : runs) {
    const Extended across = std::fabs(run.U - q.U);
    const Extended bestAcross = std::fabs(best->U - q.U);
    if (Same(across, bestAcross) ? AlongDistance(run, q) < AlongDistance(*best, q)
                                 : across < bestAcross)
      best = &run;
  }
  PickedChain chain;
  chain.Lower = best->Lower.At;
  chain.Upper = best->Upper.At;
  chain.LowerLevel = static_cast<double>(best->Lower.V);
  chain.UpperLevel = static_cast<double>(best->Upper.V);
  chain.Length = static_cast<double>(best->Upper.V - best->Lower.V);
  return chain;
}

std::optional<PickedChain> FindPickedChain(const HostState& host, PlanePoint valuePosition) {
  return FindPickedChain(host, host.AxisAngle, valuePosition);
}

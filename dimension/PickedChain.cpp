#include "dimension/PickedChain.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dialog/UserTexts.h"
#include "dimension/FlaggedLine.h"
#include "helpers/ExtendedTrig.h"
#include "helpers/Geometry.h"
#include "helpers/Sjis.h"

namespace {

// A point of the drawing in the axes of the search: U across the axis, V
// along it; At is the point as the host wrote it.
struct AxisPoint {
  Extended U = 0;
  Extended V = 0;
  PlanePoint At;
};

class SearchAxes {
 public:
  explicit SearchAxes(double axisAngle) { SinCosExtended(DegToRad(axisAngle), sine_, cosine_); }
  AxisPoint Of(PlanePoint p) const {
    return AxisPoint{p.X * cosine_ + p.Y * sine_, -p.X * sine_ + p.Y * cosine_, p};
  }
  // A direction of the drawing in these axes.
  void Turn(Extended x, Extended y, Extended& u, Extended& v) const {
    u = x * cosine_ + y * sine_;
    v = -x * sine_ + y * cosine_;
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

bool Finite(std::initializer_list<double> values) {
  return std::all_of(values.begin(), values.end(), [](double x) { return std::isfinite(x); });
}

// A segment in the axes of the search with its ends ordered: along the axis
// by V, across it by U.
struct AxisSegment {
  AxisPoint From;
  AxisPoint To;
  bool Flagged = false;  // "z3", or the line of a dimension figure
  bool Figure = false;   // the line of a dimension figure
};

Extended Across(const AxisSegment& s) { return (s.From.U + s.To.U) / 2; }

// A segment along the axis (not a point), its ends put in order along it.
bool AlongAxis(AxisSegment& s) {
  if (!Same(s.From.U, s.To.U) || Same(s.From.V, s.To.V)) return false;
  if (s.From.V > s.To.V) std::swap(s.From, s.To);
  return true;
}

// What marks a point of a run: extension lines (segments across the axis)
// and dots or point markers, each a span across the axis at its level.
class PointMarks {
 public:
  void AddExtensionLine(const AxisSegment& s) {
    marks_.push_back(Mark{(s.From.V + s.To.V) / 2, std::min(s.From.U, s.To.U),
                          std::max(s.From.U, s.To.U), s.Flagged});
  }
  // A dot marks a point whether the run is flagged or not.
  void AddDot(const AxisPoint& p) { marks_.push_back(Mark{p.V, p.U, p.U, true}); }

  // Sorted by level and, at one level, by where they start across the axis,
  // with the farthest reach of the marks so far at each level (of all, and
  // of the flagged ones) and where the level's marks end.
  void Sort() {
    // First by the level and start rounded to double, which is quick; then
    // in exact order, moving only marks whose rounded keys are alike. (Of
    // marks alike in level and start, the order makes no difference.)
    for (Mark& m : marks_) {
      m.RoundedLevel = static_cast<double>(m.Level);
      m.RoundedLow = static_cast<double>(m.Low);
    }
    std::sort(marks_.begin(), marks_.end(), [](const Mark& l, const Mark& r) {
      return l.RoundedLevel != r.RoundedLevel ? l.RoundedLevel < r.RoundedLevel
                                              : l.RoundedLow < r.RoundedLow;
    });
    const auto before = [](const Mark& l, const Mark& r) {
      return l.Level != r.Level ? l.Level < r.Level : l.Low < r.Low;
    };
    for (std::size_t i = 1; i < marks_.size(); ++i)
      for (std::size_t k = i; k > 0 && before(marks_[k], marks_[k - 1]); --k)
        std::swap(marks_[k], marks_[k - 1]);
    reaches_.resize(marks_.size());
    levels_.resize(marks_.size());
    for (std::size_t i = 0; i < marks_.size(); ++i) levels_[i] = marks_[i].RoundedLevel;
    const Extended none = -std::numeric_limits<Extended>::infinity();
    for (std::size_t first = 0, end = 0; first < marks_.size(); first = end) {
      for (end = first; end < marks_.size() && marks_[end].Level == marks_[first].Level; ++end) {
        const Mark& m = marks_[end];
        Reaches& r = reaches_[end];
        r.All = end == first ? m.High : std::max(reaches_[end - 1].All, m.High);
        r.Flagged = std::max(end == first ? none : reaches_[end - 1].Flagged,
                             m.Flagged ? m.High : none);
      }
      for (std::size_t k = first; k < end; ++k) reaches_[k].LevelEnd = end;
    }
  }

  // A mark (a flagged one or a dot, for a flagged run) passes through the
  // point: an extension line ends there or passes it, a dot stands on it.
  bool At(const AxisPoint& p, bool flaggedRun) const {
    const Extended margin = 4e-9L * (1 + std::fabs(p.V));
    const Extended across = 1e-9L * (1 + 2 * std::fabs(p.U));
    // The first mark at or above the lowest level: found among the levels
    // rounded to double (a level that rounds below the bound's rounding lies
    // below the bound), then among those that round alike.
    const Extended lowest = p.V - margin;
    std::size_t level = static_cast<std::size_t>(
        std::lower_bound(levels_.begin(), levels_.end(), static_cast<double>(lowest)) -
        levels_.begin());
    while (level < marks_.size() && marks_[level].Level < lowest) ++level;
    while (level < marks_.size() && marks_[level].Level <= p.V + margin) {
      const std::size_t levelEnd = reaches_[level].LevelEnd;
      if (Same(marks_[level].Level, p.V)) {
        // The last mark at this level that starts at or before the point.
        const auto after = std::upper_bound(
            marks_.begin() + static_cast<std::ptrdiff_t>(level),
            marks_.begin() + static_cast<std::ptrdiff_t>(levelEnd), p.U + across,
            [](Extended u, const Mark& m) { return u < m.Low; });
        const std::size_t last = static_cast<std::size_t>(after - marks_.begin());
        if (last != level) {
          const Reaches& r = reaches_[last - 1];
          if ((flaggedRun ? r.Flagged : r.All) >= p.U - across) return true;
        }
      }
      level = levelEnd;
    }
    return false;
  }

 private:
  struct Mark {
    Extended Level = 0;
    Extended Low = 0, High = 0;  // its span across the axis
    bool Flagged = false;
    double RoundedLevel = 0, RoundedLow = 0;  // for sorting
  };
  // Of the marks up to one at its level: how far they reach across the axis.
  struct Reaches {
    Extended All = 0, Flagged = 0;
    std::size_t LevelEnd = 0;  // the first mark past the level
  };
  std::vector<Mark> marks_;
  std::vector<Reaches> reaches_;
  std::vector<double> levels_;  // the marks' levels rounded to double, in order
};

// A value text turned along the axis: the band it covers across the axis,
// its character height and the level of its middle along the axis.
struct ValueText {
  Extended Near = 0, Far = 0;  // Near <= Far
  Extended Height = 0;
  Extended Middle = 0;
};

std::optional<ValueText> ValueAlongTheAxis(const TextEntity& t, const HostState& host,
                                           const SearchAxes& axes) {
  const double length = std::hypot(t.DirX, t.DirY);
  if (!Finite({t.X, t.Y, t.Width, t.Height, t.Spacing, length}) || length <= 0) return std::nullopt;
  Extended du = 0, dv = 0;
  axes.Turn(t.DirX / length, t.DirY / length, du, dv);
  if (std::fabs(du) > 1e-6L) return std::nullopt;
  const int sign = dv > 0 ? 1 : -1;
  const std::size_t group = t.Attr.Group >= 0 && t.Attr.Group < 16 ? t.Attr.Group : 0;
  double scale = host.GroupScales[group];
  if (!std::isfinite(scale) || scale <= 0) scale = 1;
  Extended height = static_cast<Extended>(t.Height) * scale;
  Extended width = static_cast<Extended>(t.Width) * scale;
  if (height <= 0) height = width;
  if (width <= 0) width = height;
  if (height < 0) height = width = 0;
  const Extended textLength =
      SjisTextWidth(t.Text.View(), static_cast<double>(width), t.Spacing * scale);
  if (!std::isfinite(height) || !std::isfinite(textLength)) return std::nullopt;
  // The base point of the text: its column along it (left, centre, right)
  // and its row across it (bottom, middle, top); the text stands on the side
  // its up direction points to, which is -U for a text reading along +V.
  const int cc = t.Cc >= 0 && t.Cc <= 8 ? t.Cc : 0;
  const AxisPoint base = axes.Of(PlanePoint{t.X, t.Y});
  ValueText value;
  value.Middle = base.V + sign * (textLength / 2 - (cc % 3) * textLength / 2);
  const Extended bottom = base.U + sign * (cc / 3) * height / 2;
  const Extended top = bottom - sign * height;
  value.Near = std::min(bottom, top);
  value.Far = std::max(bottom, top);
  value.Height = height;
  return value;
}

// Segments along the axis joined where they touch or overlap on one line,
// the flagged ones among themselves and the others among themselves.
struct Run {
  Extended U = 0;
  bool Flagged = false;
  std::size_t First = 0, End = 0;  // its segments
  Extended Lower = 0, Upper = 0;   // its reach along the axis
  std::vector<Extended> Values;    // the middles of the values beside it
};

// The runs of one line across the axis: those without the flag, then the
// flagged ones, each in order along the axis.
struct RunLine {
  Extended U = 0;
  std::size_t First = 0, Flagged = 0, End = 0;
};

// The first line at or beyond offset `u` across the axis (a line at an
// offset alike counts as at it).
std::vector<RunLine>::const_iterator FirstLineFrom(const std::vector<RunLine>& lines, Extended u) {
  return std::lower_bound(lines.begin(), lines.end(), u, [](const RunLine& l, Extended at) {
    return l.U < at && !Same(l.U, at);
  });
}

// The line at offset `u` across the axis, or none.
const RunLine* LineAt(const std::vector<RunLine>& lines, Extended u) {
  const auto line = FirstLineFrom(lines, u);
  return line != lines.end() && Same(line->U, u) ? &*line : nullptr;
}

// Sorts the segments by line, flag and level and joins them.
void JoinRuns(std::vector<AxisSegment>& segments, std::vector<Run>& runs,
              std::vector<RunLine>& lines) {
  // In order across the axis: sorted as keys and places, which is cheaper
  // than moving the segments, and then put in that order.
  std::vector<std::pair<Extended, std::size_t>> order(segments.size());
  for (std::size_t i = 0; i < segments.size(); ++i) order[i] = {Across(segments[i]), i};
  std::sort(order.begin(), order.end(),
            [](const auto& l, const auto& r) { return l.first < r.first; });
  // Put in that order in place, a cycle of places at a time (a place done
  // is marked by pointing at itself).
  for (std::size_t start = 0; start < order.size(); ++start) {
    if (order[start].second == start) continue;
    AxisSegment held = segments[start];
    std::size_t at = start;
    while (order[at].second != start) {
      const std::size_t from = order[at].second;
      segments[at] = segments[from];
      order[at].second = at;
      at = from;
    }
    segments[at] = held;
    order[at].second = at;
  }
  for (std::size_t first = 0; first < segments.size();) {
    // One line: segments whose offsets across the axis agree.
    std::size_t end = first + 1;
    while (end < segments.size() && Same(order[end - 1].first, order[end].first)) ++end;
    std::sort(segments.begin() + static_cast<std::ptrdiff_t>(first),
              segments.begin() + static_cast<std::ptrdiff_t>(end),
              [](const AxisSegment& l, const AxisSegment& r) {
                return l.Flagged != r.Flagged ? r.Flagged : l.From.V < r.From.V;
              });
    RunLine line{Across(segments[first]), runs.size(), runs.size(), runs.size()};
    for (std::size_t i = first; i < end; ++i) {
      const AxisSegment& s = segments[i];
      if (i > first && segments[i - 1].Flagged == s.Flagged &&
          AtMost(s.From.V, runs.back().Upper)) {
        runs.back().Upper = std::max(runs.back().Upper, s.To.V);
        runs.back().End = i + 1;
      } else {
        runs.push_back(Run{Across(s), s.Flagged, i, i + 1, s.From.V, s.To.V, {}});
      }
      if (!s.Flagged) line.Flagged = runs.size();
    }
    line.End = runs.size();
    lines.push_back(line);
    first = end;
  }
}

// Of the runs [first, end), in order along the axis, the one whose reach
// holds the level.
Run* RunHolding(std::vector<Run>& runs, std::size_t first, std::size_t end, Extended v) {
  const auto begin = runs.begin() + static_cast<std::ptrdiff_t>(first);
  const auto after = std::upper_bound(
      begin, runs.begin() + static_cast<std::ptrdiff_t>(end), v,
      [](Extended level, const Run& r) { return level < r.Lower && !Same(level, r.Lower); });
  if (after == begin || !AtMost(v, (after - 1)->Upper)) return nullptr;
  return &*(after - 1);
}

// Gives each value to the nearest run beside it whose reach holds its
// middle; on one line, to a flagged run before another.
void PlaceValue(const ValueText& value, const std::vector<RunLine>& lines, std::vector<Run>& runs) {
  const Extended from = value.Near - value.Height;
  const Extended to = value.Far + value.Height;
  auto line = FirstLineFrom(lines, from);
  Run* nearest = nullptr;
  Extended nearestGap = 0;
  for (; line != lines.end() && AtMost(line->U, to); ++line) {
    const Extended gap = line->U < value.Near  ? value.Near - line->U
                         : line->U > value.Far ? line->U - value.Far
                                               : 0;
    if (!AtMost(gap, value.Height) || (nearest && gap >= nearestGap)) continue;
    Run* run = RunHolding(runs, line->Flagged, line->End, value.Middle);
    if (!run) run = RunHolding(runs, line->First, line->Flagged, value.Middle);
    if (!run) continue;
    nearest = run;
    nearestGap = gap;
  }
  if (nearest) nearest->Values.push_back(value.Middle);
}

// Points of a run at one level: the ends of its segments there.
struct RunPoint {
  AxisPoint Lowest;   // of the ends there, the lowest along the axis
  AxisPoint Highest;  // and the highest
  bool Marked = false;
};

struct Verdict {
  SeenLine Seen;
  Extended Lower = 0, Upper = 0;  // a dimension line: its chain's levels
};

// The lists a verdict is worked out in, kept from run to run so that a large
// drawing is judged without taking fresh memory for each of its runs.
struct JudgeScratch {
  std::vector<AxisPoint> Ends;
  std::vector<RunPoint> Points;
  std::vector<bool> DimensionPieces;
};

Verdict Judge(const Run& run, const std::vector<AxisSegment>& segments, const PointMarks& marks,
              JudgeScratch& scratch) {
  const bool flagged = run.Flagged;
  Verdict verdict;
  SeenLine& seen = verdict.Seen;
  // Most runs of a drawing are one segment without a value (walls, grid
  // lines, extension lines): two points, no dimension line.
  if (run.End == run.First + 1 && run.Values.empty() && !segments[run.First].Figure) {
    const AxisSegment& s = segments[run.First];
    seen.Lower = s.From.At;
    seen.Upper = s.To.At;
    seen.Marked = marks.At(s.From, flagged) && marks.At(s.To, flagged);
    verdict.Lower = s.From.V;
    verdict.Upper = s.To.V;
    return verdict;
  }
  std::vector<AxisPoint>& ends = scratch.Ends;
  ends.clear();
  for (std::size_t i = run.First; i < run.End; ++i) {
    ends.push_back(segments[i].From);
    ends.push_back(segments[i].To);
  }
  std::sort(ends.begin(), ends.end(),
            [](const AxisPoint& l, const AxisPoint& r) { return l.V < r.V; });
  std::vector<RunPoint>& points = scratch.Points;
  points.clear();
  for (const AxisPoint& p : ends) {
    if (!points.empty() && Same(points.back().Highest.V, p.V)) {
      points.back().Highest = p;
    } else {
      points.push_back(RunPoint{p, p, false});
    }
    RunPoint& at = points.back();
    at.Marked = at.Marked || marks.At(p, flagged);
  }
  // Ends that run together through points between them: a run too short to
  // hold a piece.
  if (points.size() < 2) {
    seen.Lower = points.front().Lowest.At;
    seen.Upper = points.front().Highest.At;
    verdict.Lower = points.front().Lowest.V;
    verdict.Upper = points.front().Highest.V;
    return verdict;
  }
  // The piece between points i and i + 1 that holds a level.
  auto pieceAt = [&points](Extended v) {
    auto above =
        std::upper_bound(points.begin(), points.end(), v,
                         [](Extended level, const RunPoint& p) { return level < p.Lowest.V; });
    const std::size_t i =
        above == points.begin() ? 0 : static_cast<std::size_t>(above - points.begin()) - 1;
    return std::min(i, points.size() - 2);
  };
  // The point at a level.
  auto pointAt = [&points](Extended v) {
    const auto below = [](const RunPoint& p, Extended level) {
      return p.Highest.V < level && !Same(p.Highest.V, level);
    };
    return static_cast<std::size_t>(std::lower_bound(points.begin(), points.end(), v, below) -
                                    points.begin());
  };
  // Pieces with a value or a figure belong to a chain.
  std::vector<bool>& dimensionPiece = scratch.DimensionPieces;
  dimensionPiece.assign(points.size() - 1, false);
  std::size_t valued = 0;
  for (const Extended v : run.Values) {
    const std::size_t i = pieceAt(v);
    if (!dimensionPiece[i]) ++valued;
    dimensionPiece[i] = true;
  }
  bool figure = false;
  for (std::size_t i = run.First; i < run.End; ++i) {
    if (!segments[i].Figure) continue;
    figure = true;
    const std::size_t to = std::min(pointAt(segments[i].To.V), points.size() - 1);
    for (std::size_t k = pointAt(segments[i].From.V); k < to; ++k) dimensionPiece[k] = true;
  }
  const std::size_t marked = static_cast<std::size_t>(
      std::count_if(points.begin(), points.end(), [](const RunPoint& p) { return p.Marked; }));

  seen.Valued = !run.Values.empty();
  seen.Marked = marked >= 2;
  // A dimension line shows its value: marked points alone, flagged or not,
  // are extension lines that overlap, or a leader between other dimension
  // lines.
  seen.Dimension = figure || (valued >= 1 && (marked >= 2 || (flagged && valued >= 2)));
  std::size_t low = 0, high = points.size() - 1;
  if (seen.Dimension) {
    low = points.size();
    high = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
      const bool inChain = points[i].Marked || (i + 1 < points.size() && dimensionPiece[i]) ||
                           (i > 0 && dimensionPiece[i - 1]);
      if (!inChain) continue;
      low = std::min(low, i);
      high = std::max(high, i);
    }
  }
  seen.Lower = points[low].Lowest.At;
  seen.Upper = points[high].Highest.At;
  verdict.Lower = points[low].Lowest.V;
  verdict.Upper = points[high].Highest.V;
  return verdict;
}

// How far the value position lies from the chain along the axis (0 beside it).
Extended AlongDistance(const Verdict& line, Extended v) {
  if (v < line.Lower) return line.Lower - v;
  if (v > line.Upper) return v - line.Upper;
  return 0;
}

// The selection judged along the axis: the segments along it joined into
// runs on their lines, and the verdict on each run.
struct JudgedSelection {
  explicit JudgedSelection(double axisAngle) : Axes(axisAngle) {}
  SearchAxes Axes;
  std::vector<AxisSegment> Along;
  std::vector<Run> Runs;
  std::vector<RunLine> Lines;
  std::vector<Verdict> Verdicts;
};

// The flagged run of the drawing that holds a point on its line.
std::optional<std::size_t> FlaggedRunAt(JudgedSelection& judged, const AxisPoint& p) {
  const RunLine* line = LineAt(judged.Lines, p.U);
  if (!line) return std::nullopt;
  const Run* run = RunHolding(judged.Runs, line->Flagged, line->End, p.V);
  if (!run) return std::nullopt;
  return static_cast<std::size_t>(run - judged.Runs.data());
}

// A value drawn away from its dimension line stands over an underline (a
// flagged run with the value beside it that is no dimension line itself),
// from one end of which a flagged leader reaches the dimension line: the
// value counts for the piece of the dimension line that the leader meets,
// and the lines that get values so are judged again.
void CarryValuesAlongLeaders(JudgedSelection& judged, const HostState& host,
                             const std::vector<std::size_t>& leaders, const PointMarks& marks,
                             JudgeScratch& scratch) {
  // The underlines: few in a drawing, and most drawings' values stand beside
  // their lines, so most leaders are looked at no further.
  std::vector<Extended> underlineEnds;
  for (std::size_t i = 0; i < judged.Runs.size(); ++i) {
    const Run& r = judged.Runs[i];
    if (!r.Flagged || r.Values.empty() || judged.Verdicts[i].Seen.Dimension) continue;
    underlineEnds.push_back(r.Lower);
    underlineEnds.push_back(r.Upper);
  }
  if (underlineEnds.empty()) return;
  std::sort(underlineEnds.begin(), underlineEnds.end());
  const auto nearAnUnderlineEnd = [&underlineEnds](Extended v) {
    const auto at = std::lower_bound(underlineEnds.begin(), underlineEnds.end(), v);
    return (at != underlineEnds.end() && Same(*at, v)) ||
           (at != underlineEnds.begin() && Same(*(at - 1), v));
  };
  std::vector<std::size_t> carried;
  for (const std::size_t i : leaders) {
    const LineEntity& l = host.Lines[i];
    const AxisSegment leader{judged.Axes.Of(PlanePoint{l.X1, l.Y1}),
                             judged.Axes.Of(PlanePoint{l.X2, l.Y2})};
    for (const bool fromEnd : {true, false}) {
      const AxisPoint& at = fromEnd ? leader.From : leader.To;
      const AxisPoint& other = fromEnd ? leader.To : leader.From;
      if (!nearAnUnderlineEnd(at.V)) continue;
      const std::optional<std::size_t> underline = FlaggedRunAt(judged, at);
      if (!underline) continue;
      const Run& u = judged.Runs[*underline];
      if (u.Values.empty() || judged.Verdicts[*underline].Seen.Dimension ||
          (!Same(at.V, u.Lower) && !Same(at.V, u.Upper)))
        continue;
      const std::optional<std::size_t> target = FlaggedRunAt(judged, other);
      if (!target || *target == *underline) continue;
      judged.Runs[*target].Values.push_back(other.V);
      carried.push_back(*target);
    }
  }
  std::sort(carried.begin(), carried.end());
  carried.erase(std::unique(carried.begin(), carried.end()), carried.end());
  for (const std::size_t i : carried)
    judged.Verdicts[i] = Judge(judged.Runs[i], judged.Along, marks, scratch);
}

JudgedSelection JudgeSelection(const HostState& host, double axisAngle) {
  JudgedSelection judged(axisAngle);
  const SearchAxes& axes = judged.Axes;
  std::vector<AxisSegment>& along = judged.Along;
  along.reserve(host.Dimensions.Count() + host.Lines.Count());
  PointMarks marks;
  // Flagged lines not along the axis may be leaders: kept by their place
  // among the host's lines.
  std::vector<std::size_t> leaders;
  auto take = [&](const LineEntity& l, bool flagged, bool figure) {
    if (!Finite({l.X1, l.Y1, l.X2, l.Y2})) return false;
    AxisSegment s{axes.Of(PlanePoint{l.X1, l.Y1}), axes.Of(PlanePoint{l.X2, l.Y2}), flagged, figure};
    if (AlongAxis(s)) {
      along.push_back(s);
      return false;
    }
    if (Same(s.From.V, s.To.V) && !Same(s.From.U, s.To.U)) marks.AddExtensionLine(s);
    return flagged;
  };
  for (std::size_t i = 0; i < host.Dimensions.Count(); ++i)
    take(host.Dimensions[i].Line, true, true);
  for (std::size_t i = 0; i < host.Lines.Count(); ++i)
    if (take(host.Lines[i], (host.Lines[i].Attr.Flags & kZ3) != 0, false)) leaders.push_back(i);
  auto dot = [&](double x, double y) {
    if (Finite({x, y})) marks.AddDot(axes.Of(PlanePoint{x, y}));
  };
  for (std::size_t i = 0; i < host.Points.Count(); ++i) dot(host.Points[i].X, host.Points[i].Y);
  for (std::size_t i = 0; i < host.ExtendedPoints.Count(); ++i)
    dot(host.ExtendedPoints[i].X, host.ExtendedPoints[i].Y);
  marks.Sort();

  JoinRuns(along, judged.Runs, judged.Lines);
  auto place = [&](const TextEntity& t) {
    if (t.TextKind != 2) return;
    if (const std::optional<ValueText> value = ValueAlongTheAxis(t, host, axes))
      PlaceValue(*value, judged.Lines, judged.Runs);
  };
  for (std::size_t i = 0; i < host.Texts.Count(); ++i) place(host.Texts[i]);
  for (std::size_t i = 0; i < host.Dimensions.Count(); ++i) place(host.Dimensions[i].Text);

  judged.Verdicts.reserve(judged.Runs.size());
  JudgeScratch scratch;
  for (const Run& run : judged.Runs) judged.Verdicts.push_back(Judge(run, along, marks, scratch));
  CarryValuesAlongLeaders(judged, host, leaders, marks, scratch);
  return judged;
}

// The search's account of every run, without a chain taken yet.
ChainSearch Seen(const JudgedSelection& judged) {
  ChainSearch search;
  search.Lines.reserve(judged.Verdicts.size());
  for (const Verdict& verdict : judged.Verdicts) search.Lines.push_back(verdict.Seen);
  return search;
}

// Takes the dimension line of run `taken` as the search's chain: its ends,
// how many dimension lines the selection holds, and how far the other
// dimension lines on its line leave it free.
void TakeChain(const JudgedSelection& judged, std::size_t taken, ChainSearch& search) {
  const Verdict& chosen = judged.Verdicts[taken];
  PickedChain chain;
  chain.Lower = chosen.Seen.Lower;
  chain.Upper = chosen.Seen.Upper;
  chain.LowerLevel = static_cast<double>(chosen.Lower);
  chain.UpperLevel = static_cast<double>(chosen.Upper);
  chain.Length = static_cast<double>(chosen.Upper - chosen.Lower);
  chain.DimensionLines = static_cast<std::size_t>(
      std::count_if(judged.Verdicts.begin(), judged.Verdicts.end(),
                    [](const Verdict& v) { return v.Seen.Dimension; }));
  // The other dimension lines on the same line, as far as they reach below
  // or above the chain.
  const auto line = std::find_if(judged.Lines.begin(), judged.Lines.end(), [&](const RunLine& l) {
    return l.First <= taken && taken < l.End;
  });
  for (std::size_t i = line->First; i < line->End; ++i) {
    const Verdict& other = judged.Verdicts[i];
    if (i == taken || !other.Seen.Dimension) continue;
    if (other.Lower < chosen.Lower && !Same(other.Lower, chosen.Lower))
      chain.FreeBelow =
          std::max(chain.FreeBelow, static_cast<double>(std::min(other.Upper, chosen.Lower)));
    if (other.Upper > chosen.Upper && !Same(other.Upper, chosen.Upper))
      chain.FreeAbove =
          std::min(chain.FreeAbove, static_cast<double>(std::max(other.Lower, chosen.Upper)));
  }
  search.Chain = chain;
  search.Nearest = taken;
}

}  // namespace

ChainSearch SearchPickedChain(const HostState& host, double axisAngle, PlanePoint valuePosition) {
  const JudgedSelection judged = JudgeSelection(host, axisAngle);
  ChainSearch search = Seen(judged);
  const AxisPoint q = judged.Axes.Of(valuePosition);
  std::optional<std::size_t> best;
  for (std::size_t i = 0; i < judged.Runs.size(); ++i) {
    if (!judged.Verdicts[i].Seen.Dimension) continue;
    if (!best) {
      best = i;
      continue;
    }
    const Extended across = std::fabs(judged.Runs[i].U - q.U);
    const Extended bestAcross = std::fabs(judged.Runs[*best].U - q.U);
    if (Same(across, bestAcross) ? AlongDistance(judged.Verdicts[i], q.V) <
                                       AlongDistance(judged.Verdicts[*best], q.V)
                                 : across < bestAcross)
      best = i;
  }
  if (best) TakeChain(judged, *best, search);
  return search;
}

ChainSearch SearchChainThrough(const HostState& host, double axisAngle, PlanePoint from,
                               PlanePoint to) {
  const JudgedSelection judged = JudgeSelection(host, axisAngle);
  ChainSearch search = Seen(judged);
  if (!Finite({from.X, from.Y, to.X, to.Y})) return search;
  AxisSegment piece{judged.Axes.Of(from), judged.Axes.Of(to)};
  if (!AlongAxis(piece)) return search;
  const RunLine* line = LineAt(judged.Lines, Across(piece));
  if (!line) return search;
  // The flagged run that holds the whole piece, or else the run without the
  // flag that does.
  const auto holding = [&](std::size_t first, std::size_t end) -> std::optional<std::size_t> {
    for (std::size_t i = first; i < end; ++i) {
      const Run& r = judged.Runs[i];
      if (AtMost(r.Lower, piece.From.V) && AtMost(piece.To.V, r.Upper)) return i;
    }
    return std::nullopt;
  };
  search.Through = holding(line->Flagged, line->End);
  if (!search.Through) search.Through = holding(line->First, line->Flagged);
  if (search.Through && judged.Verdicts[*search.Through].Seen.Dimension)
    TakeChain(judged, *search.Through, search);
  return search;
}

ChainSearch SearchClickedChain(const HostState& host, double axisAngle, const LineEntity* clicked) {
  if (!clicked) return ChainSearch{};
  const PlanePoint from{clicked->X1, clicked->Y1}, to{clicked->X2, clicked->Y2};
  ChainSearch search = SearchChainThrough(host, axisAngle, from, to);
  const bool flagged = (clicked->Attr.Flags & kZ3) != 0;
  if (search.Chain) {
    search.Clicked = ClickedLine::DimensionLine;
  } else if (search.Through) {
    search.Clicked = search.Lines[*search.Through].Valued
                         ? ClickedLine::Underline
                         : (flagged ? ClickedLine::FlaggedAlong : ClickedLine::Along);
  } else if (Finite({from.X, from.Y, to.X, to.Y})) {
    const SearchAxes axes(axisAngle);
    const AxisPoint a = axes.Of(from), b = axes.Of(to);
    if (Same(a.V, b.V) && !Same(a.U, b.U))
      search.Clicked = flagged ? ClickedLine::FlaggedAcross : ClickedLine::Across;
    else if (!Same(a.U, b.U))
      search.Clicked = ClickedLine::Slanted;
  }
  return search;
}

bool ReachesAnotherDimensionLine(const PickedChain& chain, PlanePoint p, double axisAngle) {
  const Extended v = SearchAxes(axisAngle).Of(p).V;
  return (v < chain.FreeBelow && !Same(v, chain.FreeBelow)) ||
         (v > chain.FreeAbove && !Same(v, chain.FreeAbove));
}

std::string NoChainMessage(const ChainSearch& search, ChainDirection direction) {
  if (search.Lines.empty()) return NoLineAlongTheAxisMessage(direction);
  const auto count = [&search](bool SeenLine::*what) {
    return static_cast<std::size_t>(std::count_if(search.Lines.begin(), search.Lines.end(),
                                                  [what](const SeenLine& l) { return l.*what; }));
  };
  return NoDimensionLineAmongMessage(search.Lines.size(), count(&SeenLine::Valued),
                                     count(&SeenLine::Marked), direction);
}

std::string NoClickedChainMessage(const ChainSearch& search, ChainDirection direction) {
  return ClickedLineMessage(search.Clicked, direction);
}

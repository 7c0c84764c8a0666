#include "dimension/PickedChain.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
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
  bool Clicked = false;  // the line the user clicked
};

Extended Across(const AxisSegment& s) { return (s.From.U + s.To.U) / 2; }

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
  // of the flagged ones).
  void Sort() {
    std::sort(marks_.begin(), marks_.end(), [](const Mark& l, const Mark& r) {
      return l.Level != r.Level ? l.Level < r.Level : l.Low < r.Low;
    });
    for (std::size_t i = 0; i < marks_.size(); ++i) {
      Mark& m = marks_[i];
      const bool first = i == 0 || marks_[i - 1].Level != m.Level;
      const Extended none = -std::numeric_limits<Extended>::infinity();
      m.Reach = first ? m.High : std::max(marks_[i - 1].Reach, m.High);
      m.FlaggedReach =
          std::max(first ? none : marks_[i - 1].FlaggedReach, m.Flagged ? m.High : none);
    }
  }

  // A mark (a flagged one or a dot, for a flagged run) passes through the
  // point: an extension line ends there or passes it, a dot stands on it.
  bool At(const AxisPoint& p, bool flaggedRun) const {
    const Extended margin = 4e-9L * (1 + std::fabs(p.V));
    const Extended across = 1e-9L * (1 + 2 * std::fabs(p.U));
    auto level = std::lower_bound(marks_.begin(), marks_.end(), p.V - margin,
                                  [](const Mark& m, Extended v) { return m.Level < v; });
    while (level != marks_.end() && level->Level <= p.V + margin) {
      const auto levelEnd = std::upper_bound(level, marks_.end(), level->Level,
                                             [](Extended v, const Mark& m) { return v < m.Level; });
      if (Same(level->Level, p.V)) {
        // The last mark at this level that starts at or before the point.
        const auto after = std::upper_bound(level, levelEnd, p.U + across,
                                            [](Extended u, const Mark& m) { return u < m.Low; });
        if (after != level) {
          const Mark& last = *(after - 1);
          if ((flaggedRun ? last.FlaggedReach : last.Reach) >= p.U - across) return true;
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
    Extended Reach = 0, FlaggedReach = 0;
  };
  std::vector<Mark> marks_;
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

// Sorts the segments by line, flag and level and joins them.
void JoinRuns(std::vector<AxisSegment>& segments, std::vector<Run>& runs,
              std::vector<RunLine>& lines) {
  std::sort(segments.begin(), segments.end(),
            [](const AxisSegment& l, const AxisSegment& r) { return Across(l) < Across(r); });
  for (std::size_t first = 0; first < segments.size();) {
    // One line: segments whose offsets across the axis agree.
    std::size_t end = first + 1;
    while (end < segments.size() && Same(Across(segments[end - 1]), Across(segments[end]))) ++end;
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
  auto line = std::lower_bound(lines.begin(), lines.end(), from, [](const RunLine& l, Extended u) {
    return l.U < u && !Same(l.U, u);
  });
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

Verdict Judge(const Run& run, const std::vector<AxisSegment>& segments, const PointMarks& marks) {
  std::vector<AxisPoint> ends;
  for (std::size_t i = run.First; i < run.End; ++i) {
    ends.push_back(segments[i].From);
    ends.push_back(segments[i].To);
  }
  const bool flagged = run.Flagged;
  std::sort(ends.begin(), ends.end(),
            [](const AxisPoint& l, const AxisPoint& r) { return l.V < r.V; });
  std::vector<RunPoint> points;
  for (const AxisPoint& p : ends) {
    if (!points.empty() && Same(points.back().Highest.V, p.V)) {
      points.back().Highest = p;
    } else {
      points.push_back(RunPoint{p, p, false});
    }
    RunPoint& at = points.back();
    at.Marked = at.Marked || marks.At(p, flagged);
  }
  Verdict verdict;
  SeenLine& seen = verdict.Seen;
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
  std::vector<bool> dimensionPiece(points.size() - 1, false);
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
  seen.Dimension = figure || (marked >= 2 && (flagged || valued >= 1)) || (flagged && valued >= 2);
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

// Every run along the axis in the host's data, judged; the clicked line, if
// any, marked among the segments.
struct Judgement {
  std::vector<AxisSegment> Along;
  std::vector<Run> Runs;
  std::vector<RunLine> Lines;
  std::vector<Verdict> Verdicts;
  ClickedLine Clicked = ClickedLine::None;  // what the clicked line is, as a segment
  std::optional<std::size_t> ClickedRun;    // a clicked line along the axis: its run
};

Judgement JudgeRuns(const HostState& host, double axisAngle, const LineEntity* clicked) {
  Judgement j;
  const SearchAxes axes(axisAngle);
  auto segment = [&axes](const LineEntity& l, bool flagged, bool figure) {
    return AxisSegment{axes.Of(PlanePoint{l.X1, l.Y1}), axes.Of(PlanePoint{l.X2, l.Y2}), flagged,
                       figure};
  };
  auto alongAxis = [](AxisSegment& s) {
    if (!Same(s.From.U, s.To.U) || Same(s.From.V, s.To.V)) return false;
    if (s.From.V > s.To.V) std::swap(s.From, s.To);
    return true;
  };
  auto acrossAxis = [](const AxisSegment& s) {
    return Same(s.From.V, s.To.V) && !Same(s.From.U, s.To.U);
  };

  PointMarks marks;
  auto take = [&](const LineEntity& l, bool flagged, bool figure) {
    if (!Finite({l.X1, l.Y1, l.X2, l.Y2})) return;
    AxisSegment s = segment(l, flagged, figure);
    s.Clicked = &l == clicked;
    if (alongAxis(s)) {
      j.Along.push_back(s);
    } else if (acrossAxis(s)) {
      marks.AddExtensionLine(s);
      if (s.Clicked) j.Clicked = flagged ? ClickedLine::FlaggedAcross : ClickedLine::Across;
    } else if (s.Clicked && !(Same(s.From.U, s.To.U) && Same(s.From.V, s.To.V))) {
      j.Clicked = ClickedLine::Slanted;
    }
  };
  for (std::size_t i = 0; i < host.Dimensions.Count(); ++i)
    take(host.Dimensions[i].Line, true, true);
  for (std::size_t i = 0; i < host.Lines.Count(); ++i)
    take(host.Lines[i], (host.Lines[i].Attr.Flags & kZ3) != 0, false);
  auto dot = [&](double x, double y) {
    if (Finite({x, y})) marks.AddDot(axes.Of(PlanePoint{x, y}));
  };
  for (std::size_t i = 0; i < host.Points.Count(); ++i) dot(host.Points[i].X, host.Points[i].Y);
  for (std::size_t i = 0; i < host.ExtendedPoints.Count(); ++i)
    dot(host.ExtendedPoints[i].X, host.ExtendedPoints[i].Y);
  marks.Sort();

  JoinRuns(j.Along, j.Runs, j.Lines);
  auto place = [&](const TextEntity& t) {
    if (t.TextKind != 2) return;
    if (const std::optional<ValueText> value = ValueAlongTheAxis(t, host, axes))
      PlaceValue(*value, j.Lines, j.Runs);
  };
  for (std::size_t i = 0; i < host.Texts.Count(); ++i) place(host.Texts[i]);
  for (std::size_t i = 0; i < host.Dimensions.Count(); ++i) place(host.Dimensions[i].Text);

  j.Verdicts.reserve(j.Runs.size());
  for (std::size_t r = 0; r < j.Runs.size(); ++r) {
    j.Verdicts.push_back(Judge(j.Runs[r], j.Along, marks));
    for (std::size_t i = j.Runs[r].First; i < j.Runs[r].End; ++i)
      if (j.Along[i].Clicked) j.ClickedRun = r;
  }
  return j;
}

// The search's answer with the run `best` as its chain (none without one):
// the chain's ends and the room left on its line by the other dimension
// lines there.
ChainSearch Answer(const Judgement& j, std::optional<std::size_t> best) {
  ChainSearch search;
  std::size_t found = 0;
  for (const Verdict& v : j.Verdicts) {
    search.Lines.push_back(v.Seen);
    if (v.Seen.Dimension) ++found;
  }
  if (!best) return search;

  const Verdict& chosen = j.Verdicts[*best];
  PickedChain chain;
  chain.Lower = chosen.Seen.Lower;
  chain.Upper = chosen.Seen.Upper;
  chain.LowerLevel = static_cast<double>(chosen.Lower);
  chain.UpperLevel = static_cast<double>(chosen.Upper);
  chain.Length = static_cast<double>(chosen.Upper - chosen.Lower);
  chain.DimensionLines = found;
  // The other dimension lines on the same line, as far as they reach below
  // or above the chain.
  const auto line = std::find_if(j.Lines.begin(), j.Lines.end(), [&](const RunLine& l) {
    return l.First <= *best && *best < l.End;
  });
  for (std::size_t i = line->First; i < line->End; ++i) {
    const Verdict& other = j.Verdicts[i];
    if (i == *best || !other.Seen.Dimension) continue;
    if (other.Lower < chosen.Lower && !Same(other.Lower, chosen.Lower))
      chain.FreeBelow =
          std::max(chain.FreeBelow, static_cast<double>(std::min(other.Upper, chosen.Lower)));
    if (other.Upper > chosen.Upper && !Same(other.Upper, chosen.Upper))
      chain.FreeAbove =
          std::min(chain.FreeAbove, static_cast<double>(std::max(other.Lower, chosen.Upper)));
  }
  search.Chain = chain;
  search.Nearest = *best;
  return search;
}

}  // namespace

ChainSearch SearchPickedChain(const HostState& host, double axisAngle, PlanePoint valuePosition) {
  const Judgement j = JudgeRuns(host, axisAngle, nullptr);
  const AxisPoint q = SearchAxes(axisAngle).Of(valuePosition);
  std::optional<std::size_t> best;
  for (std::size_t i = 0; i < j.Runs.size(); ++i) {
    if (!j.Verdicts[i].Seen.Dimension) continue;
    if (!best) {
      best = i;
      continue;
    }
    const Extended across = std::fabs(j.Runs[i].U - q.U);
    const Extended bestAcross = std::fabs(j.Runs[*best].U - q.U);
    if (Same(across, bestAcross)
            ? AlongDistance(j.Verdicts[i], q.V) < AlongDistance(j.Verdicts[*best], q.V)
            : across < bestAcross)
      best = i;
  }
  return Answer(j, best);
}

ChainSearch SearchClickedChain(const HostState& host, double axisAngle, const LineEntity* clicked) {
  const Judgement j = JudgeRuns(host, axisAngle, clicked);
  if (!j.ClickedRun) {
    ChainSearch search = Answer(j, std::nullopt);
    search.Clicked = j.Clicked;
    return search;
  }
  std::optional<std::size_t> run = j.ClickedRun;
  const Run& piece = j.Runs[*run];
  if (!j.Verdicts[*run].Seen.Dimension) {
    // A line drawn over a dimension line (without the flag, or with it
    // where the dimension line is plain) stands for the dimension line
    // under it: the one on the same line whose reach overlaps the piece.
    run.reset();
    const auto line = std::find_if(j.Lines.begin(), j.Lines.end(), [&](const RunLine& l) {
      return l.First <= *j.ClickedRun && *j.ClickedRun < l.End;
    });
    for (std::size_t i = line->First; i < line->End && !run; ++i)
      if (j.Verdicts[i].Seen.Dimension && AtMost(j.Runs[i].Lower, piece.Upper) &&
          AtMost(piece.Lower, j.Runs[i].Upper))
        run = i;
  }
  ChainSearch search = Answer(j, run);
  if (run)
    search.Clicked = ClickedLine::DimensionLine;
  else if (!piece.Values.empty())
    search.Clicked = ClickedLine::Underline;
  else
    search.Clicked = piece.Flagged ? ClickedLine::FlaggedAlong : ClickedLine::Along;
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

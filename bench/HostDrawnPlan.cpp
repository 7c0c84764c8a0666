#include "HostDrawnPlan.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// A storey: wall lines at these offsets from its corner, in drawing units
// (a plan at 1:100: 3.64 m bays across, 2.73 m up).
const std::vector<double> kAcross = {0, 3640, 7280, 10920, 14560, 18200, 21840};
const std::vector<double> kUp = {0, 2730, 5460, 8190, 10920, 13650};
// Storeys side by side, and rows of them one above the other.
constexpr int kColumns = 64;
constexpr double kColumnStep = 40000.25;
constexpr double kRowStep = 30000.5;
// The chains' dimension lines stand 1000, 1700 and 2400 off the storey, the
// extension lines start 200 off it; values stand 100 beside their line.
constexpr double kChainOffsets[] = {1000, 1700, 2400};

class PlanWriter {
 public:
  explicit PlanWriter(HostDrawnPlan& plan) : plan_(plan) {}

  void Storey(double ox, double oy) {
    // Walls: lines without flags, each wall two faces 150 apart.
    const double right = ox + kAcross.back(), top = oy + kUp.back();
    for (const double x : kAcross)
      for (const double face : {0.0, 150.0}) Segment(false, ox + x + face, oy, ox + x + face, top);
    for (const double y : kUp)
      for (const double face : {0.0, 150.0}) Segment(false, ox, oy + y + face, right, oy + y + face);
    // Vertical chains on the left (every bay, every other one, overall),
    // horizontal chains below.
    for (int c = 0; c < 3; ++c) {
      Chain(true, ox - kChainOffsets[c], oy, ox - 200, Levels(kUp, c));
      Chain(false, oy - kChainOffsets[c], ox, oy - 200, Levels(kAcross, c));
    }
  }

 private:
  static std::vector<double> Levels(const std::vector<double>& all, int chain) {
    if (chain == 0) return all;
    if (chain == 2) return {all.front(), all.back()};
    std::vector<double> every;
    for (std::size_t i = 0; i < all.size(); i += 2) every.push_back(all[i]);
    if (every.back() != all.back()) every.push_back(all.back());
    return every;
  }

  // A chain with its dimension line at `line` across its direction, the
  // measured levels from `origin`, extension lines from `from` to the line.
  void Chain(bool vertical, double line, double origin, double from,
             const std::vector<double>& levels) {
    auto point = [&](double across, double along) {
      return vertical ? PlanPoint{across, origin + along} : PlanPoint{origin + along, across};
    };
    for (std::size_t i = 0; i < levels.size(); ++i) {
      const PlanPoint at = point(line, levels[i]);
      const PlanPoint start = point(from, levels[i]);
      Segment(true, start.X, start.Y, at.X, at.Y);
      Write("z3\r\npt %.15g %.15g\r\n", at.X, at.Y);
      plan_.Lines += 2;
      if (i + 1 == levels.size()) break;
      const PlanPoint next = point(line, levels[i + 1]);
      Segment(true, at.X, at.Y, next.X, next.Y);
      // The value, 4 characters of 200 reading along the chain, about
      // centred on the piece, 100 beside the line.
      const double length = levels[i + 1] - levels[i];
      const PlanPoint text = point(vertical ? line - 100 : line + 100,
                                   (levels[i] + levels[i + 1]) / 2 - 400);
      Write("z3\r\ncs %.15g %.15g %d %d \"%.15g\r\n", text.X, text.Y, vertical ? 0 : 1,
            vertical ? 1 : 0, length);
      plan_.Lines += 2;
      ++plan_.Values;
    }
  }

  void Segment(bool flagged, double x1, double y1, double x2, double y2) {
    if (flagged) {
      plan_.Drawing += "z3\r\n";
      ++plan_.Lines;
    }
    Write("%.15g %.15g %.15g %.15g\r\n", x1, y1, x2, y2);
    ++plan_.Lines;
  }

  template <typename... Numbers>
  void Write(const char* format, Numbers... numbers) {
    char text[160];
    const int n = std::snprintf(text, sizeof text, format, numbers...);
    plan_.Drawing.append(text, static_cast<std::size_t>(n));
  }

  HostDrawnPlan& plan_;
};

std::string Pick(int n, PlanPoint p, const char* kind = "") {
  char text[80];
  std::snprintf(text, sizeof text, "hp%d%s %.15g %.15g\r\n", n, kind, p.X, p.Y);
  return text;
}

}  // namespace

std::string HostDrawnPlan::RangePick(bool horizontal) const {
  return Header + Pick(1, horizontal ? HorizontalNewPoint : VerticalNewPoint) +
         Pick(2, horizontal ? HorizontalValue : VerticalValue) + Drawing;
}

std::string HostDrawnPlan::ClickPick(bool horizontal) const {
  const PlanPoint from = horizontal ? HorizontalPieceFrom : VerticalPieceFrom;
  const PlanPoint to = horizontal ? HorizontalPieceTo : VerticalPieceTo;
  // The piece as the plan writer wrote it, a line of its own: the first
  // storey's comes first.
  char piece[160];
  std::snprintf(piece, sizeof piece, "\n%.15g %.15g %.15g %.15g\r\n", from.X, from.Y, to.X, to.Y);
  const std::size_t at = Drawing.find(piece);
  if (at == std::string::npos) return {};
  std::string file = Header + Pick(1, {(from.X + to.X) / 2, (from.Y + to.Y) / 2}, "ln") +
                     Pick(2, horizontal ? HorizontalNewPoint : VerticalNewPoint) +
                     Pick(3, horizontal ? HorizontalValue : VerticalValue);
  file.reserve(file.size() + Drawing.size() + 8);
  file.append(Drawing, 0, at + 1);
  file += "hhp1ln\r\n";
  file.append(Drawing, at + 1);
  return file;
}

HostDrawnPlan DrawHostPlan(std::size_t targetBytes) {
  HostDrawnPlan plan;
  plan.Header =
      "hk 0\r\nhs 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100\r\n"
      "hcw 3 2.5 2 4 5 6 7 8 9 10\r\nhch 3 2.5 2 4 5 6 7 8 9 10\r\nhcd 0 0 0 0 0 0 0 0 0 0\r\n"
      "hcc 2 2 2 2 2 2 2 2 2 2\r\nlg0\r\nly0\r\nlc2\r\nlt1\r\nlw0\r\ncn1\r\n";
  plan.Drawing.reserve(targetBytes + 8192);
  plan.Drawing = "lc1\r\ncn2\r\ncc0\r\n";
  plan.Lines = 3;
  PlanWriter writer(plan);
  for (long storey = 0; plan.Drawing.size() < targetBytes; ++storey)
    writer.Storey(static_cast<double>(storey % kColumns) * kColumnStep,
                  static_cast<double>(storey / kColumns) * kRowStep);
  // The first storey's inner chains, at its corner (0, 0).
  const double top = kUp.back(), right = kAcross.back();
  plan.VerticalPieceFrom = {-kChainOffsets[0], kUp[1]};
  plan.VerticalPieceTo = {-kChainOffsets[0], kUp[2]};
  plan.VerticalValue = {-1300, 6000};
  plan.VerticalNewPoint = {0, top + 1500};
  plan.HorizontalPieceFrom = {kAcross[1], -kChainOffsets[0]};
  plan.HorizontalPieceTo = {kAcross[2], -kChainOffsets[0]};
  plan.HorizontalValue = {6000, -1300};
  plan.HorizontalNewPoint = {right + 1500, 0};
  return plan;
}

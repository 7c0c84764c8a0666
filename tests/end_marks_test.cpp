// The marks at both ends of the new dimension line: their reach, the fit
// test that reverses them, the barbs of line arrows and the point markers.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialog/EndMarkKinds.h"
#include "dialog/SettingsTable.h"
#include "dimension/EndMarks.h"
#include "support/DimensionTestSupport.h"

namespace {

using dimension_testing::Axes;
using dimension_testing::BufferedLines;
using dimension_testing::Dist;
using dimension_testing::FreshOutput;
using dimension_testing::Numbers;

const double kCos15 = std::cos(15 * M_PI / 180);

EndMarkSettings Marks(int start, int end, double scale = 1) {
  EndMarkSettings s;
  s.StartMark = start;
  s.EndMark = end;
  s.MarkScale = 1;
  s.ArrowLength = 3;
  s.ArrowAngle = 15;
  s.ReverseArrowOvershoot = 2 * scale;
  s.Scale = scale;
  return s;
}

TEST(EndMarks, ReachOfEachKind) {
  const double sqrt2 = std::sqrt(2.0);
  const double table[12] = {3 * kCos15, 7.5, 1.25, 1.25, 1.25, 1.25, 7.5, 1.25,
                            1.25 * sqrt2, 7.5, 1.25 * sqrt2, 7.5};
  for (double scale : {1.0, 100.0}) {
    for (int kind = 0; kind < 12; ++kind) {
      EndMarkSettings s = Marks(kind, kind, scale);
      s.MarkScale = 3;  // triples the point markers, never the line arrow
      const double expected = table[kind] * (kind == 0 ? 1 : 3) * scale;
      EXPECT_NEAR(MarkReach(kind, s), expected, 1e-12 * expected) << kind << " " << scale;
    }
  }
}

TEST(EndMarks, ReversedExactlyWhenTheReachesExceedTheLength) {
  struct Case {
    int Start, End;
    double Scale, Length;
    bool Reversed;
  };
  const double arrows = 2 * 3 * kCos15;  // about 5.7956
  const Case cases[] = {
      {0, 0, 1, 5.7, true},
      {0, 0, 1, 5.8, false},
      {0, 0, 1, arrows * (1 - 1e-12), true},
      {0, 0, 1, arrows * (1 + 1e-12), false},
      {1, 1, 100, 1499.999, true},  // two triangles at scale 100 reach 750 each
      {1, 1, 100, 1500, false},     // a sum equal to the length still fits
      {2, 7, 1, 2.5, false},
      {2, 7, 1, 2.4999999, true},
      {0, 7, 1, 3 * kCos15 + 1.25 + 1e-9, false},  // an arrow and a dot add up
      {0, 7, 1, 3 * kCos15 + 1.25 - 1e-9, true},
  };
  for (const Case& c : cases) {
    for (double theta : {0.0, 237.5}) {
      const Axes ax(theta);
      const PlanePoint e1{-40, 70};
      const PlanePoint e2 = ax.At(e1, 0, c.Length);
      EXPECT_EQ(MarksReversed(e1, e2, Marks(c.Start, c.End, c.Scale)), c.Reversed)
          << c.Start << "/" << c.End << " length " << c.Length << " theta " << theta;
    }
  }
}

// The lines of one emitted mark sequence: "z3" flags and segments from an end.
struct Emitted {
  std::vector<std::string> Lines;
  std::vector<double> At(std::size_t i) const { return Numbers(Lines[i]); }
};

Emitted EmitFor(PlanePoint e1, PlanePoint e2, const EndMarkSettings& s) {
  OutputCommands out = FreshOutput();
  EmitEndMarks(out, e1, e2, s);
  return Emitted{BufferedLines(out)};
}

// Unit direction from a to b.
PlanePoint Unit(PlanePoint a, PlanePoint b) {
  const double d = Dist(a, b);
  return PlanePoint{(b.X - a.X) / d, (b.Y - a.Y) / d};
}

// A barb line from `end`, with its length and its direction's component
// along the dimension line towards the other end.
void ExpectBarb(const std::vector<double>& n, PlanePoint end, PlanePoint other, double length,
                double inward) {
  ASSERT_EQ(n.size(), 4u);
  EXPECT_NEAR(n[0], end.X, 1e-9);
  EXPECT_NEAR(n[1], end.Y, 1e-9);
  const PlanePoint tip{n[2], n[3]};
  EXPECT_NEAR(Dist(end, tip), length, 1e-9);
  const PlanePoint toOther = Unit(end, other);
  const double along = ((tip.X - end.X) * toOther.X + (tip.Y - end.Y) * toOther.Y) / length;
  EXPECT_NEAR(along, inward, 1e-9);
}

TEST(EndMarks, LineArrowsPointAtTheExtensionLines) {
  for (double theta : {0.0, 90.0, 100.0, 60.0, 237.5}) {
    for (double scale : {1.0, 50.0}) {
      SCOPED_TRACE(testing::Message() << "theta " << theta << " scale " << scale);
      const Axes ax(theta);
      const PlanePoint e1 = ax.At(PlanePoint{300, -20}, 0, 0);
      const PlanePoint e2 = ax.At(e1, 0, 500 * scale);
      const Emitted out = EmitFor(e1, e2, Marks(0, 0, scale));
      const std::vector<std::string> shape = {"z3", "", "z3", "", "z3", "z3", "", "z3", ""};
      ASSERT_EQ(out.Lines.size(), shape.size());
      for (std::size_t i = 0; i < shape.size(); ++i)
        if (!shape[i].empty()) {
      EXPECT_EQ(out.Lines[i], shape[i]) << i;
    }
      // The barbs run back into the dimension line, 15 degrees either side.
      ExpectBarb(out.At(1), e1, e2, 3 * scale, kCos15);
      ExpectBarb(out.At(3), e1, e2, 3 * scale, kCos15);
      ExpectBarb(out.At(6), e2, e1, 3 * scale, kCos15);
      ExpectBarb(out.At(8), e2, e1, 3 * scale, kCos15);
      // The two barbs of a mark lie on either side of the line.
      const auto side = [&](const std::vector<double>& n, PlanePoint end) {
        return ax.AlongU(end, PlanePoint{n[2], n[3]});
      };
      EXPECT_LT(side(out.At(1), e1) * side(out.At(3), e1), 0);
      EXPECT_LT(side(out.At(6), e2) * side(out.At(8), e2), 0);
    }
  }
}

TEST(EndMarks, ReversedArrowsPointInwardsFromOutsideWithTheOvershoot) {
  const Axes ax(60);
  const PlanePoint e1{10, 10};
  const PlanePoint e2 = ax.At(e1, 0, 4);  // shorter than two arrows
  const Emitted out = EmitFor(e1, e2, Marks(0, 0));
  const std::vector<std::string> shape = {"z3", "", "z3", "", "z3", "",
                                          "z3", "z3", "", "z3", "", "z3", ""};
  ASSERT_EQ(out.Lines.size(), shape.size());
  for (std::size_t i = 0; i < shape.size(); ++i)
    if (!shape[i].empty()) {
      EXPECT_EQ(out.Lines[i], shape[i]) << i;
    }
  // The dimension line continues 2 beyond each end, then barbs run outwards.
  ExpectBarb(out.At(1), e1, e2, 2, -1);
  ExpectBarb(out.At(3), e1, e2, 3, -kCos15);
  ExpectBarb(out.At(5), e1, e2, 3, -kCos15);
  ExpectBarb(out.At(8), e2, e1, 2, -1);
  ExpectBarb(out.At(10), e2, e1, 3, -kCos15);
  ExpectBarb(out.At(12), e2, e1, 3, -kCos15);
}

TEST(EndMarks, NoOvershootLineWhenItsLengthIsZero) {
  EndMarkSettings s = Marks(0, 0);
  s.ReverseArrowOvershoot = 0;
  const Emitted out = EmitFor(PlanePoint{0, 0}, PlanePoint{0, 4}, s);
  EXPECT_EQ(out.Lines.size(), 9u);  // the same as marks that fit: no extra lines
}

TEST(EndMarks, PointMarkersTakeTheMarkScaleUnchangedAndTheOutwardAngle) {
  EndMarkSettings s = Marks(7, 1, 100);
  s.MarkScale = 3;
  const PlanePoint e1{0, 0}, e2{0, 10000};  // fits: 1.25*3*100 + 7.5*3*100 = 2625
  Emitted out = EmitFor(e1, e2, s);
  ASSERT_EQ(out.Lines.size(), 5u);
  EXPECT_EQ(out.Lines[0], "z3");
  EXPECT_EQ(out.Lines[1], "pt 0 0 3 270 7");
  EXPECT_EQ(out.Lines[2], "z3");
  EXPECT_EQ(out.Lines[3], "z3");
  EXPECT_EQ(out.Lines[4], "pt 0 10000 3 90 1");

  // Reversed: the angles turn by 180 and each mark gets its overshoot first.
  out = EmitFor(e1, PlanePoint{0, 2000}, s);
  ASSERT_EQ(out.Lines.size(), 9u);
  const std::vector<double> below = out.At(1), above = out.At(6);
  ASSERT_EQ(below.size(), 4u);
  ASSERT_EQ(above.size(), 4u);
  const double expectedBelow[] = {0, 0, 0, -200}, expectedAbove[] = {0, 2000, 0, 2200};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(below[i], expectedBelow[i], 1e-9);
    EXPECT_NEAR(above[i], expectedAbove[i], 1e-9);
  }
  EXPECT_EQ(out.Lines[3], "pt 0 0 3 90 7");
  EXPECT_EQ(out.Lines[8], "pt 0 2000 3 270 1");
}

TEST(EndMarks, TheMarkAngleIsRoundedToDoubleBeforeAndAfterItWraps) {
  // The end mark points at 180.9 degrees; reversed, 360.9 rounds to the
  // double 360.89999999999998 before 360 comes off it. Kept in extended
  // precision across both steps it would read 0.900000000000006.
  EndMarkSettings s = Marks(3, 3);
  s.ReverseArrowOvershoot = 0;
  const double t = 180.9 * M_PI / 180;
  const Emitted out = EmitFor(PlanePoint{0, 0}, PlanePoint{std::cos(t), std::sin(t)}, s);
  ASSERT_EQ(out.Lines.size(), 5u);
  EXPECT_EQ(out.Lines[1], "pt 0 0 1 180.9 3");
  EXPECT_TRUE(out.Lines[4].starts_with("pt ")) << out.Lines[4];
  EXPECT_TRUE(out.Lines[4].ends_with(" 1 0.899999999999977 3")) << out.Lines[4];
}

TEST(EndMarks, StartMarkAtTheLowerEndEndMarkAtTheUpper) {
  // A line arrow at the start, a triangle at the end, under a turned axis.
  const Axes ax(100);
  const PlanePoint e1{5, 5};
  const PlanePoint e2 = ax.At(e1, 0, 800);
  const Emitted out = EmitFor(e1, e2, Marks(0, 11));
  ASSERT_EQ(out.Lines.size(), 7u);
  ExpectBarb(out.At(1), e1, e2, 3, kCos15);
  const std::vector<double> pt = out.At(6);
  ASSERT_EQ(pt.size(), 5u);
  EXPECT_EQ(out.Lines[6].substr(0, 3), "pt ");
  EXPECT_NEAR(pt[0], e2.X, 1e-9);
  EXPECT_NEAR(pt[1], e2.Y, 1e-9);
  EXPECT_NEAR(pt[3], 190, 1e-9);  // the direction of v at 100 degrees
  EXPECT_EQ(pt[4], 11);
}

}  // namespace

// The one table of end mark kinds: the dialog lists show its captions in its
// order, each point marker kind is found again by its host marker number,
// and a number that is no entry of the lists is a fault, not a default.
TEST(EndMarks, OneTableServesTheListsTheReachAndTheMarkers) {
  const std::vector<EndMarkKind>& kinds = EndMarkKinds();
  std::vector<std::string> captions;
  for (const EndMarkKind& kind : kinds) captions.emplace_back(kind.Caption);
  EXPECT_EQ(SettingRowOf(Control::StartMark).Entries, captions);
  EXPECT_EQ(SettingRowOf(Control::EndMark).Entries, captions);
  EXPECT_EQ(kinds.front().HostMarker, kLineArrowMarker);
  for (std::size_t entry = 0; entry < kinds.size(); ++entry) {
    const EndMarkKind& kind = kinds[entry];
    EXPECT_EQ(&EndMarkKindAt(static_cast<std::int32_t>(entry)), &kind);
    if (kind.HostMarker == kLineArrowMarker) continue;
    EXPECT_EQ(EndMarkKindOfMarker(kind.HostMarker), &kind) << entry;
    // The fit test takes the table's reach, times the mark scale and S.
    EndMarkSettings s = Marks(static_cast<int>(entry), 0, 10);
    s.MarkScale = 2;
    EXPECT_EQ(MarkReach(static_cast<std::int32_t>(entry), s), static_cast<double>(kind.Reach * 2 * 10)) << entry;
  }
  EXPECT_EQ(EndMarkKindOfMarker(kLineArrowMarker), nullptr);
  EXPECT_EQ(EndMarkKindOfMarker(12), nullptr);
  for (const std::int32_t entry : {-1, static_cast<std::int32_t>(kinds.size())}) {
    EXPECT_THROW(EndMarkKindAt(entry), std::out_of_range) << entry;
    EXPECT_THROW(MarkReach(entry, Marks(0, 0)), std::out_of_range) << entry;
  }
}

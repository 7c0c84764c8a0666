// Where the new dimension goes, under turned host axes and layer-group
// scales: its line, extension lines, value direction, underline and leader.
#include <gtest/gtest.h>

#include "dimension/DimensionGeometry.h"
#include "support/DimensionTestSupport.h"

namespace {

using dimension_testing::Axes;
using dimension_testing::BufferedLines;
using dimension_testing::Dist;
using dimension_testing::FreshOutput;
using dimension_testing::Numbers;

const double kAxisAngles[] = {0, 90, 100, 60, 237.5};
const double kScales[] = {1, 50};

struct Scene {
  double Theta;
  double Scale;
  bool Upward;
  double RefAcross;  // where the dimension line runs, along u from A (paper mm)
  DimensionInput In;
  Axes Ax;
};

// A chain end A, a new point B above it (or the other way round), the
// dimension line `refAcross` beside A, and the value 100 mm left of it.
Scene MakeScene(double theta, double scale, bool upward, double refAcross) {
  Axes ax(theta);
  const PlanePoint origin{1234.5, -678.25};
  DimensionInput in;
  in.AxisAngle = theta;
  in.Scale = scale;
  in.A = origin;
  in.B = ax.At(origin, 37 * scale, 1000 * scale);
  in.Upward = upward;
  in.D = ax.At(origin, refAcross * scale, 300 * scale);
  in.Q = ax.At(origin, (refAcross - 100) * scale, 200 * scale);
  in.LastAxisAngle = theta;
  in.ExtLineOffset = 2 * scale;
  in.ExtLineOvershoot = 3 * scale;
  in.TextLineGap = 0.5 * scale;
  return Scene{theta, scale, upward, refAcross, in, ax};
}

double Tol(const Scene& s) { return 1e-9 * 1000 * s.Scale; }

std::vector<Scene> AllScenes() {
  std::vector<Scene> scenes;
  for (double theta : kAxisAngles)
    for (double scale : kScales)
      for (bool upward : {true, false})
        for (double across : {-500.0, 0.0, 420.0})
          scenes.push_back(MakeScene(theta, scale, upward, across));
  return scenes;
}

std::string Describe(const Scene& s) {
  return "theta " + std::to_string(s.Theta) + " scale " + std::to_string(s.Scale) +
         (s.Upward ? " upward" : " downward") + " across " + std::to_string(s.RefAcross);
}

TEST(DimensionGeometry, DimensionLineRunsAlongTheVerticalThroughTheReference) {
  for (const Scene& s : AllScenes()) {
    SCOPED_TRACE(Describe(s));
    const DimensionLineEnds ends = FindDimensionLineEnds(s.Theta, s.In.A, s.In.B, s.In.D);
    // On the line through D parallel to v ...
    EXPECT_NEAR(s.Ax.AlongU(s.In.D, ends.E1), 0, Tol(s));
    EXPECT_NEAR(s.Ax.AlongU(s.In.D, ends.E2), 0, Tol(s));
    // ... level with the measured points along u ...
    EXPECT_NEAR(s.Ax.AlongV(s.In.A, ends.E1), 0, Tol(s));
    EXPECT_NEAR(s.Ax.AlongV(s.In.B, ends.E2), 0, Tol(s));
    // ... so the measured length is the rise from A to B.
    EXPECT_NEAR(Dist(ends.E1, ends.E2), 1000 * s.Scale, Tol(s));
  }
}

TEST(DimensionGeometry, ExtensionLinesAreSquareToTheDimensionLineAndKeepTheirGaps) {
  for (const Scene& s : AllScenes()) {
    SCOPED_TRACE(Describe(s));
    const DimensionLineEnds ends = FindDimensionLineEnds(s.Theta, s.In.A, s.In.B, s.In.D);
    const std::pair<PlanePoint, PlanePoint> measured[] = {{s.In.A, ends.E1}, {s.In.B, ends.E2}};
    for (const auto& [point, end] : measured) {
      const PlaneSegment line = MakeExtensionLine(s.Theta, point, s.In.D, s.In.ExtLineOffset,
                                                  s.In.ExtLineOvershoot);
      // Both ends level with the measured point: square to the dimension line.
      EXPECT_NEAR(s.Ax.AlongV(point, line.From), 0, Tol(s));
      EXPECT_NEAR(s.Ax.AlongV(point, line.To), 0, Tol(s));
      // Towards the dimension line: from the point's side of it to beyond it.
      // A line through the point leaves the side to the last bits of the
      // rotation; the exact case has its own test.
      const double toLine = s.Ax.AlongU(point, end);
      double side = toLine > 0 ? 1 : -1;
      if (std::fabs(toLine) <= Tol(s)) side = s.Ax.AlongU(point, line.From) > 0 ? 1 : -1;
      EXPECT_NEAR(s.Ax.AlongU(point, line.From), side * s.In.ExtLineOffset, Tol(s));
      EXPECT_NEAR(s.Ax.AlongU(end, line.To), side * s.In.ExtLineOvershoot, Tol(s));
    }
  }
}

TEST(DimensionGeometry, ExtensionLineThroughTheDimensionLineRunsTowardsPlusU) {
  // The dimension line passes exactly through the measured point.
  const PlaneSegment line = MakeExtensionLine(0, PlanePoint{10, 20}, PlanePoint{10, 500}, 2, 3);
  EXPECT_DOUBLE_EQ(line.From.X, 12);
  EXPECT_DOUBLE_EQ(line.From.Y, 20);
  EXPECT_DOUBLE_EQ(line.To.X, 13);
  EXPECT_DOUBLE_EQ(line.To.Y, 20);
  // An offset longer than the way to the line: the line starts beyond the
  // dimension line and runs back to the overshoot, as the settings say.
  const PlaneSegment back = MakeExtensionLine(0, PlanePoint{0, 0}, PlanePoint{-5, 9}, 10, 2);
  EXPECT_DOUBLE_EQ(back.From.X, -10);
  EXPECT_DOUBLE_EQ(back.To.X, -7);
}

TEST(DimensionGeometry, ExtensionLineAtTheOldEndIsNotDrawnTwice) {
  for (const Scene& base : AllScenes()) {
    for (double last : {base.Theta, base.Theta + 1e-12, base.Theta - 1e-12, base.Theta + 5.0}) {
      Scene s = base;
      s.In.LastAxisAngle = last;
      SCOPED_TRACE(Describe(s) + " last angle " + std::to_string(last));
      const DimensionLineEnds ends = FindDimensionLineEnds(s.Theta, s.In.A, s.In.B, s.In.D);
      const DimensionLayout layout = LayOutDimension(s.In, ends, 4.5);
      const bool turned = last == base.Theta + 5.0;
      // The new point always gets its extension line; the old end only when
      // the host's axes have turned since the chain was stored.
      EXPECT_EQ(layout.ExtensionA.has_value(), !s.Upward || turned);
      EXPECT_EQ(layout.ExtensionB.has_value(), s.Upward || turned);
    }
  }
}

TEST(DimensionGeometry, AxisAngleCountsAsUnchangedWithinATolerance) {
  EXPECT_TRUE(AxisAngleUnchanged(30, 30));
  EXPECT_TRUE(AxisAngleUnchanged(30, 30 + 1e-12));  // a hair above the stored angle
  EXPECT_TRUE(AxisAngleUnchanged(30, 30 - 1e-12));  // a hair below: normalises to ~360
  EXPECT_TRUE(AxisAngleUnchanged(0, 360));
  EXPECT_TRUE(AxisAngleUnchanged(-90, 270));
  EXPECT_FALSE(AxisAngleUnchanged(30, 30.000001));
  EXPECT_FALSE(AxisAngleUnchanged(30, 29.999999));
  EXPECT_FALSE(AxisAngleUnchanged(0, 90));
}

TEST(DimensionGeometry, ValueRunsAlongTheVerticalAndNeverUpsideDown) {
  const std::pair<double, double> expected[] = {
      {0, 90}, {90, 0}, {100, 10}, {60, 330}, {237.5, 327.5}, {180, 90}, {270, 0}, {-30, 60}};
  for (const auto& [theta, phi] : expected) EXPECT_DOUBLE_EQ(TextDirectionDeg(theta), phi) << theta;

  for (const Scene& s : AllScenes()) {
    SCOPED_TRACE(Describe(s));
    const DimensionLineEnds ends = FindDimensionLineEnds(s.Theta, s.In.A, s.In.B, s.In.D);
    const DimensionLayout layout = LayOutDimension(s.In, ends, 4.5);
    const PlanePoint dir = layout.Direction;
    EXPECT_NEAR(std::hypot(dir.X, dir.Y), 10, 1e-12);
    EXPECT_NEAR(dir.X * s.Ax.Ux + dir.Y * s.Ax.Uy, 0, 1e-12);  // parallel to v
    // Reads left to right, or straight upwards.
    EXPECT_TRUE(dir.X > 1e-12 || (std::fabs(dir.X) <= 1e-12 && dir.Y > 0))
        << dir.X << " " << dir.Y;
  }
}

TEST(DimensionGeometry, UnderlineRunsUnderTheTextWithItsGaps) {
  for (const Scene& s : AllScenes()) {
    SCOPED_TRACE(Describe(s));
    const double width = 7.25;  // paper mm
    const DimensionLineEnds ends = FindDimensionLineEnds(s.Theta, s.In.A, s.In.B, s.In.D);
    const DimensionLayout layout = LayOutDimension(s.In, ends, width);
    const double dx = layout.Direction.X / 10, dy = layout.Direction.Y / 10;  // along the text
    const double nx = -dy, ny = dx;                                            // the text's up
    const double g = s.In.TextLineGap;
    const double along0 = (layout.T0.X - s.In.Q.X) * dx + (layout.T0.Y - s.In.Q.Y) * dy;
    const double up0 = (layout.T0.X - s.In.Q.X) * nx + (layout.T0.Y - s.In.Q.Y) * ny;
    EXPECT_NEAR(along0, -g, Tol(s));
    EXPECT_NEAR(up0, -g, Tol(s));
    const double along1 = (layout.T1.X - layout.T0.X) * dx + (layout.T1.Y - layout.T0.Y) * dy;
    const double up1 = (layout.T1.X - layout.T0.X) * nx + (layout.T1.Y - layout.T0.Y) * ny;
    EXPECT_NEAR(along1, width * s.Scale + 2 * g, Tol(s));
    EXPECT_NEAR(up1, 0, Tol(s));
  }
}

TEST(DimensionGeometry, LeaderReachesTheNearerEndOfTheUnderline) {
  for (const Scene& base : AllScenes()) {
    const DimensionLineEnds ends =
        FindDimensionLineEnds(base.Theta, base.In.A, base.In.B, base.In.D);
    // The value below the middle, straddling it, and above it.
    for (double up : {-300.0, -2.0, 0.0, 400.0}) {
      Scene s = base;
      s.In.Q = s.Ax.At(s.In.D, -100 * s.Scale, (200 + up) * s.Scale);
      SCOPED_TRACE(Describe(s) + " up " + std::to_string(up));
      const DimensionLayout layout = LayOutDimension(s.In, ends, 4.5);
      const PlanePoint m = layout.M;
      EXPECT_NEAR(Dist(m, ends.E1), Dist(m, ends.E2), Tol(s));
      const double dx = layout.Direction.X / 10, dy = layout.Direction.Y / 10;
      const double p0 = (layout.T0.X - m.X) * dx + (layout.T0.Y - m.Y) * dy;
      const double p1 = (layout.T1.X - m.X) * dx + (layout.T1.Y - m.Y) * dy;
      const bool toT0 = layout.LeaderEnd.X == layout.T0.X && layout.LeaderEnd.Y == layout.T0.Y;
      const bool toT1 = layout.LeaderEnd.X == layout.T1.X && layout.LeaderEnd.Y == layout.T1.Y;
      ASSERT_TRUE(toT0 || toT1);
      if (p0 > 0) {
        EXPECT_TRUE(toT0);  // all of it beyond M: its start is nearer
      } else if (p1 <= 0) {
        EXPECT_TRUE(toT1);  // all of it before M: its end is nearer
      } else {
        EXPECT_TRUE(toT0);  // straddling M
      }
    }
  }
}

// A line command from `from` to `to` (the output keeps 15 digits).
void ExpectSegmentLine(const std::string& line, PlanePoint from, PlanePoint to) {
  const std::vector<double> n = Numbers(line);
  ASSERT_EQ(n.size(), 4u) << line;
  const double expected[] = {from.X, from.Y, to.X, to.Y};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(n[i], expected[i], 1e-9) << line;
}

TEST(DimensionGeometry, DimensionFigureReplacesTheLineAndTheText) {
  OutputCommands out = FreshOutput();
  Scene s = MakeScene(100, 50, false, 420);
  s.In.LastAxisAngle = 90;  // turned: both extension lines
  const DimensionLineEnds ends = FindDimensionLineEnds(100, s.In.A, s.In.B, s.In.D);
  const DimensionLayout layout = LayOutDimension(s.In, ends, 4.5);
  EmitDimensionBody(out, layout, "50000", ValueStyle{0, 2, 2, 0, 1}, true);
  const std::vector<std::string> lines = BufferedLines(out);
  const std::vector<std::string> keywords = {"z3", "line", "z3", "line", "cn0 2 2 0 1", "msg",
                                             "line", "cs", "50000", "z3", "line", "z3", "line"};
  ASSERT_EQ(lines.size(), keywords.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (keywords[i] == "line") {
      EXPECT_EQ(Numbers(lines[i]).size(), 4u) << i << ": " << lines[i];
    } else if (keywords[i] == "cs") {
      EXPECT_EQ(lines[i].substr(0, 3), "cs ") << i;
    } else {
      EXPECT_EQ(lines[i], keywords[i]) << i;
    }
  }
  ExpectSegmentLine(lines[6], ends.E1, ends.E2);
}

}  // namespace

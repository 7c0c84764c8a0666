#include "exchange/HostState.h"

#include <gtest/gtest.h>

#include "exchange/OutputWriter.h"
#include "support/TestSupport.h"

namespace {

void ExpectStyle(const HostTextStyle& s, double w, double h, double d, int colour, const char* what) {
  EXPECT_EQ(s.Width, w) << what;
  EXPECT_EQ(s.Height, h) << what;
  EXPECT_EQ(s.Spacing, d) << what;
  EXPECT_EQ(s.Colour, colour) << what;
}

// Puts something other than the default into every field and list.
void Scribble() {
  THostState& s = HostState;
  s.AxisAngle = 33;
  s.DrawingFile = "x.jww";
  s.GroupScales.fill(50);
  s.SheetWidth = s.SheetHeight = 7;
  s.TextStyles.fill(HostTextStyle{9, 9, 9, 9});
  s.BzMarked = true;
  s.HnValues.fill(4);
  s.InitialGroup = s.InitialLayer = s.InitialColour = s.InitialLineType = 5;
  s.InitialLineWidth = s.InitialTextStyle = 5;
  s.InitialFreeText = s.CurrentFreeText = HostTextStyle{8, 8, 8, 8};
  s.InitialFontName = s.CurrentFontName = "font";
  s.PickedPoints.assign(3, PickedPoint{true, 1, 2, 3});
  s.PickedCount = 3;
  s.GroupStates.assign(2, 1);
  s.GroupNames.assign(2, "g");
  s.LayerStates.assign(2, 1);
  s.LayerNames.assign(2, "l");
  s.AttributePending.fill(false);
  s.CurrentPickTag = s.CurrentGroup = s.CurrentLayer = s.CurrentColour = 6;
  s.CurrentLineType = s.CurrentLineWidth = s.CurrentTextStyle = s.CurrentTextCc = 6;
  s.EntityFlags = s.PolylineCount = s.PointColour = s.ExtendedColour = 6;
  s.InPolyline = s.DimensionPending = true;
  s.PendingDimensionLine.X2 = 99;
  s.Lines.Append();
  s.Texts.Append();
  s.SgSolids.Append();
  s.EntityOrder.Append();
  OutputBuffer.Lines.Append("lc1");
}

TEST(HostState, ResetGivesEveryFieldItsDefault) {
  Scribble();
  ResetHostState();
  const THostState& s = HostState;
  EXPECT_EQ(s.AxisAngle, 0);
  EXPECT_EQ(s.DrawingFile, "");
  for (double scale : s.GroupScales) EXPECT_EQ(scale, 1.0);
  EXPECT_EQ(s.SheetWidth, 1189.0);
  EXPECT_EQ(s.SheetHeight, 841.0);
  for (const HostTextStyle& style : s.TextStyles) ExpectStyle(style, 3, 3, 0, 2, "style");
  EXPECT_FALSE(s.BzMarked);
  for (double v : s.HnValues) EXPECT_EQ(v, 0);

  EXPECT_EQ(s.InitialGroup, 0);
  EXPECT_EQ(s.InitialLayer, 0);
  EXPECT_EQ(s.InitialColour, 1);
  EXPECT_EQ(s.InitialLineType, 1);
  EXPECT_EQ(s.InitialLineWidth, 0);
  EXPECT_EQ(s.InitialTextStyle, 1);
  ExpectStyle(s.InitialFreeText, 2, 2, 0, 1, "initial free text");
  EXPECT_EQ(s.InitialFontName, "");

  ASSERT_EQ(s.PickedPoints.size(), 100u);
  for (const PickedPoint& p : s.PickedPoints) {
    EXPECT_TRUE(!p.Set && p.X == 0 && p.Y == 0 && p.Kind == 0);
  }
  EXPECT_EQ(s.PickedCount, 0);
  EXPECT_EQ(s.GroupStates, std::vector<std::int32_t>(16, 0));
  EXPECT_EQ(s.GroupNames, std::vector<std::string>(16));
  EXPECT_EQ(s.LayerStates, std::vector<std::int32_t>(256, 0));
  EXPECT_EQ(s.LayerNames, std::vector<std::string>(256));
  for (int slot = 0; slot <= 5; ++slot) EXPECT_TRUE(s.AttributePending[slot]) << slot;

  EXPECT_EQ(s.CurrentPickTag, 0);
  EXPECT_EQ(s.CurrentGroup, 0);
  EXPECT_EQ(s.CurrentLayer, 0);
  EXPECT_EQ(s.CurrentColour, 1);
  EXPECT_EQ(s.CurrentLineType, 1);
  EXPECT_EQ(s.CurrentLineWidth, 0);
  EXPECT_EQ(s.CurrentTextStyle, 1);
  ExpectStyle(s.CurrentFreeText, 2, 2, 0, 1, "current free text");
  EXPECT_EQ(s.CurrentTextCc, 0);
  EXPECT_EQ(testing_support::SjisToUtf8(s.CurrentFontName), testing_support::U8(u8"<ＭＳ ゴシック>"));
  EXPECT_EQ(s.EntityFlags, 0);
  EXPECT_EQ(s.PolylineCount, 0);
  EXPECT_FALSE(s.InPolyline);
  EXPECT_FALSE(s.DimensionPending);
  EXPECT_EQ(s.PointColour, 1);
  EXPECT_EQ(s.ExtendedColour, 0);

  const LineEntity& d = s.PendingDimensionLine;
  EXPECT_TRUE(d.Attr.PickTag == 0 && d.Attr.Group == 0 && d.Attr.Layer == 0 && d.Attr.Colour == 1 &&
              d.Attr.LineType == 1 && d.Attr.LineWidth == 0 && d.Attr.Flags == 0);
  EXPECT_TRUE(d.PolylineNo == 0 && d.X1 == 0 && d.Y1 == 0 && d.X2 == 1 && d.Y2 == 0);

  EXPECT_EQ(s.EntityOrder.Count(), 0u);
  EXPECT_EQ(s.Lines.Count(), 0u);
  EXPECT_EQ(s.Texts.Count(), 0u);
  EXPECT_EQ(s.SgSolids.Count(), 0u);
  EXPECT_EQ(OutputBuffer.Lines.Count(), 0u);
}

TEST(HostState, ResetLeavesTheWritersPendingFlagsAlone) {
  HostState.AttributePending.fill(false);
  HostState.AttributePending[kPendingFontName] = true;
  ResetHostState();
  EXPECT_FALSE(HostState.AttributePending[kPendingTextCc]);
  EXPECT_TRUE(HostState.AttributePending[kPendingFontName]);
  EXPECT_FALSE(HostState.AttributePending[kPendingPointColour]);
}

TEST(HostState, FreeReleasesTheListsAndKeepsScalarsAndStrings) {
  ResetHostState();
  Scribble();
  FreeHostState();
  const THostState& s = HostState;
  EXPECT_EQ(s.PickedPoints.capacity(), 0u);
  EXPECT_EQ(s.GroupStates.capacity(), 0u);
  EXPECT_EQ(s.GroupNames.capacity(), 0u);
  EXPECT_EQ(s.LayerStates.capacity(), 0u);
  EXPECT_EQ(s.LayerNames.capacity(), 0u);
  EXPECT_EQ(s.Lines.Capacity(), 0u);
  EXPECT_EQ(s.Texts.Capacity(), 0u);
  EXPECT_EQ(s.SgSolids.Capacity(), 0u);
  EXPECT_EQ(s.EntityOrder.Capacity(), 0u);
  EXPECT_EQ(OutputBuffer.Lines.Capacity(), 0u);
  EXPECT_EQ(s.AxisAngle, 33);
  EXPECT_EQ(s.DrawingFile, "x.jww");
  EXPECT_EQ(s.CurrentFontName, "font");
  EXPECT_EQ(s.PickedCount, 3);
}

TEST(HostState, ListsGrowInStepsOfAThousandWithoutMovingElements) {
  ResetHostState();
  for (int i = 0; i < 1000; ++i) AppendEntityOrder(kLineKind, i);
  EXPECT_EQ(HostState.EntityOrder.Capacity(), 1000u);
  const EntityRef* first = &HostState.EntityOrder[0];
  AppendEntityOrder(kCircleKind, 1000);
  EXPECT_EQ(HostState.EntityOrder.Count(), 1001u);
  EXPECT_EQ(HostState.EntityOrder.Capacity(), 2000u);
  for (int i = 1001; i < 5000; ++i) AppendEntityOrder(kArcKind, i);
  EXPECT_EQ(HostState.EntityOrder.Capacity(), 5000u);
  EXPECT_EQ(&HostState.EntityOrder[0], first);
  for (int i = 0; i < 5000; i += 999) EXPECT_EQ(HostState.EntityOrder[i].Index, i);
  EXPECT_EQ(HostState.EntityOrder[1000].Kind, kCircleKind);

}

TEST(HostState, CaptureCopiesTheRunningAttributes) {
  ResetHostState();
  THostState& s = HostState;
  s.CurrentPickTag = 7, s.CurrentGroup = 3, s.CurrentLayer = 12, s.CurrentColour = 5;
  s.CurrentLineType = 4, s.CurrentLineWidth = 2, s.EntityFlags = 20;
  EntityAttributes a;
  CaptureAttributes(a);
  EXPECT_EQ(a.PickTag, 7);
  EXPECT_EQ(a.Group, 3);
  EXPECT_EQ(a.Layer, 12);
  EXPECT_EQ(a.Colour, 5);
  EXPECT_EQ(a.LineType, 4);
  EXPECT_EQ(a.LineWidth, 2);
  EXPECT_EQ(a.Flags, 20);
}

}  // namespace

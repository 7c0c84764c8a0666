#include "exchange/HostState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exchange/OutputWriter.h"
#include "support/TestSupport.h"

namespace {

using Doubles = std::vector<double>;
using Ints = std::vector<std::int32_t>;

Doubles Style(const HostTextStyle& t) { return {t.Width, t.Height, t.Spacing, static_cast<double>(t.Colour)}; }

Ints Attributes(const EntityAttributes& a) {
  return {a.PickTag, a.Group, a.Layer, a.Colour, a.LineType, a.LineWidth, a.Flags};
}

// The running and initial integers, in a fixed order.
Ints Scalars(const HostState& s) {
  return {s.Initial.Group,  s.Initial.Layer,     s.Initial.Colour,    s.Initial.LineType,
          s.Initial.LineWidth, s.Initial.TextStyle, s.PickedCount,   s.CurrentPickTag,
          s.Current.Group,  s.Current.Layer,     s.Current.Colour,    s.Current.LineType,
          s.Current.LineWidth, s.Current.TextStyle, s.Current.TextCc, s.EntityFlags,
          s.PolylineCount, s.Current.PointColour,      s.Current.ExtendedColour,   s.BzMarked,
          s.InPolyline,    s.DimensionPending};
}

std::vector<std::size_t> Capacities(const HostState& s) {
  return {s.PickedPoints.capacity(), s.GroupStates.capacity(), s.GroupNames.capacity(),
          s.LayerStates.capacity(), s.LayerNames.capacity(), s.EntityOrder.Capacity(),
          s.Lines.Capacity(), s.Texts.Capacity(), s.Dimensions.Capacity(), s.SgSolids.Capacity()};
}

// Puts something other than the default into every field and list.
void Scribble(HostState& s) {
  s.AxisAngle = s.SheetWidth = s.SheetHeight = 7;
  s.DrawingFile = "x.jww";
  s.GroupScales.fill(50);
  s.TextStyles.fill(HostTextStyle{9, 9, 9, 9});
  s.HnValues.fill(4);
  s.Initial.Group = s.Initial.Layer = s.Initial.Colour = s.Initial.LineType = s.Initial.LineWidth = 5;
  s.Initial.TextStyle = s.PickedCount = s.CurrentPickTag = s.Current.Group = s.Current.Layer = 5;
  s.Current.Colour = s.Current.LineType = s.Current.LineWidth = s.Current.TextStyle = 5;
  s.Current.TextCc = s.EntityFlags = s.PolylineCount = s.Current.PointColour = s.Current.ExtendedColour = 5;
  s.BzMarked = s.InPolyline = s.DimensionPending = true;
  s.Initial.FreeText = s.Current.FreeText = HostTextStyle{8, 8, 8, 8};
  s.Initial.FontName = s.Current.FontName = "font";
  s.PickedPoints.assign(3, PickedPoint{true, 1, 2, 3});
  s.GroupStates.assign(2, 1);
  s.GroupNames.assign(2, "g");
  s.LayerStates.assign(2, 1);
  s.LayerNames.assign(2, "l");
  s.InitialPending.fill(false);
  s.PendingDimensionLine.X2 = 99;
  s.PendingDimensionLine.Attr.Colour = 99;
  s.EntityOrder.Append(), s.Lines.Append(), s.Texts.Append(), s.Dimensions.Append(), s.SgSolids.Append();
}

TEST(HostState, ResetGivesEveryFieldItsDefault) {
  HostState s;
  Scribble(s);
  ResetHostState(s);
  EXPECT_EQ((Doubles{s.AxisAngle, s.SheetWidth, s.SheetHeight}), (Doubles{0, 1189, 841}));
  EXPECT_EQ(Doubles(s.GroupScales.begin(), s.GroupScales.end()), Doubles(16, 1.0));
  EXPECT_EQ(Doubles(s.HnValues.begin(), s.HnValues.end()), Doubles(4, 0.0));
  for (const HostTextStyle& style : s.TextStyles) EXPECT_EQ(Style(style), (Doubles{3, 3, 0, 2}));
  EXPECT_EQ(Style(s.Initial.FreeText), (Doubles{2, 2, 0, 1}));
  EXPECT_EQ(Style(s.Current.FreeText), (Doubles{2, 2, 0, 1}));
  EXPECT_EQ(Scalars(s), (Ints{0, 0, 1, 1, 0, 1, 0, 0, 0, 0, 1, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0}));
  EXPECT_EQ(s.DrawingFile + s.Initial.FontName, "");
  EXPECT_EQ(testing_support::SjisToUtf8(s.Current.FontName), testing_support::U8(u8"<ＭＳ ゴシック>"));

  ASSERT_EQ(s.PickedPoints.size(), 100u);
  for (const PickedPoint& p : s.PickedPoints) EXPECT_TRUE(!p.Set && p.X == 0 && p.Y == 0 && p.Kind == 0);
  EXPECT_EQ(s.GroupStates, Ints(16, 0));
  EXPECT_EQ(s.GroupNames, std::vector<std::string>(16));
  EXPECT_EQ(s.LayerStates, Ints(256, 0));
  EXPECT_EQ(s.LayerNames, std::vector<std::string>(256));
  for (int slot = 0; slot <= 5; ++slot) EXPECT_TRUE(s.InitialPending[slot]) << slot;

  const LineEntity& d = s.PendingDimensionLine;
  EXPECT_EQ(Attributes(d.Attr), (Ints{0, 0, 0, 1, 1, 0, 0}));
  EXPECT_EQ((Doubles{static_cast<double>(d.PolylineNo), d.X1, d.Y1, d.X2, d.Y2}), (Doubles{0, 0, 0, 1, 0}));

  EXPECT_EQ((std::vector<std::size_t>{s.EntityOrder.Count(), s.Lines.Count(), s.Texts.Count(),
                                      s.Dimensions.Count(), s.SgSolids.Count()}),
            std::vector<std::size_t>(5, 0));
}

// The host's state and the answer are separate values: resetting the one for
// a new read leaves the other's lines, attributes and flags alone.
TEST(HostState, ResetLeavesTheOutputAlone) {
  HostState host;
  OutputCommands out;
  ResetOutputAttributes(out, host.Initial);
  out.Pending.fill(false);
  out.Pending[kPendingFontName] = true;
  out.Current.Colour = 7;
  AddOutputLine(out, "lc1");
  Scribble(host);
  ResetHostState(host);
  EXPECT_FALSE(out.Pending[kPendingTextCc]);
  EXPECT_TRUE(out.Pending[kPendingFontName]);
  EXPECT_FALSE(out.Pending[kPendingPointColour]);
  EXPECT_EQ(out.Current.Colour, 7);
  EXPECT_EQ(out.Lines.Count(), 1u);
}

TEST(HostState, FreeReleasesTheListsAndKeepsScalarsAndStrings) {
  HostState s;
  ResetHostState(s);
  Scribble(s);
  const Ints before = Scalars(s);
  FreeHostState(s);
  EXPECT_EQ(Capacities(s), std::vector<std::size_t>(10, 0));
  EXPECT_EQ(Scalars(s), before);
  EXPECT_EQ(s.DrawingFile + s.Current.FontName, "x.jwwfont");
}

TEST(HostState, ListsGrowInStepsOfAThousandWithoutMovingElements) {
  HostState s;
  ResetHostState(s);
  for (int i = 0; i < 1000; ++i) AppendEntityOrder(s, kLineKind, i);
  EXPECT_EQ(s.EntityOrder.Capacity(), 1000u);
  const EntityRef* first = &s.EntityOrder[0];
  AppendEntityOrder(s, kCircleKind, 1000);
  EXPECT_EQ(s.EntityOrder.Count(), 1001u);
  EXPECT_EQ(s.EntityOrder.Capacity(), 2000u);
  for (int i = 1001; i < 5000; ++i) AppendEntityOrder(s, kArcKind, i);
  EXPECT_EQ(s.EntityOrder.Capacity(), 5000u);
  EXPECT_EQ(&s.EntityOrder[0], first);
  for (int i = 0; i < 5000; i += 999) EXPECT_EQ(s.EntityOrder[i].Index, i);
  EXPECT_EQ(s.EntityOrder[1000].Kind, kCircleKind);
}

// Elements are created when appended, so the list must also destroy them
// (the output lines are strings), hand them over whole when moved, and start
// afresh after a release.
TEST(GrowingList, CreatesKeepsAndReleasesItsElements) {
  GrowingList<std::string> lines;
  for (int i = 0; i < 2500; ++i) lines.Append(std::string(40, static_cast<char>('a' + i % 26)));
  const std::string* first = &lines[0];
  EXPECT_EQ(lines.Append(), "");  // a new element starts empty
  GrowingList<std::string> moved(std::move(lines));
  EXPECT_EQ(moved.Count(), 2501u);
  EXPECT_EQ(moved.Capacity(), 3000u);
  EXPECT_EQ(&moved[0], first);
  EXPECT_EQ(moved[2499], std::string(40, static_cast<char>('a' + 2499 % 26)));
  EXPECT_EQ(lines.Count(), 0u);
  EXPECT_EQ(lines.Capacity(), 0u);
  lines = std::move(moved);
  EXPECT_EQ(lines.Count(), 2501u);
  lines.Release();
  EXPECT_EQ(lines.Count(), 0u);
  EXPECT_EQ(lines.Capacity(), 0u);
  lines.Append("x");
  EXPECT_EQ(lines.Count(), 1u);
  EXPECT_EQ(lines.Last(), "x");

  GrowingList<TextEntity> texts;
  texts.Append().Text.Assign("abc");
  const TextEntity& fresh = texts.Append();
  EXPECT_EQ(fresh.Text.Size(), 0u);
  EXPECT_EQ(fresh.Width, 0.0);
}

// A text field keeps short texts inside the record and longer ones in
// storage of their own; copies, moves and assignments from the field's own
// bytes keep the text on both sides of that boundary.
TEST(FixedText, KeepsItsTextWhateverItsLength) {
  for (const std::size_t length : {std::size_t{0}, std::size_t{1}, FixedText::kInline, FixedText::kInline + 1,
                                   std::size_t{200}, FixedText::kMax, FixedText::kMax + 1, std::size_t{1000}}) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text.push_back(static_cast<char>('a' + i % 26));
    const std::string kept = text.substr(0, FixedText::kMax);
    SCOPED_TRACE(length);

    FixedText field;
    field.Assign(text);
    EXPECT_EQ(field.View(), kept);
    EXPECT_EQ(field.Size(), kept.size());

    FixedText copy(field);
    FixedText assigned;
    assigned.Assign(std::string(300, 'x'));
    assigned = field;
    EXPECT_EQ(copy.View(), kept);
    EXPECT_EQ(assigned.View(), kept);
    EXPECT_NE(copy.View().data(), field.View().data());

    FixedText moved(std::move(copy));
    EXPECT_EQ(moved.View(), kept);
    EXPECT_EQ(copy.Size(), 0u);
    assigned = std::move(moved);
    EXPECT_EQ(assigned.View(), kept);

    // Parts of its own text, shorter and of the same length.
    field.Assign(field.View().substr(kept.size() / 2));
    EXPECT_EQ(field.View(), kept.substr(kept.size() / 2));
    field.Assign(field.View());
    EXPECT_EQ(field.View(), kept.substr(kept.size() / 2));
  }
  // A text that outgrows the field's own bytes, and one that shrinks back.
  FixedText field;
  field.Assign("short");
  field.Assign(std::string(100, 'L'));
  EXPECT_EQ(field.View(), std::string(100, 'L'));
  field.Assign("short again");
  EXPECT_EQ(field.View(), "short again");
}

TEST(HostState, CaptureCopiesTheRunningAttributes) {
  HostState s;
  ResetHostState(s);
  s.CurrentPickTag = 7, s.Current.Group = 3, s.Current.Layer = 12, s.Current.Colour = 5;
  s.Current.LineType = 4, s.Current.LineWidth = 2, s.EntityFlags = 20;
  EntityAttributes a;
  CaptureAttributes(s, a);
  EXPECT_EQ(Attributes(a), (Ints{7, 3, 12, 5, 4, 2, 20}));
}

}  // namespace

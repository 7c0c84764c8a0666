// The stored chain: re-expressed at the current scale, ordered along the
// host's vertical axis, tested against the picked point and extended.
#include <gtest/gtest.h>

#include "DimensionTestSupport.h"
#include "dimension/Chain.h"

namespace {

using dimension_testing::Axes;

TDialogSettings Stored(PlanePoint first, PlanePoint second, PlanePoint ref, double scale) {
  TDialogSettings s;
  s.LastGroupScale = scale;
  s.LastPoint1X = first.X;
  s.LastPoint1Y = first.Y;
  s.LastPoint2X = second.X;
  s.LastPoint2Y = second.Y;
  s.LastRefX = ref.X;
  s.LastRefY = ref.Y;
  return s;
}

TEST(Chain, RescaledToTheCurrentGroupsScale) {
  const TDialogSettings s = Stored({100, -200}, {300, 4000}, {-50, 7}, 100);
  const StoredChain half = RescaledChain(s, 50);
  EXPECT_DOUBLE_EQ(half.First.X, 50);
  EXPECT_DOUBLE_EQ(half.First.Y, -100);
  EXPECT_DOUBLE_EQ(half.Second.X, 150);
  EXPECT_DOUBLE_EQ(half.Second.Y, 2000);
  EXPECT_DOUBLE_EQ(half.Ref.X, -25);
  EXPECT_DOUBLE_EQ(half.Ref.Y, 3.5);
  const StoredChain same = RescaledChain(s, 100);
  EXPECT_DOUBLE_EQ(same.Second.Y, 4000);
  // A record that never came from a file (stored scale 0) is not divided by it.
  const StoredChain unscaled = RescaledChain(Stored({1, 2}, {3, 4}, {5, 6}, 0), 1);
  EXPECT_DOUBLE_EQ(unscaled.Second.Y, 4);
}

TEST(Chain, CurrentScaleNotAboveTheToleranceCountsAsOne) {
  const std::pair<double, double> cases[] = {
      {50, 50}, {0.5, 0.5}, {0, 1}, {-2, 1}, {1e-10, 1}, {5e-11, 1}, {2e-10, 2e-10}};
  for (const auto& [host, used] : cases) {
    THostState state;
    state.InitialGroup = 7;
    state.GroupScales[7] = host;
    EXPECT_EQ(CurrentGroupScale(state), used) << host;
  }
}

TEST(Chain, EndsOrderedAlongTheVerticalWhicheverWayTheyWereStored) {
  for (double theta : {0.0, 90.0, 100.0, 60.0, 237.5}) {
    const Axes ax(theta);
    const PlanePoint low = ax.At({10, 20}, 5, 0), high = ax.At({10, 20}, -3, 800);
    const PlanePoint ref = ax.At({10, 20}, -300, 100);
    for (bool swapped : {false, true}) {
      const StoredChain stored = swapped ? StoredChain{high, low, ref} : StoredChain{low, high, ref};
      const OrderedChain chain = OrderChain(stored, theta);
      EXPECT_EQ(chain.Lower.X, low.X) << theta << " " << swapped;
      EXPECT_EQ(chain.Lower.Y, low.Y);
      EXPECT_EQ(chain.Upper.X, high.X);
      EXPECT_EQ(chain.Upper.Y, high.Y);
    }
  }
}

TEST(Chain, PointsOnOrWithinToleranceOfTheChainAreInside) {
  const OrderedChain chain{{0, 0}, {0, 1000}, {-500, 300}};
  struct Case {
    PlanePoint P;
    ChainSide Side;
  };
  const Case cases[] = {
      {{0, 500}, ChainSide::Inside},
      {{700, 0}, ChainSide::Inside},          // level with the lower end
      {{-3, 1000}, ChainSide::Inside},        // level with the upper end
      {{0, 1000 + 5e-14}, ChainSide::Inside}, // beyond it by less than 1e-10
      {{0, -5e-14}, ChainSide::Inside},
      {{0, 1000.000001}, ChainSide::Above},
      {{0, 1e-9}, ChainSide::Inside},
      {{0, -1e-9}, ChainSide::Below},
      {{100, 1500}, ChainSide::Above},
      {{100, -1500}, ChainSide::Below},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LocatePoint(chain, c.P, 0), c.Side) << c.P.X << " " << c.P.Y;

  // 1e-9 beyond an end extends the chain; 5e-11 beyond it does not.
  EXPECT_EQ(LocatePoint(chain, {0, 1000 + 1e-9}, 0), ChainSide::Above);
  const OrderedChain small{{0, 0}, {0, 1}, {-5, 0}};
  EXPECT_EQ(LocatePoint(small, {0, 1 + 1e-9}, 0), ChainSide::Above);
  EXPECT_EQ(LocatePoint(small, {0, 1 + 5e-11}, 0), ChainSide::Inside);
}

TEST(Chain, InsideTestFollowsTheTurnedAxes) {
  const Axes ax(100);
  const OrderedChain chain{{0, 0}, ax.At({0, 0}, 0, 1000), ax.At({0, 0}, -200, 0)};
  EXPECT_EQ(LocatePoint(chain, ax.At({0, 0}, 900, 500), 100), ChainSide::Inside);
  EXPECT_EQ(LocatePoint(chain, ax.At({0, 0}, -900, 1200), 100), ChainSide::Above);
  EXPECT_EQ(LocatePoint(chain, ax.At({0, 0}, 40, -1), 100), ChainSide::Below);
}

TEST(Chain, ExtendedBelowOrAboveKeepsLowerEndFirst) {
  const OrderedChain chain{{0, 0}, {0, 1000}, {-500, 300}};
  const ChainExtension below = ExtendChain(chain, {20, -400}, ChainSide::Below);
  EXPECT_FALSE(below.Upward);
  EXPECT_EQ(below.Chain.First.Y, -400);  // the new lower end
  EXPECT_EQ(below.Chain.Second.Y, 1000);
  EXPECT_EQ(below.A.Y, -400);            // the new dimension: from P up to the old lower end
  EXPECT_EQ(below.B.Y, 0);
  EXPECT_EQ(below.Chain.Ref.X, -500);

  const ChainExtension above = ExtendChain(chain, {100, 1500}, ChainSide::Above);
  EXPECT_TRUE(above.Upward);
  EXPECT_EQ(above.Chain.First.Y, 0);
  EXPECT_EQ(above.Chain.Second.X, 100);
  EXPECT_EQ(above.Chain.Second.Y, 1500);
  EXPECT_EQ(above.A.Y, 1000);            // from the old upper end up to P
  EXPECT_EQ(above.B.Y, 1500);

  TDialogSettings s;
  StoreChain(above.Chain, s);
  EXPECT_EQ(s.LastPoint1X, 0);
  EXPECT_EQ(s.LastPoint1Y, 0);
  EXPECT_EQ(s.LastPoint2X, 100);
  EXPECT_EQ(s.LastPoint2Y, 1500);
  EXPECT_EQ(s.LastRefX, -500);
  EXPECT_EQ(s.LastRefY, 300);
}

}  // namespace

// The stored chain: the scale it is taken at, its ends ordered along the
// host's vertical axis, and where a picked point lies. (Rescaling and
// extending are checked by whole runs of the OK action.)
#include <gtest/gtest.h>

#include "dimension/Chain.h"
#include "support/DimensionTestSupport.h"

namespace {

using dimension_testing::Axes;

TEST(Chain, CurrentScaleNotAboveTheToleranceCountsAsOne) {
  const std::pair<double, double> cases[] = {
      {50, 50}, {0.5, 0.5}, {0, 1}, {-2, 1}, {1e-10, 1}, {5e-11, 1}, {2e-10, 2e-10}};
  for (const auto& [host, used] : cases) {
    HostState state;
    state.Initial.Group = 7;
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

}  // namespace

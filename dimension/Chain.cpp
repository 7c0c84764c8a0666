#include "dimension/Chain.h"

#include <utility>

#include "helpers/Extended.h"
#include "helpers/Geometry.h"

double CurrentGroupScale(const HostState& host) {
  const double scale = host.GroupScales[static_cast<std::size_t>(host.Initial.Group)];
  // The very test that loading applies to the stored scale, so that the
  // scale saved beside the chain loads back as the same scale.
  return scale > 1e-10 ? scale : 1.0;
}

StoredChain RescaledChain(const DialogSettings& s, double scale) {
  // Loading leaves a stored scale greater than 1e-10.
  auto at = [&](double v) {
    return static_cast<double>(static_cast<Extended>(v) / s.LastGroupScale * scale);
  };
  return StoredChain{{at(s.LastPoint1X), at(s.LastPoint1Y)},
                     {at(s.LastPoint2X), at(s.LastPoint2Y)},
                     {at(s.LastRefX), at(s.LastRefY)}};
}

OrderedChain OrderChain(const StoredChain& chain, double axisAngle) {
  PlanePoint a = chain.First;
  PlanePoint b = chain.Second;
  const PlanePoint bInFrame = RotateAboutDeg(b, a, -axisAngle);
  if (a.Y > bInFrame.Y) std::swap(a, b);
  return OrderedChain{a, b, chain.Ref};
}

ChainSide LocatePoint(const OrderedChain& chain, PlanePoint p, double axisAngle) {
  const PlanePoint a = chain.Lower;
  const PlanePoint bInFrame = RotateAboutDeg(chain.Upper, a, -axisAngle);
  const PlanePoint pInFrame = RotateAboutDeg(p, a, -axisAngle);
  const Extended y = pInFrame.Y;
  if (y < a.Y - kTolerance) return ChainSide::Below;
  if (y > bInFrame.Y + kTolerance) return ChainSide::Above;
  return ChainSide::Inside;
}

ChainExtension ExtendChain(const OrderedChain& chain, PlanePoint p, ChainSide side) {
  if (side == ChainSide::Below)
    return ChainExtension{{p, chain.Upper, chain.Ref}, p, chain.Lower, false};
  return ChainExtension{{chain.Lower, p, chain.Ref}, chain.Upper, p, true};
}

void StoreChain(const StoredChain& chain, DialogSettings& s) {
  s.LastPoint1X = chain.First.X;
  s.LastPoint1Y = chain.First.Y;
  s.LastPoint2X = chain.Second.X;
  s.LastPoint2Y = chain.Second.Y;
  s.LastRefX = chain.Ref.X;
  s.LastRefY = chain.Ref.Y;
}

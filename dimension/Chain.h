#pragma once
// The chain of vertical dimensions drawn so far, as the settings file stores
// it: its two outer measured points and a point on its dimension line.
#include "dialog/DialogSettings.h"
#include "dimension/PlanePoint.h"
#include "exchange/HostState.h"

struct StoredChain {
  PlanePoint First;   // the lower end after an OK
  PlanePoint Second;  // the upper end after an OK
  PlanePoint Ref;     // a point on the dimension line
};

// The scale of the host's current layer group. A scale not greater than 1e-10
// (zero, negative or unreadable) is taken as 1, as loading does with the
// stored scale: it would wipe out or flip the chain.
double CurrentGroupScale(const HostState& host);

// The stored chain re-expressed at `scale` (each coordinate divided by the
// scale it was stored at and multiplied by `scale`).
StoredChain RescaledChain(const DialogSettings& settings, double scale);

// The chain with its ends ordered along the host's vertical axis.
struct OrderedChain {
  PlanePoint Lower;
  PlanePoint Upper;
  PlanePoint Ref;
};
OrderedChain OrderChain(const StoredChain& chain, double axisAngle);

// Where a picked point lies along the vertical axis; on an end or within
// 1e-10 beyond it counts as inside.
enum class ChainSide { Inside, Below, Above };
ChainSide LocatePoint(const OrderedChain& chain, PlanePoint p, double axisAngle);

// The chain continued to p (below or above it), and the new dimension: from
// A, the lower of its measured points, to B.
struct ChainExtension {
  StoredChain Chain;
  PlanePoint A;
  PlanePoint B;
  bool Upward = false;  // the new point is B
};
ChainExtension ExtendChain(const OrderedChain& chain, PlanePoint p, ChainSide side);

// Puts the chain into the stored part of the settings.
void StoreChain(const StoredChain& chain, DialogSettings& settings);

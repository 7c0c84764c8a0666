#pragma once
// What OK does with the dialog's values as they stand, worked out without
// doing any of it: the OK action carries the plan out, and the notice pane
// shows it before OK is pressed, so both always agree.
#include <optional>
#include <string>
#include <vector>

#include "dialog/Controls.h"
#include "dialog/DialogSettings.h"
#include "dimension/Chain.h"
#include "dimension/DimensionGeometry.h"
#include "dimension/OkInputs.h"
#include "dimension/PickedChain.h"
#include "dimension/RunModes.h"
#include "dimension/ValueText.h"
#include "exchange/HostState.h"
#include "exchange/OutputWriter.h"

// What OK does depends on the run's mode (RunModes.h): continue the stored
// chain outwards to its measured point, start a new chain with its first
// dimension between two measured points, or continue the chain that the
// user range-selected or clicked in the drawing (as the stored one).

enum class OkOutcome {
  Refused,       // a value fails its check: its control gets the focus
  MissingPicks,  // a picked point the mode needs did not come: refused with a message
  NoChain,       // a picked chain: the selection holds none, or the clicked line is
                 // part of no dimension line; refused with a message
  Inside,        // the picked point lies inside the chain (a picked chain: or the
                 // continuation reaches into another dimension line): refused with a message
  ZeroLength,  // the dimension measures nothing: a continued chain is stored, nothing is drawn
  Draw,        // the chain is stored and the dimension drawn
};

struct OkPlan {
  const RunMode* Mode = &DefaultRunMode();
  OkOutcome Outcome = OkOutcome::Refused;
  Control Refused = Control::StartMark;  // Refused: the first value OK refuses
  std::vector<int> MissingPicks;         // MissingPicks: the numbers the host did not send
  std::string NoChain;                   // NoChain: what was seen, what to select or click
  // From Inside on:
  OkInputs In;
  PickedChain Picked;  // a picked chain: the chain found in the drawing
  double Scale = 1;                    // S, the current group's scale
  ChainSide Side = ChainSide::Inside;  // where the picked point lies
  // ZeroLength and Draw:
  ChainExtension Extension;  // the chain as it will be stored, the new dimension's A and B
  DimensionInput Dimension;  // in drawing units
  DimensionLineEnds Ends;
  double Length = 0;
  // Draw:
  ValueStyle Style;
  std::string ValueText;
};

// The search of the drawing for the chain of a run of `mode` whose chain
// comes from the drawing: the dimension line nearest to the value position of
// a range selection, or the one through the line the user clicked (the host
// sends the whole drawing and tags the clicked line).
ChainSearch SearchDrawnChain(const HostState& host, const RunMode& mode);
// What such a run tells when the search found no chain: what it saw, and
// what to select or click.
std::string DrawnChainRefusal(const ChainSearch& search, const RunMode& mode);

// The chain a run finds in the drawing (range-selected, or through the
// clicked line), kept from one plan to the next: the drawing cannot change
// while the dialog is open, and on a large drawing the search takes a good
// part of a second, so the notice at every change of a control and OK search
// it once a run. Empty until a plan has searched.
struct DrawnChainMemory {
  std::optional<ChainSearch> Search;
};

// `values` holds the dialog part as the controls show it and the stored part
// as loaded (a new chain ignores the stored chain). A chain from the drawing
// is searched at most once for all plans that share `memory` (none: each
// plan searches anew).
OkPlan PlanOk(const DialogSettings& values, const HostState& host,
              const RunMode& mode = DefaultRunMode(), DrawnChainMemory* memory = nullptr);

// The message for a run whose picked points did not all come: which ones, by
// their number and role in `mode`.
std::string MissingPicksMessage(const std::vector<int>& missing, const RunMode& mode);

// Emits what a plan whose outcome is Draw draws: the host's attributes, the
// extension lines, the dimension line with its value, the leader and the
// underline, the end marks, and the host's text style again.
void EmitPlannedDimension(const OkPlan& plan, const HostState& host, OutputCommands& out);

#pragma once
// The notice pane's lines: what OK would do with the dialog's values as they
// stand, worked out by the OK action's own plan and with no side effect.
#include <string>
#include <vector>

#include "dialog/DialogSettings.h"
#include "dimension/OkPlan.h"
#include "dimension/RunModes.h"
#include "exchange/HostState.h"

// `values` holds the dialog part as the controls show it and the stored
// chain as loaded. The lines (Shift-JIS), by what OK would do:
//  - draw: what it draws with the new length ("上へ延長　長さ 500", "下へ延長
//    …", for a new chain "新しい垂直寸法　長さ 500"), then the value text as
//    it would be written, in 「」 ("寸法値「500」");
//  - a zero length: what it would draw, then the message OK would give;
//  - a point inside the chain, picked points that did not come: the
//    message OK would give, a sentence a line;
//  - a refused value: which control, by its label;
//  - a chain picked in the drawing: its lines are preceded by the chain
//    found once one is found ("選択した寸法線 X=-500　Y 0～1000　長さ 1000
//    （3本中）": where it lies in the drawing, its length, and how many
//    dimension lines the selection holds); without one, the message OK
//    would give.
// A chain from the drawing is searched once for all calls that share
// `memory` (PlanOk).
std::vector<std::string> OkNoticeLines(const DialogSettings& values, const HostState& host,
                                       const RunMode& mode = DefaultRunMode(),
                                       DrawnChainMemory* memory = nullptr);

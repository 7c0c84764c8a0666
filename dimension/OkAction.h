#pragma once
// The OK action: checks the dialog values, continues the stored chain, has it
// saved and emits the new vertical dimension.
#include <functional>

#include "dialog/DialogSettings.h"
#include "dialog/UserInterface.h"
#include "dimension/OkPlan.h"
#include "dimension/RunModes.h"
#include "exchange/HostState.h"
#include "files/FileSystem.h"

// Stores the settings with the extended chain; a failure says why they could
// not be stored.
using SettingsSaver = std::function<FileStatus(const DialogSettings& settings)>;

// The body of the OK button's handler. `settings` is the dialog's record: it
// takes the window position, and the dialog part and extended chain once
// they are saved. What it draws is appended to `out`.
// A chain from the drawing is searched once for all plans that share
// `memory` (PlanOk).
void RunOkAction(UserInterface& ui, DialogSettings& settings, const HostState& host,
                 OutputCommands& out, const SettingsSaver& save, const RunMode& mode = DefaultRunMode(),
                 DrawnChainMemory* memory = nullptr);

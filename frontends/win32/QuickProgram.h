#pragma once
// The program at the quick pace: no window at all (no dialog, no task-bar
// button, no message box). The host shows what the run tells it.
#include "dimension/RunModes.h"

namespace win32 {

// Runs `mode` (one that shows no dialog) on the files beside the program and
// returns its exit code: 0 when the host has its answer, 1 when even the
// answer could not be written. A failure of the program itself is answered
// as a refusal, with the words of the failure box.
int RunQuickProgram(const RunMode& mode);

}  // namespace win32

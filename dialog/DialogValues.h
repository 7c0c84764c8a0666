#pragma once
// The dialog part of the settings and the dialog's controls: putting values
// into the controls and reading them back, row by row of the settings table.
#include "dialog/DialogSettings.h"
#include "dialog/UserInterface.h"

// Shows the dialog part (lines 3-22) in the controls. A list index past the
// list's entries (or -1) leaves the list without a selection.
void ShowDialogPart(UserInterface& ui, const DialogSettings& settings);

// Reads the dialog part from the controls as they stand now.
void ReadDialogPart(UserInterface& ui, DialogSettings& settings);

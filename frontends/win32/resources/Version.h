#pragma once
// The program's version, for the version resource and the notice pane.
#define ORVANE_VERSION_NUMBERS 1, 0, 0, 0
#define ORVANE_VERSION_TEXT "1.0.0"

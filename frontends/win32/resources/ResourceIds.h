#pragma once
// Resource numbers of the Windows program.
#define ORVANE_ICON 1

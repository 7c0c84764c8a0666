#include "exchange/OutputWriter.h"

// The one output buffer of the program; emptied by ResetHostState and
// released by FreeHostState.
OutputLines OutputBuffer;

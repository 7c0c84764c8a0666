// Compiled as a file of the dimension layer, which sees the layers below it:
// this include has to build.
#include "exchange/HostState.h"

// Compiled as a file of the dimension layer, which must not see the run
// sequence above it: this include has to fail.
#include "app/ProgramRun.h"

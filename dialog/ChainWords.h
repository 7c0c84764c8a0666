#pragma once
// The words that differ between a vertical and a horizontal chain, by
// direction (Shift-JIS).
#include <string>

#include "dialog/RunKinds.h"

struct ChainWords {
  const char* Caption;          // the dialog's caption
  const char* ChainMissing;     // a continuation finds no usable settings file
  const char* InsideChain;      // the picked point lies inside the chain
  const char* NoChainSelected;  // the selection holds no dimension line of the direction
  const char* Dimension;        // "垂直寸法": the kind of dimension, in messages
  const char* GrowsUpper;       // the notice: the chain grows past its upper (right) end
  const char* GrowsLower;       // past its lower (left) end
};
const ChainWords& WordsOf(ChainDirection direction);

// What a picked point stands for, as the launcher's prompt names it.
const char* PickRoleWord(PickRole role);

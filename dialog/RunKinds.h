#pragma once
// What the words the user reads depend on, beside the outcome of a run: the
// kind of chain (vertical dimensions, whose dimension line runs along the
// host's vertical axis, or horizontal ones, along its horizontal axis), and
// what each point the host asks for stands for.
enum class ChainDirection { Vertical, Horizontal };

enum class PickRole {
  Measured,       // a measured point (the new one, or either end of a new chain)
  DimensionLine,  // a point on the dimension line
  ValuePosition,  // where the value is written
};

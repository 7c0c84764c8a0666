#pragma once
// Reading a file block by block: each block's lines are split into tokens and
// handed, in the file's order, to a function that applies them. A large file
// is read by a second thread up to three blocks ahead of the applying, and
// both threads split the blocks read, so that splitting and applying run side
// by side; the result is the same either way.
#include <cstddef>
#include <functional>

#include "exchange/LineBlock.h"
#include "files/FileSystem.h"

struct BlockPlan {
  std::size_t PieceBytes = 256 * 1024;  // the size of the pieces read
  // Whether a file larger than one piece is read ahead in a second thread.
  bool SplitAhead = true;
};

using ApplyBlockFunction = std::function<void(const LineBlock& block)>;

// Reads the file to its end and applies every block of it in order. Done
// when the file was read to its end; why reading failed otherwise, after the
// lines before the failure were applied. An exception thrown while splitting
// or applying ends the reading and goes on to the caller, again after the
// lines before it were applied.
FileStatus ReadBlocks(FileReader& file, const ApplyBlockFunction& apply, const BlockPlan& plan);

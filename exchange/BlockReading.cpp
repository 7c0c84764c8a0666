#include "exchange/BlockReading.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>

namespace {

using Fill = LineBlock::Fill;

// A block with how its filling ended.
struct FilledBlock {
  LineBlock Block;
  Fill Outcome = Fill::More;
  std::exception_ptr Error;  // thrown while filling or splitting, after the rows split before it
};

// Starts the block with the begun line, fills it from the file and splits its
// lines. An exception is kept with the block, so that the rows split before it
// are still applied.
void FillAndSplit(FilledBlock& filled, std::string_view carried, FileReader& file, LineTokenizer& tokenizer,
                  std::size_t pieceBytes) {
  filled.Error = nullptr;
  try {
    filled.Block.Start(carried);
    filled.Outcome = filled.Block.FillFrom(file, pieceBytes);
    filled.Block.SplitLines(tokenizer, filled.Outcome == Fill::End);
  } catch (...) {
    filled.Error = std::current_exception();
  }
}

// Applies the block's rows, then throws what filling it threw. True when the
// file goes on after the block.
bool ApplyFilled(const FilledBlock& filled, ApplyBlockFunction apply) {
  apply(filled.Block);
  if (filled.Error) std::rethrow_exception(filled.Error);
  return filled.Outcome == Fill::More;
}

// The blocks that go round between the splitting thread and the applying
// one: block k of the file lies in slot k mod 3. The splitter fills block k
// once block k - 3 has been applied; the applier applies block k once it has
// been filled.
class BlockRing {
 public:
  static constexpr std::size_t kSlots = 3;

  FilledBlock& operator[](std::size_t k) { return slots_[k % kSlots]; }

  // Waits until block k may be filled; false once the applier has stopped.
  bool WaitToFill(std::size_t k) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || k < applied_ + kSlots; });
    return !stopped_;
  }
  void Filled() { Count(filled_); }

  // Waits until block k has been filled; throws what ended the splitter.
  void WaitToApply(std::size_t k) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return k < filled_ || failure_; });
    if (k >= filled_) std::rethrow_exception(failure_);
  }
  void Applied() { Count(applied_); }

  // The applier stops: the splitter takes no further block.
  void Stop() {
    const std::lock_guard lock(mutex_);
    stopped_ = true;
    changed_.notify_all();
  }
  // The splitter failed outside a block.
  void Fail(std::exception_ptr failure) {
    const std::lock_guard lock(mutex_);
    failure_ = std::move(failure);
    changed_.notify_all();
  }

  // The first block, filled before the splitter starts.
  void FilledFirst() { filled_ = 1; }

 private:
  void Count(std::size_t& counter) {
    const std::lock_guard lock(mutex_);
    ++counter;
    changed_.notify_all();
  }

  std::array<FilledBlock, kSlots> slots_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t filled_ = 0;
  std::size_t applied_ = 0;
  bool stopped_ = false;
  std::exception_ptr failure_;
};

// The splitting thread: blocks 1, 2, ... until the file ends, reading fails
// or the applier stops.
void SplitAhead(BlockRing& ring, FileReader& file, std::size_t pieceBytes) {
  try {
    LineTokenizer tokenizer;
    for (std::size_t k = 1; ring.WaitToFill(k); ++k) {
      FilledBlock& block = ring[k];
      FillAndSplit(block, ring[k - 1].Block.Rest(), file, tokenizer, pieceBytes);
      const bool more = block.Outcome == Fill::More && !block.Error;
      ring.Filled();
      if (!more) return;
    }
  } catch (...) {
    ring.Fail(std::current_exception());
  }
}

// Stops the splitter and waits for it, however the applying ends.
class SplitterGuard {
 public:
  SplitterGuard(BlockRing& ring, std::thread& thread) : ring_(ring), thread_(thread) {}
  SplitterGuard(const SplitterGuard&) = delete;
  SplitterGuard& operator=(const SplitterGuard&) = delete;
  ~SplitterGuard() {
    ring_.Stop();
    thread_.join();
  }

 private:
  BlockRing& ring_;
  std::thread& thread_;
};

// A splitting thread, or none where the machine runs one thread at a time or
// no thread can be started.
std::thread StartSplitter(BlockRing& ring, FileReader& file, std::size_t pieceBytes) {
  if (std::thread::hardware_concurrency() == 1) return {};
  try {
    return std::thread(SplitAhead, std::ref(ring), std::ref(file), pieceBytes);
  } catch (const std::system_error&) {
    return {};
  }
}

}  // namespace

bool ReadBlocks(FileReader& file, ApplyBlockFunction apply, const BlockPlan& plan) {
  // A piece of no bytes would read nothing and end the file at once.
  const std::size_t pieceBytes = std::max<std::size_t>(plan.PieceBytes, 1);
  const auto ring = std::make_unique<BlockRing>();
  LineTokenizer tokenizer;
  FilledBlock& first = (*ring)[0];
  FillAndSplit(first, {}, file, tokenizer, pieceBytes);
  ring->FilledFirst();

  if (plan.SplitAhead && first.Outcome == Fill::More && !first.Error) {
    std::thread splitter = StartSplitter(*ring, file, pieceBytes);
    if (splitter.joinable()) {
      const SplitterGuard guard(*ring, splitter);
      for (std::size_t k = 0;; ++k) {
        ring->WaitToApply(k);
        const FilledBlock& block = (*ring)[k];
        const Fill outcome = block.Outcome;
        const bool more = ApplyFilled(block, apply);
        ring->Applied();
        if (!more) return outcome == Fill::End;
      }
    }
  }

  // One block at a time in this thread.
  for (;;) {
    if (!ApplyFilled(first, apply)) return first.Outcome == Fill::End;
    FillAndSplit(first, first.Block.Rest(), file, tokenizer, pieceBytes);
  }
}

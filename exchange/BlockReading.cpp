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
  FileStatus Failure;        // Outcome Failed: why reading failed
  std::exception_ptr Error;  // thrown while filling or splitting, after the rows split before it
};

// Starts the block with the begun line and fills it from the file. An
// exception is kept with the block.
void FillBlock(FilledBlock& filled, std::string_view carried, FileReader& file, std::size_t pieceBytes) {
  filled.Error = nullptr;
  filled.Failure = FileStatus::Done();
  try {
    filled.Block.Start(carried);
    filled.Outcome = filled.Block.FillFrom(file, pieceBytes, filled.Failure);
  } catch (...) {
    filled.Error = std::current_exception();
  }
}

// Splits the lines of a filled block (none when filling it threw). An
// exception is kept with the block, so that the rows split before it are
// still applied.
void SplitBlock(FilledBlock& filled, LineTokenizer& tokenizer) {
  if (filled.Error) return;
  try {
    filled.Block.SplitLines(tokenizer, filled.Outcome == Fill::End);
  } catch (...) {
    filled.Error = std::current_exception();
  }
}

// Applies the block's rows, then throws what filling it threw. True when the
// file goes on after the block.
bool ApplyFilled(const FilledBlock& filled, const ApplyBlockFunction& apply) {
  apply(filled.Block);
  if (filled.Error) std::rethrow_exception(filled.Error);
  return filled.Outcome == Fill::More;
}

// How the reading ended with the block that came last.
FileStatus Ending(const FilledBlock& last) {
  return last.Outcome == Fill::End ? FileStatus::Done() : last.Failure;
}

// The blocks that go round between the reading thread and the applying one:
// block k of the file lies in slot k mod 3. The reader fills the blocks one
// after another, block k once block k - 3 has been applied; either thread
// then takes the first filled block that nobody splits yet and splits it, the
// reader when it may read no further, the applier while the block it is to
// apply next is not split yet. The applier applies the blocks in order.
class BlockRing {
 public:
  static constexpr std::size_t kSlots = 3;

  FilledBlock& operator[](std::size_t k) { return slots_[k % kSlots]; }

  // The first block, filled and split before the reader starts.
  void FirstSplit() {
    filled_ = 1;
    claimed_ = 1;
    split_[0] = true;
  }

  // The reading thread: fills blocks 1, 2, ... and splits what the applier
  // leaves, until the file ends, reading fails or the applier stops.
  void Read(FileReader& file, std::size_t pieceBytes) {
    try {
      LineTokenizer tokenizer;
      std::unique_lock lock(mutex_);
      for (;;) {
        changed_.wait(lock, [&] { return stopped_ || MayFill() || claimed_ < filled_ || Done(); });
        if (stopped_ || Done()) return;
        if (MayFill()) {
          const std::size_t k = filled_;
          lock.unlock();
          FilledBlock& block = (*this)[k];
          FillBlock(block, (*this)[k - 1].Block.BegunLine(), file, pieceBytes);
          const bool more = block.Outcome == Fill::More && !block.Error;
          lock.lock();
          ++filled_;
          ended_ = !more;
        } else {
          SplitNext(lock, tokenizer);
        }
        changed_.notify_all();
      }
    } catch (...) {
      const std::lock_guard lock(mutex_);
      failure_ = std::current_exception();
      changed_.notify_all();
    }
  }

  // Waits until block k is filled and split, splitting the blocks that
  // nobody splits yet meanwhile; throws what ended the reader before it
  // filled block k.
  void SplitForApplying(std::size_t k, LineTokenizer& tokenizer) {
    std::unique_lock lock(mutex_);
    for (;;) {
      if (k < filled_ && split_[k % kSlots]) return;
      if (claimed_ < filled_) {
        SplitNext(lock, tokenizer);
        changed_.notify_all();
        continue;
      }
      if (k >= filled_ && failure_) std::rethrow_exception(failure_);
      changed_.wait(lock);
    }
  }

  // Block k is applied: its slot may take block k + 3.
  void Applied(std::size_t k) {
    const std::lock_guard lock(mutex_);
    split_[k % kSlots] = false;
    ++applied_;
    changed_.notify_all();
  }

  // The applier stops: the reader takes no further block.
  void Stop() {
    const std::lock_guard lock(mutex_);
    stopped_ = true;
    changed_.notify_all();
  }

 private:
  bool MayFill() const { return !ended_ && filled_ < applied_ + kSlots; }
  // Nothing is left for the reader: the file is read and every block split
  // or being split.
  bool Done() const { return ended_ && claimed_ == filled_; }

  // Takes the first filled block that nobody splits and splits it, with the
  // lock let go meanwhile.
  void SplitNext(std::unique_lock<std::mutex>& lock, LineTokenizer& tokenizer) {
    const std::size_t k = claimed_++;
    lock.unlock();
    SplitBlock((*this)[k], tokenizer);
    lock.lock();
    split_[k % kSlots] = true;
  }

  std::array<FilledBlock, kSlots> slots_;
  std::array<bool, kSlots> split_{};  // the block in the slot is split
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t filled_ = 0;   // blocks filled
  std::size_t claimed_ = 0;  // blocks split or being split, always the first ones
  std::size_t applied_ = 0;
  bool ended_ = false;  // no block is filled after the last one
  bool stopped_ = false;
  std::exception_ptr failure_;  // what ended the reader outside a block
};

// Stops the reader and waits for it, however the applying ends.
class ReaderGuard {
 public:
  ReaderGuard(BlockRing& ring, std::thread& thread) : ring_(ring), thread_(thread) {}
  ReaderGuard(const ReaderGuard&) = delete;
  ReaderGuard& operator=(const ReaderGuard&) = delete;
  ~ReaderGuard() {
    ring_.Stop();
    thread_.join();
  }

 private:
  BlockRing& ring_;
  std::thread& thread_;
};

// A reading thread, or none where the machine runs one thread at a time or
// no thread can be started.
std::thread StartReader(BlockRing& ring, FileReader& file, std::size_t pieceBytes) {
  if (std::thread::hardware_concurrency() == 1) return {};
  try {
    return std::thread([&ring, &file, pieceBytes] { ring.Read(file, pieceBytes); });
  } catch (const std::system_error&) {
    return {};
  }
}

}  // namespace

FileStatus ReadBlocks(FileReader& file, const ApplyBlockFunction& apply, const BlockPlan& plan) {
  // A piece of no bytes would read nothing and end the file at once.
  const std::size_t pieceBytes = std::max<std::size_t>(plan.PieceBytes, 1);
  const auto ring = std::make_unique<BlockRing>();
  LineTokenizer tokenizer;
  FilledBlock& first = (*ring)[0];
  FillBlock(first, {}, file, pieceBytes);
  SplitBlock(first, tokenizer);
  ring->FirstSplit();

  if (plan.SplitAhead && first.Outcome == Fill::More && !first.Error) {
    std::thread reader = StartReader(*ring, file, pieceBytes);
    if (reader.joinable()) {
      const ReaderGuard guard(*ring, reader);
      for (std::size_t k = 0;; ++k) {
        ring->SplitForApplying(k, tokenizer);
        const FilledBlock& block = (*ring)[k];
        const bool more = ApplyFilled(block, apply);
        // Before the slot may take another block.
        FileStatus ending = more ? FileStatus::Done() : Ending(block);
        ring->Applied(k);
        if (!more) return ending;
      }
    }
  }

  // One block at a time in this thread.
  for (;;) {
    if (!ApplyFilled(first, apply)) return Ending(first);
    FillBlock(first, first.Block.BegunLine(), file, pieceBytes);
    SplitBlock(first, tokenizer);
  }
}

#include "exchange/LineBlock.h"

#include <algorithm>
#include <cstring>

void LineBlock::Start(std::string_view carried) {
  rows_.clear();
  tokensUsed_ = 0;
  if (carried.empty()) {
    size_ = 0;
  } else if (carried.data() >= bytes_.get() && carried.data() <= bytes_.get() + size_) {
    // The block's own begun line: moved to the start.
    std::memmove(bytes_.get(), carried.data(), carried.size());
    size_ = carried.size();
  } else {
    size_ = 0;
    Append(carried.data(), carried.size());
  }
  restAt_ = 0;
}

char* LineBlock::Room(std::size_t size) {
  if (capacity_ - size_ < size) {
    // Left as allocated: only the bytes read into it are written.
    const std::size_t capacity = std::max(capacity_ * 2, size_ + size);
    auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
    if (size_ != 0) std::memcpy(bytes.get(), bytes_.get(), size_);
    bytes_ = std::move(bytes);
    capacity_ = capacity;
  }
  return bytes_.get() + size_;
}

void LineBlock::Append(const char* bytes, std::size_t size) {
  if (size == 0) return;
  std::memcpy(Room(size), bytes, size);
  size_ += size;
}

LineBlock::Fill LineBlock::FillFrom(FileReader& file, std::size_t pieceBytes, FileStatus& failure) {
  // A small file takes a small block: the pieces grow from 16 KiB with the
  // bytes held up to pieceBytes.
  constexpr std::size_t kSmallestPiece = 16 * 1024;
  bool lineEnd = false;
  for (;;) {
    const std::size_t want = std::min(std::max(size_, kSmallestPiece), pieceBytes);
    char* const piece = Room(want);
    FilePiece read = file.Read(piece, want);
    if (!read.Status) {
      failure = std::move(read.Status);
      return Fill::Failed;
    }
    if (read.Count == 0) return Fill::End;
    const std::size_t got = read.Count;
    size_ += got;
    lineEnd = lineEnd || std::memchr(piece, '\n', got) != nullptr;
    // A piece that came short is read on from: mostly the file's end follows,
    // and a small file is then one block.
    if (lineEnd && got == want && size_ >= pieceBytes) return Fill::More;
  }
}

std::string_view LineBlock::BegunLine() const {
  const char* const base = bytes_.get();
  std::size_t at = size_;
  while (at != 0 && base[at - 1] != '\n') --at;
  return {base + at, size_ - at};
}

void LineBlock::SplitLine(LineTokenizer& tokenizer, char* begin, char* end, const char* readable) {
  if (end != begin && end[-1] == '\r') --end;  // the CR of a CR LF line end
  // Slots for the most tokens a line can have. Only slots that were ever
  // used or offered are written: the storage reserved beyond stays untouched.
  const std::size_t offered = tokensUsed_ + LineTokenizer::kSlots;
  if (tokens_.size() < offered) {
    tokens_.resize(offered);
    numbers_.resize(offered);
  }
  const LineTokenizer::KeptLine line = tokenizer.SplitKept(
      begin, static_cast<std::size_t>(end - begin), readable, {tokens_.data() + tokensUsed_, numbers_.data() + tokensUsed_});
  if (line.Count == 0) return;  // an empty line changes nothing
  rows_.push_back(RowHead{static_cast<std::uint32_t>(tokensUsed_), line.NumbersRead, line.Count});
  tokensUsed_ += static_cast<std::size_t>(line.Count);
}

void LineBlock::SplitLines(LineTokenizer& tokenizer, bool last) {
  char* const base = bytes_.get();
  char* p = base + restAt_;
  char* const end = base + size_;
  // Room for the rows of lines of 16 bytes and more, with four tokens each,
  // taken once rather than grown step by step.
  const std::size_t rows = static_cast<std::size_t>(end - p) / 16 + 1;
  rows_.reserve(rows_.size() + rows);
  tokens_.reserve(tokensUsed_ + 4 * rows);
  numbers_.reserve(tokensUsed_ + 4 * rows);
  // The tokenizer may look at the bytes after a line up to the block's end.
  // (A block that never held a byte has no storage: memchr must not see its
  // null pointer, even for no bytes.)
  while (p != end) {
    void* const found = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    if (found == nullptr) break;
    char* const lineEnd = static_cast<char*>(found);
    SplitLine(tokenizer, p, lineEnd, end);
    p = lineEnd + 1;
  }
  if (last && p != end) {
    // The last line may end without a line end.
    SplitLine(tokenizer, p, end, end);
    p = end;
  }
  restAt_ = static_cast<std::size_t>(p - base);
}

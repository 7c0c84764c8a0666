#pragma once
// A block of the exchange file's bytes and its whole lines, split into
// tokens. The reader fills a block with a piece of the file, splits the lines
// that end in it, applies them, and carries the begun last line over into the
// next block. The split rows stay valid as long as the block is not filled or
// started again, so a block can be split in one thread and applied in another.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "exchange/LineTokenizer.h"
#include "exchange/TokenRow.h"
#include "files/FileSystem.h"

class LineBlock {
 public:
  // How filling a block from a file ended.
  enum class Fill {
    More,    // a line end came; the file goes on
    End,     // the file ended
    Failed,  // reading failed
  };

  // Empties the block and puts `carried` (the begun line of the block
  // before, which may lie in this block's own bytes) at its start.
  void Start(std::string_view carried);

  // Appends bytes.
  void Append(const char* bytes, std::size_t size);

  // Reads pieces from the file until the block holds at least `pieceBytes`
  // and a line end, the file ends or reading fails (then `failure` says why).
  Fill FillFrom(FileReader& file, std::size_t pieceBytes, FileStatus& failure);

  // Splits every line that ends in the block (LF, or CR LF) and, when `last`,
  // the line without line end after them too; lines without tokens are left
  // out. What follows the last line end is the Rest.
  void SplitLines(LineTokenizer& tokenizer, bool last);

  std::size_t Rows() const { return rows_.size(); }
  TokenRow Row(std::size_t i) const {
    const RowHead& row = rows_[i];
    return TokenRow(tokens_.data() + row.First, numbers_.data() + row.First, row.NumbersRead, row.Count);
  }

  // The bytes after the last split line: the begun line for the next block.
  std::string_view Rest() const { return {bytes_.get() + restAt_, size_ - restAt_}; }

  // The bytes after the last line end, split or not: what Rest() is once
  // the block is split without `last`. Only read, so that the next block can
  // take them while this one is being split.
  std::string_view BegunLine() const;

 private:
  struct RowHead {
    std::uint32_t First;        // its first token in tokens_ and numbers_
    std::uint32_t NumbersRead;  // as TokenRow
    std::int32_t Count;
  };

  // Room for `size` more bytes after those held.
  char* Room(std::size_t size);
  // Splits the line into the token slots after those used, and keeps it as
  // a row when it holds a token.
  void SplitLine(LineTokenizer& tokenizer, char* begin, char* end, const char* readable);

  std::unique_ptr<char[]> bytes_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
  std::size_t restAt_ = 0;  // where the lines not split yet begin
  std::vector<RowHead> rows_;
  // The token slots, used up to tokensUsed_; the tokenizer writes into them.
  // They keep their size from block to block.
  std::vector<std::string_view> tokens_;
  std::vector<double> numbers_;
  std::size_t tokensUsed_ = 0;
};

#include "exchange/BlockReading.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A file of `lines` lines "<n> 1 2 3" served in pieces; reading throws once
// `throwAt` bytes have been served.
class CountingReader : public FileReader {
 public:
  CountingReader(int lines, std::size_t throwAt) : throwAt_(throwAt) {
    for (int i = 0; i < lines; ++i) text_ += std::to_string(i) + " 1 2 3\r\n";
  }
  FilePiece Read(char* buffer, std::size_t size) override {
    if (at_ >= throwAt_) throw std::runtime_error("the disk went away");
    const std::size_t count = std::min({size, text_.size() - at_, throwAt_ - at_});
    text_.copy(buffer, count, at_);
    at_ += count;
    return {count, FileStatus::Done()};
  }

 private:
  std::string text_;
  std::size_t throwAt_;
  std::size_t at_ = 0;
};

// What the apply function saw: the first token of every row, in order.
std::vector<int> seen;
int blocksBeforeThrow = -1;  // the apply function throws on this block

void Record(const LineBlock& block) {
  if (blocksBeforeThrow-- == 0) throw std::runtime_error("no memory left");
  for (std::size_t i = 0; i < block.Rows(); ++i) seen.push_back(static_cast<int>(block.Row(i).Number(0)));
}

std::vector<int> Upto(int n) {
  std::vector<int> numbers;
  for (int i = 0; i < n; ++i) numbers.push_back(i);
  return numbers;
}

// However the reading ends, the rows reach the apply function once each, in
// the file's order, and an exception on either side reaches the caller after
// the rows before it (and with a second thread, that thread has ended).
TEST(BlockReading, HandsEveryRowOverInOrderAndPassesFailuresOn) {
  constexpr int kLines = 40000;  // about 500 KB: two blocks of the largest pieces
  for (const bool ahead : {false, true}) {
    // Pieces of no bytes are read as pieces of one.
    seen.clear();
    blocksBeforeThrow = -1;
    CountingReader small(300, std::string::npos);
    EXPECT_TRUE(ReadBlocks(small, Record, BlockPlan{0, ahead}));
    EXPECT_EQ(seen, Upto(300));

    for (const std::size_t piece : {std::size_t{64}, std::size_t{5000}, std::size_t{256 * 1024}}) {
      SCOPED_TRACE(testing::Message() << "pieces of " << piece << (ahead ? ", split ahead" : ""));
      seen.clear();
      blocksBeforeThrow = -1;
      CountingReader whole(kLines, std::string::npos);
      EXPECT_TRUE(ReadBlocks(whole, Record, BlockPlan{piece, ahead}));
      EXPECT_EQ(seen, Upto(kLines));

      // The file fails while being read: the lines before are applied.
      seen.clear();
      CountingReader breaking(kLines, 100000);
      EXPECT_THROW(ReadBlocks(breaking, Record, BlockPlan{piece, ahead}), std::runtime_error);
      EXPECT_LE(seen.size(), 100000u / 9);
      EXPECT_EQ(seen, Upto(static_cast<int>(seen.size())));
      if (piece < 100000) {
        EXPECT_GT(seen.size(), 10000u * piece / (piece + 5000)) << "the lines before the failure";
      }

      // Applying fails on the second block: nothing after it is applied.
      seen.clear();
      blocksBeforeThrow = 1;
      CountingReader again(kLines, std::string::npos);
      EXPECT_THROW(ReadBlocks(again, Record, BlockPlan{piece, ahead}), std::runtime_error);
      EXPECT_EQ(seen, Upto(static_cast<int>(seen.size())));
      EXPECT_GT(seen.size(), 0u);
      EXPECT_LT(seen.size(), static_cast<std::size_t>(kLines));
    }
  }
}

// The next block takes a block's begun last line before the block is split
// (the two may be split side by side), so it must be what splitting leaves.
TEST(LineBlock, BegunLineIsWhatSplittingLeaves) {
  const char* const texts[] = {"", "abc", "a 1\n", "a 1\nb 2", "a 1\r\nbc", "\n\n", "x\n\ny z", "\r\n\"q\n=1"};
  for (const char* text : texts) {
    LineBlock block;
    block.Start({});
    block.Append(text, std::char_traits<char>::length(text));
    const std::string begun(block.BegunLine());
    LineTokenizer tokenizer;
    block.SplitLines(tokenizer, false);
    EXPECT_EQ(begun, std::string(block.Rest())) << '"' << text << '"';
  }
}

}  // namespace

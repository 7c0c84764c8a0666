#include "exchange/LineTokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace {

using testing_support::U8;
using testing_support::Utf8ToSjis;

std::vector<std::string> Tokens(LineTokenizer& tokenizer, std::string_view line) {
  const int count = tokenizer.Split(line);
  std::vector<std::string> tokens;
  for (int i = 0; i < count; ++i) tokens.emplace_back(tokenizer[i]);
  EXPECT_EQ(tokenizer[count], "") << "no token beyond the count";
  return tokens;
}

std::vector<std::string> Tokens(std::string_view line) {
  LineTokenizer tokenizer;
  return Tokens(tokenizer, line);
}

using V = std::vector<std::string>;

struct Case {
  const char* name;
  std::string line;
  V tokens;
};

TEST(LineTokenizer, SplitsByTheSixByteRules) {
  const std::string sjisText = Utf8ToSjis(U8(u8"寸法 値"));
  const Case cases[] = {
      {"blanks and tabs separate", "ci 0\t0  5", {"ci", "0", "0", "5"}},
      {"leading blanks open no token", "   hk 30", {"hk", "30"}},
      {"a trailing blank opens an empty token", "hp1 1 2 ", {"hp1", "1", "2", ""}},
      {"a quote hands the rest of the line to the token",
       "ch 1 2 1 0 \"a b\"c=d\"", {"ch", "1", "2", "1", "0", "a b\"c=d\""}},
      {"a tab after a quote is dropped", "ch 1 2 1 0 \"a\tb", {"ch", "1", "2", "1", "0", "ab"}},
      {"a quote inside a word joins the rest to it", "cn\"$A B", {"cn$A B"}},
      {"an equals sign stays and hands over the rest", "file=C:\\a b\\x y.jww",
       {"file=C:\\a b\\x y.jww"}},
      {"a lead byte hides a quote as its trail byte", "ab\x82\" c", {"ab\x82\"", "c"}},
      {"a lead byte hides a blank as its trail byte", "ab\xE0 c d", {"ab\xE0 c", "d"}},
      {"a lead byte hides an equals sign as its trail byte", "a\x9F=b c", {"a\x9F=b", "c"}},
      {"a lead byte hides a tab and a NUL", std::string("a\x81\tb\xFD\0c d", 9),
       {std::string("a\x81\tb\xFD\0c", 7), "d"}},
      {"a lone lead byte at the end is dropped", "ab \x82", {"ab", ""}},
      {"control bytes, 0xFE and 0xFF are dropped", std::string("h\0k\x1F\xFE\xFF 5\r", 9),
       {"hk", "5"}},
      {"half-width kana and 0x7F are kept", "\xB1\xDF\x7F", {"\xB1\xDF\x7F"}},
      {"Japanese text keeps its blank after a quote", "cs 1 2 1 0 \"" + sjisText,
       {"cs", "1", "2", "1", "0", sjisText}},
  };
  for (const Case& c : cases) EXPECT_EQ(Tokens(c.line), c.tokens) << c.name;
}

TEST(LineTokenizer, LinesWithoutTokensCountZero) {
  for (const std::string line : {"", "   ", "\t \t", "\"", "\x82", "\x01\xFE"}) {
    LineTokenizer tokenizer;
    EXPECT_EQ(tokenizer.Split(line), 0) << "[" << line << "]";
    EXPECT_EQ(tokenizer[0], "");
  }
}

TEST(LineTokenizer, KeepsThirtyTwoTokensAndIgnoresTheRest) {
  std::string line;
  for (int i = 0; i < 40; ++i) line += "w" + std::to_string(i) + " ";
  LineTokenizer tokenizer;
  ASSERT_EQ(tokenizer.Split(line), LineTokenizer::kSlots);
  EXPECT_EQ(tokenizer[0], "w0");
  EXPECT_EQ(tokenizer[31], "w31");
  EXPECT_EQ(tokenizer[32], "");

  // Exactly 32 words, with and without a trailing blank.
  std::string exact;
  for (int i = 0; i < 32; ++i) exact += (i ? " " : "") + std::to_string(i);
  EXPECT_EQ(tokenizer.Split(exact), 32);
  EXPECT_EQ(tokenizer[31], "31");
  EXPECT_EQ(tokenizer.Split(exact + "   "), 32);
  EXPECT_EQ(tokenizer[31], "31");
  // 31 words and a trailing blank: the empty 32nd token still counts.
  EXPECT_EQ(tokenizer.Split(exact.substr(0, exact.rfind(' ') + 1)), 32);
  EXPECT_EQ(tokenizer[31], "");
}

TEST(LineTokenizer, ReusedTokenizerForgetsTheLongerLineBefore) {
  LineTokenizer tokenizer;
  const std::string longLine = "ch 1 2 3 4 \"" + std::string(100000, 'x');
  EXPECT_EQ(Tokens(tokenizer, longLine)[5].size(), 100000u);
  EXPECT_EQ(Tokens(tokenizer, "ci 7 8"), (V{"ci", "7", "8"}));
  EXPECT_EQ(tokenizer[3], "");
}

}  // namespace

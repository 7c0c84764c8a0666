#include "exchange/LineTokenizer.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "helpers/NumberParse.h"
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
  // (The tokens lie in the line, so each line is kept while they are looked at.)
  const std::string trailing = exact + "   ";
  EXPECT_EQ(tokenizer.Split(trailing), 32);
  EXPECT_EQ(tokenizer[31], "31");
  // 31 words and a trailing blank: the empty 32nd token still counts.
  const std::string thirtyOne = exact.substr(0, exact.rfind(' ') + 1);
  EXPECT_EQ(tokenizer.Split(thirtyOne), 32);
  EXPECT_EQ(tokenizer[31], "");
}

TEST(LineTokenizer, ReusedTokenizerForgetsTheLongerLineBefore) {
  LineTokenizer tokenizer;
  const std::string longLine = "ch 1 2 3 4 \"" + std::string(100000, 'x');
  EXPECT_EQ(Tokens(tokenizer, longLine)[5].size(), 100000u);
  EXPECT_EQ(Tokens(tokenizer, "ci 7 8"), (V{"ci", "7", "8"}));
  EXPECT_EQ(tokenizer[3], "");
}


// Every token's number is what the digit-by-digit reading makes of the token,
// bit for bit, whether the tokenizer read it with the digits or not, and
// whatever bytes lie after the line (they are never taken into a token).
void ExpectNumbersOfTokens(LineTokenizer& tokenizer, const std::string& line, const std::string& after) {
  const std::string buffer = line + after;
  const int count = tokenizer.Split(std::string_view(buffer.data(), line.size()), buffer.data() + buffer.size());
  LineTokenizer plain;
  ASSERT_EQ(count, plain.Split(line)) << '"' << line << '"';
  for (int i = 0; i <= count; ++i) {
    ASSERT_EQ(tokenizer[i], plain[i]) << '"' << line << "\" token " << i;
    const double expected = StrToFloatOrZeroByDigits(tokenizer[i]);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(tokenizer.Number(i)), std::bit_cast<std::uint64_t>(expected))
        << '"' << line << "\" token " << i << " \"" << tokenizer[i] << '"';
  }
}

TEST(LineTokenizer, NumbersOfTokensAreTheirDigitByDigitReading) {
  LineTokenizer tokenizer;
  const char* lines[] = {
      "-1234.56789012345 3937.9272688967 188.051031480556 6118.36003980561",
      "ci 0 0 5", "803 -950 -601.558766933521 -9728.41477946574", "12abc 1e5 - + . -. 1.2.3 +5 1,5",
      "12\"x 5", "7=8 9", "1e 1e+ 1e-3 1E400 .5e-1 5. 0.000123456789012345 12345678901234567890",
      "-0 -0.0 0.0000000 99999999.5 9999999.25 1234567.1234567890123", "5\t6\t\t7 ", "hp1 1 2 ",
      "a\x82 1 2", "1 2 3 \x82", "cs 1 2 1 0 \"12 34", "4\x01" "2 3", "  -7.5  8.25e2  ",
  };
  for (const char* line : lines) {
    for (const char* after : {"", "\r\n", "\n1234567890123456789012345", "9", "5.5 7 7 7 7 7 7 7 7 7 7 7 7"}) {
      ExpectNumbersOfTokens(tokenizer, line, after);
    }
  }
  // Random lines of number-like words, keywords and separators.
  std::mt19937 random(99);
  const char* pieces[] = {"-", "+", ".", "e", "E", "0", "1", "5", "9", "12", "3.25", "x", "ci", "\"", "=", " ",
                          " ", " ", "\t", "\x82\xA0", "\x82", "\r"};
  for (int n = 0; n < 20000; ++n) {
    std::string line;
    const int length = 1 + static_cast<int>(random() % 30);
    for (int i = 0; i < length; ++i) line += pieces[random() % std::size(pieces)];
    const std::string after = random() % 2 ? "\r\n" : std::string(30, static_cast<char>('0' + random() % 10));
    ExpectNumbersOfTokens(tokenizer, line, after);
  }
}

TEST(LineTokenizer, TokensLieInTheLineUnlessBytesAreDropped) {
  LineTokenizer tokenizer;
  const std::string plain = "ci 12.5 -3 \"a b";
  ASSERT_EQ(tokenizer.Split(plain), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_GE(tokenizer[i].data(), plain.data()) << i;
    EXPECT_LE(tokenizer[i].data() + tokenizer[i].size(), plain.data() + plain.size()) << i;
  }
  // A dropped byte inside a word joins its two sides, which needs a copy.
  const std::string dropped = std::string("c\x01i 12.5", 8);
  ASSERT_EQ(tokenizer.Split(dropped), 2);
  EXPECT_EQ(tokenizer[0], "ci");
  EXPECT_EQ(tokenizer.Number(1), 12.5);
}

// A line split into slots of its own keeps every token in its own bytes, the
// rebuilt ones too, and they outlive the tokenizer's next splits.
TEST(LineTokenizer, KeptLineHoldsItsTokensInItsOwnBytes) {
  const std::string lines[] = {
      "ci 12.5 -3 \"a b",
      std::string("c\x01i 12.5 7", 10),       // a dropped byte joins "ci"
      "cn\"$" + Utf8ToSjis(U8(u8"ＭＳ ゴシック")),  // a quote inside a word
      std::string("\x01\x02", 2),              // nothing but dropped bytes
      "a b ",
  };
  LineTokenizer tokenizer;
  for (const std::string& text : lines) {
    LineTokenizer reference;
    const int count = reference.Split(text);
    std::vector<std::string> expected;
    for (int i = 0; i < count; ++i) expected.emplace_back(reference[i]);

    std::string line = text;
    std::string_view tokens[LineTokenizer::kSlots];
    double numbers[LineTokenizer::kSlots];
    const LineTokenizer::KeptLine kept =
        tokenizer.SplitKept(line.data(), line.size(), line.data() + line.size(), {tokens, numbers});
    EXPECT_EQ(tokenizer.Count(), 0) << "the tokens are the caller's";
    tokenizer.Split("hk 99 x y z");  // the tokenizer goes on to another line
    ASSERT_EQ(kept.Count, count) << text;
    const TokenRow row(tokens, numbers, kept.NumbersRead, kept.Count);
    for (int i = 0; i < count; ++i) {
      EXPECT_EQ(row[i], expected[static_cast<std::size_t>(i)]) << text << " token " << i;
      EXPECT_TRUE(row[i].empty() || (row[i].data() >= line.data() &&
                                     row[i].data() + row[i].size() <= line.data() + line.size()))
          << text << " token " << i << " lies outside the line";
      EXPECT_EQ(std::bit_cast<std::uint64_t>(row.Number(i)), std::bit_cast<std::uint64_t>(reference.Number(i)))
          << text << " token " << i;
    }
  }
}

}  // namespace

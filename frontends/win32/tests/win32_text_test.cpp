// Shift-JIS and the wide text of Windows: conversion with code page 932
// whatever the locale, and the byte arithmetic of the typing limits.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ByteLimitedEdit.h"
#include "CodePage932.h"
#include "dialog/DialogModel.h"
#include "support/TestSupport.h"

using testing_support::SjisToUtf8;
using testing_support::Utf8ToSjis;
using win32::FirstLine;
using win32::FittingStart;
using win32::SjisToWide;
using win32::WideToSjis;

namespace {

TEST(CodePage932, ConvertsWhateverTheAnsiCodePage) {
  // The tests run where the ANSI code page is not 932: the conversion must
  // not lean on it.
  ASSERT_NE(GetACP(), 932u);
  const struct {
    const char8_t* Utf8;
    const wchar_t* Wide;
  } cases[] = {
      {u8"線矢印", L"線矢印"},
      {u8"～", L"\uFF5E"},  // wave dash as Windows maps it
      {u8"－", L"\uFF0D"},
      {u8"￥", L"\uFFE5"},
      {u8"ｱｲｳ", L"\uFF71\uFF72\uFF73"},  // half-width katakana, one byte each
      {u8"°", L"\u00B0"},
      {u8"", L""},
  };
  for (const auto& c : cases) {
    const std::string sjis = Utf8ToSjis(testing_support::U8(c.Utf8));
    EXPECT_EQ(SjisToWide(sjis), c.Wide) << testing_support::U8(c.Utf8);
    EXPECT_EQ(WideToSjis(c.Wide), sjis) << testing_support::U8(c.Utf8);
  }
  // Every end mark and memo line makes the round trip unchanged.
  for (const std::string& mark : EndMarkEntries()) EXPECT_EQ(WideToSjis(SjisToWide(mark)), mark);
  for (const std::string& line : HelpMemoLines()) EXPECT_EQ(WideToSjis(SjisToWide(line)), line);
  // Characters that code page 932 lacks become a look-alike, else "?".
  EXPECT_EQ(WideToSjis(L"\u00e9\ud55c"), "e?");
  EXPECT_EQ(SjisToUtf8(WideToSjis(L"Ω")), testing_support::U8(u8"Ω"));
}

TEST(TypingLimit, KeepsTheStartThatFits) {
  const struct {
    const wchar_t* Text;
    std::size_t SelStart, SelEnd;
    const wchar_t* Insert;
    std::size_t Limit;
    const wchar_t* Expected;
  } cases[] = {
      {L"", 0, 0, L"abc", 8, L"abc"},
      {L"1234567", 7, 7, L"89", 8, L"8"},
      {L"1234567", 7, 7, L"寸", 8, L""},          // one byte left, two needed
      {L"123456", 6, 6, L"寸", 8, L"寸"},
      {L"12345678", 0, 8, L"寸法値です", 8, L"寸法値で"},  // the selection is replaced
      {L"12345678", 8, 0, L"x", 8, L"x"},        // a selection given backwards
      {L"1234567890", 10, 10, L"1", 8, L""},     // already over the limit
      {L"1234567890", 0, 3, L"a", 8, L"a"},      // the selection made room
      {L"1234567890", 0, 1, L"a", 8, L""},       // still over the limit after it
  };
  for (const auto& c : cases) {
    EXPECT_EQ(std::wstring(FittingStart(c.Text, c.SelStart, c.SelEnd, c.Insert, c.Limit)),
              c.Expected)
        << "limit " << c.Limit << " start " << c.SelStart << " end " << c.SelEnd;
  }
}

TEST(TypingLimit, NeverSplitsASurrogatePair) {
  // A character beyond the basic plane is one character in two halves. Code
  // page 932 has none: it is refused whole, never half of it kept, whatever
  // room there is.
  const std::wstring emoji = L"\U0001F600";
  for (std::size_t limit : {1u, 2u, 3u, 32u}) {
    EXPECT_EQ(std::wstring(FittingStart(L"", 0, 0, emoji + L"z", limit)), L"") << limit;
    EXPECT_EQ(std::wstring(FittingStart(L"", 0, 0, L"a" + emoji, limit)), L"a") << limit;
  }
  // A lone half (the first of two typed messages) is refused too.
  EXPECT_EQ(std::wstring(FittingStart(L"", 0, 0, emoji.substr(0, 1), 32)), L"");
  EXPECT_EQ(std::wstring(FittingStart(L"", 0, 0, emoji.substr(1, 1), 32)), L"");
}

TEST(TypingLimit, TakesOnlyWhatShiftJisHolds) {
  // A character that code page 932 lacks would be stored and drawn as "?" or
  // as a look-alike: the text stops before it.
  const struct {
    const wchar_t* Insert;
    const wchar_t* Expected;
  } cases[] = {
      {L"100\u20ac", L"100"},                // euro sign
      {L"\u5bf8\u20ac\u6cd5", L"\u5bf8"},      // the rest after it is not taken either
      {L"caf\u00e9", L"caf"},                // best fit would make it "e"
      {L"\u00a5500", L""},                   // yen sign: best fit would make it "\\"
      {L"a\u301c", L"a"},                    // wave dash: best fit gives U+FF5E
      {L"\ud55c", L""},                      // Hangul
      {L"\uff5e\uffe5\u00b0\u2460\u00a7", L"\uff5e\uffe5\u00b0\u2460\u00a7"},  // all in code page 932
      {L"\uff71\uff72?\\~", L"\uff71\uff72?\\~"},  // half-width katakana, "?" itself, backslash
  };
  for (const auto& c : cases) {
    EXPECT_EQ(std::wstring(FittingStart(L"", 0, 0, c.Insert, 32)), c.Expected)
        << "insert " << SjisToUtf8(WideToSjis(c.Insert));
  }
  // What is taken is exactly what comes back from Shift-JIS.
  for (const auto& c : cases) {
    const std::wstring taken(FittingStart(L"", 0, 0, c.Insert, 32));
    EXPECT_EQ(SjisToWide(WideToSjis(taken)), taken);
  }
}

TEST(TypingLimit, PasteTakesTheFirstLine) {
  EXPECT_EQ(FirstLine(L"one\r\ntwo"), L"one");
  EXPECT_EQ(FirstLine(L"one\ntwo"), L"one");
  EXPECT_EQ(FirstLine(L"single"), L"single");
  EXPECT_EQ(FirstLine(L""), L"");
}

}  // namespace

// Shift-JIS text helpers: character boundaries, blank stripping, byte windows,
// drawn widths and the full-width conversion of value texts.
#include <gtest/gtest.h>
#include <unicode/unorm2.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "helpers/Sjis.h"
#include "support/TestSupport.h"

using testing_support::SjisToUtf8;
using testing_support::U8;
using testing_support::Utf8ToSjis;

namespace {

std::string Sjis(const char8_t* utf8) { return Utf8ToSjis(U8(utf8)); }

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(static_cast<char>(b));
  return s;
}

std::string EncodeUtf8(char32_t cp) {
  std::string s;
  if (cp < 0x80) {
    s.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    s.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    s.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    s.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    s.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    s.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
  return s;
}

// The code page 932 bytes of a BMP code point as the system's converter gives
// them, or nothing when code page 932 lacks the character.
std::optional<std::string> SystemCp932(char32_t cp) {
  try {
    std::string out = Utf8ToSjis(EncodeUtf8(cp));
    if (out.empty()) return std::nullopt;
    return out;
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
}

// The single BMP code point that the system's converter reads from `sjis`.
std::optional<char32_t> SystemCodePoint(const std::string& sjis) {
  std::string utf8;
  try {
    utf8 = SjisToUtf8(sjis);
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
  const auto u = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
  if (utf8.size() == 1) return u(0);
  if (utf8.size() == 2) return (u(0) & 0x1F) << 6 | (u(1) & 0x3F);
  if (utf8.size() == 3) return (u(0) & 0x0F) << 12 | (u(1) & 0x3F) << 6 | (u(2) & 0x3F);
  return std::nullopt;
}

// The compatibility-composed (NFKC) form of BMP code points, by ICU.
std::u16string Nfkc(std::u16string text) {
  UErrorCode status = U_ZERO_ERROR;
  const UNormalizer2* nfkc = unorm2_getNFKCInstance(&status);
  std::u16string out(16, u'\0');
  const int32_t n = unorm2_normalize(nfkc, text.data(), static_cast<int32_t>(text.size()),
                                     out.data(), static_cast<int32_t>(out.size()), &status);
  if (U_FAILURE(status)) throw std::runtime_error("NFKC failed");
  out.resize(static_cast<std::size_t>(n));
  return out;
}

// The full-width text that the system expects for one half-width katakana
// character: its compatibility form, except that a lone voiced or semi-voiced
// mark becomes the spacing full-width mark (the combining one has no code page
// 932 form).
std::string FullWidthKanaBySystem(char32_t halfWidth) {
  if (halfWidth == 0xFF9E) return SystemCp932(0x309B).value();
  if (halfWidth == 0xFF9F) return SystemCp932(0x309C).value();
  std::u16string n = Nfkc(std::u16string(1, static_cast<char16_t>(halfWidth)));
  EXPECT_EQ(n.size(), 1u);
  return SystemCp932(n[0]).value();
}

}  // namespace

TEST(IsLeadByte, RangesIncludeTheBytes0x80And0xFD) {
  struct Case { int byte; bool lead; };
  for (Case c : {Case{0x00, false}, {0x40, false}, {0x7F, false}, {0x80, true}, {0x81, true},
                 {0x9F, true}, {0xA0, false}, {0xA1, false}, {0xDF, false}, {0xE0, true},
                 {0xFC, true}, {0xFD, true}, {0xFE, false}, {0xFF, false}}) {
    EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(c.byte)), c.lead) << std::hex << c.byte;
  }
}

TEST(StripBlanks, DropsSpacesOfBothWidthsAndControlBytesOnly) {
  struct Case { std::string in, out; };
  const std::vector<Case> cases = {
      {"", ""},
      {" X" + Sjis(u8"　") + "Y\tZ", "XYZ"},
      {" " + Sjis(u8"　　") + "\t\r\n ", ""},
      {Sjis(u8"Ａ　Ｂ"), Sjis(u8"ＡＢ")},
      // a double-byte character with trail byte 0x40 other than the space
      {Bytes({0x82, 0x40, 0x20}), Bytes({0x82, 0x40})},
      // the trail byte 0x20 of a pair is not a half-width space
      {Bytes({0x83, 0x20}), Bytes({0x83, 0x20})},
      // 0x7F, half-width katakana, 0xFE and 0xFF stay
      {Bytes({0x7F, 0xA1, 0xDF, 0xFE, 0xFF, 0x1F}), Bytes({0x7F, 0xA1, 0xDF, 0xFE, 0xFF})},
      // a cut character at the end stays
      {Bytes({0x41, 0x20, 0x82}), Bytes({0x41, 0x82})},
  };
  for (const Case& c : cases) EXPECT_EQ(StripBlanks(c.in), c.out) << SjisToUtf8(c.out);
}

TEST(SjisCopy, TakesOnlyCharactersWhollyInsideTheWindow) {
  const std::string kana = Sjis(u8"アイウ");  // six bytes
  struct Case { std::string text; int start, count; std::string out; };
  const std::vector<Case> cases = {
      {"ABC", 2, 5, "BC"},
      {"ABC", 1, 3, "ABC"},
      {"ABC", 3, 1, "C"},
      {kana, 1, 3, Sjis(u8"ア")},
      {kana, 2, 2, ""},   // starts on a trail byte, the next character straddles
      {kana, 2, 3, Sjis(u8"イ")},
      {kana, 3, 100, Sjis(u8"イウ")},
      {"A" + kana, 2, 4, Sjis(u8"アイ")},
      {kana, 0, 3, ""},
      {kana, 1, 0, ""},
      {kana, 1, -4, ""},
      {kana, 7, 1, ""},
      {"", 1, 1, ""},
      {Bytes({0x41, 0x82}), 1, 3, Bytes({0x41, 0x82})},  // cut character at the end
      {Bytes({0x41, 0x82}), 1, 2, "A"},
  };
  for (const Case& c : cases) {
    SjisCopyResult r = SjisCopy(c.text, c.start, c.count);
    EXPECT_EQ(r.Text, c.out) << c.start << "," << c.count;
    EXPECT_EQ(r.Taken, static_cast<int>(c.out.size())) << c.start << "," << c.count;
  }
}

TEST(SjisTextWidth, SumsCharacterWidthsAndTheSpacingBetweenThem) {
  struct Case { std::string text; double width, spacing, expected; };
  const std::vector<Case> cases = {
      {"", 3, 1, 0},
      {"a", 3, 1, 1.5},
      {Sjis(u8"ア"), 3, 1, 3},
      {"ab", 3, 1, 3.5},
      {Sjis(u8"アイ"), 3, 1, 7},
      {"a" + Sjis(u8"ア"), 3, 1, 5},
      {Sjis(u8"ア") + "a", 3, 1, 5.5},
      {"a\tb", 3, 1, 4},  // the tab has no width but half a spacing follows it
      {"\t", 3, 1, 0},
      {Bytes({0x41, 0x82}), 3, 1, 5},  // a cut character counts full width
      {"1,234.5", 2.5, 0.5, 10.25},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(SjisTextWidth(c.text, c.width, c.spacing), c.expected) << SjisToUtf8(c.text);
  }
  // Each further full-width character adds exactly width + spacing.
  std::string text = Sjis(u8"寸");
  double previous = SjisTextWidth(text, 2.5, 0.75);
  for (int i = 0; i < 10; ++i) {
    text += Sjis(u8"法");
    const double w = SjisTextWidth(text, 2.5, 0.75);
    EXPECT_DOUBLE_EQ(w - previous, 3.25);
    previous = w;
  }
}

TEST(ToFullWidth, ConvertsValueTextsAndKana) {
  struct Case { const char8_t* in; const char8_t* out; };
  for (Case c : {Case{u8"1,234.5", u8"１，２３４．５"}, {u8"-0.5", u8"－０．５"},
                 {u8"L=1,200mm", u8"Ｌ＝１，２００ｍｍ"}, {u8"a b", u8"ａ　ｂ"},
                 {u8"ｶﾞｷﾞﾊﾟﾎﾟｳﾞ", u8"ガギパポヴ"},
                 {u8"ｾﾝﾀｰ", u8"センター"},
                 {u8"ﾜﾞｱﾟﾞ", u8"ワ゛ア゜゛"},  // no combined character exists
                 {u8"ｶﾞﾞ", u8"ガ゛"},
                 {u8"ひらがな・ゞ", u8"ヒラガナ・ヾ"},
                 {u8"寸法１２ＡＢ〒", u8"寸法１２ＡＢ〒"},
                 {u8"", u8""}}) {
    EXPECT_EQ(SjisToUtf8(ToFullWidth(Sjis(c.in))), U8(c.out)) << SjisToUtf8(Sjis(c.in));
  }
  // Bytes without a full-width form, a cut character among them, stay.
  EXPECT_EQ(ToFullWidth(Bytes({0x09, 0x7F, 0xA0, 0xFE, 0xFF, 0x82})),
            Bytes({0x09, 0x7F, 0xA0, 0xFE, 0xFF, 0x82}));
}

TEST(ToFullWidth, ConvertsLongTextsPieceByPiece) {
  // 300 half-width characters: three pieces, all converted.
  std::string in, out;
  for (int i = 0; i < 300; ++i) {
    in += static_cast<char>('0' + i % 10);
    out += U8(u8"０１２３４５６７８９").substr(static_cast<std::size_t>(i % 10) * 3, 3);
  }
  EXPECT_EQ(SjisToUtf8(ToFullWidth(in)), out);

  std::string fullA;
  for (int i = 0; i < 125; ++i) fullA += U8(u8"ａ");
  // A double-byte character is never split by a piece boundary (byte 126).
  EXPECT_EQ(SjisToUtf8(ToFullWidth(std::string(125, 'a') + Sjis(u8"あ"))), fullA + U8(u8"ア"));
  // A sound mark that starts the next piece is not combined with the kana
  // that ends the previous one; inside one piece it is.
  EXPECT_EQ(SjisToUtf8(ToFullWidth(std::string(125, 'a') + Sjis(u8"ｶﾞ"))), fullA + U8(u8"カ゛"));
  EXPECT_EQ(SjisToUtf8(ToFullWidth(std::string(124, 'a') + Sjis(u8"ｶﾞ"))),
            fullA.substr(3) + U8(u8"ガ"));
}

TEST(ToFullWidth, SingleByteCharactersAgreeWithTheSystemConverter) {
  for (int b = 0; b < 256; ++b) {
    if (IsLeadByte(static_cast<unsigned char>(b))) continue;
    const std::string in(1, static_cast<char>(b));
    std::string expected = in;
    if (b == 0x20) {
      expected = SystemCp932(0x3000).value();
    } else if (b > 0x20 && b < 0x7F) {
      expected = SystemCp932(0xFF01 + static_cast<char32_t>(b - 0x21)).value();
    } else if (b >= 0xA1 && b <= 0xDF) {
      const std::optional<char32_t> cp = SystemCodePoint(in);
      ASSERT_TRUE(cp.has_value()) << b;
      expected = FullWidthKanaBySystem(*cp);
    }
    EXPECT_EQ(ToFullWidth(in), expected) << "byte 0x" << std::hex << b;
  }
}

TEST(ToFullWidth, SoundMarksCombineExactlyWhereCodePage932HasTheCharacter) {
  int combined = 0;
  for (int kana = 0xA1; kana <= 0xDF; ++kana) {
    for (int mark : {0xDE, 0xDF}) {
      const std::string in = Bytes({kana, mark});
      const char32_t kanaCp = SystemCodePoint(in.substr(0, 1)).value();
      const char32_t markCp = SystemCodePoint(in.substr(1, 1)).value();
      const std::u16string n =
          Nfkc({static_cast<char16_t>(kanaCp), static_cast<char16_t>(markCp)});
      std::optional<std::string> one;
      if (n.size() == 1) one = SystemCp932(n[0]);
      std::string expected;
      if (one) {
        expected = *one;
        ++combined;
      } else {
        expected = FullWidthKanaBySystem(kanaCp) + FullWidthKanaBySystem(markCp);
      }
      EXPECT_EQ(ToFullWidth(in), expected) << std::hex << kana << " " << mark;
    }
  }
  // vu, the twenty voiced kana of the ka to to and ha rows, five semi-voiced.
  EXPECT_EQ(combined, 26);
}

TEST(ToFullWidth, DoubleByteCharactersChangeOnlyWhenHiragana) {
  int hiragana = 0, checked = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const std::string in = Bytes({lead, trail});
      const std::optional<char32_t> cp = SystemCodePoint(in);
      if (!cp) continue;
      ++checked;
      std::string expected = in;
      const bool isHiragana = (*cp >= 0x3041 && *cp <= 0x3096) || *cp == 0x309D || *cp == 0x309E;
      if (isHiragana) {
        ++hiragana;
        expected = SystemCp932(*cp + 0x60).value();  // the katakana block lies 0x60 above
      }
      ASSERT_EQ(ToFullWidth(in), expected) << std::hex << lead << " " << trail;
    }
  }
  EXPECT_EQ(hiragana, 85);
  EXPECT_GT(checked, 7000);
}

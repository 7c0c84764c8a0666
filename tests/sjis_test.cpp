// Shift-JIS text helpers: character boundaries, blank stripping, byte windows,
// drawn widths and the full-width conversion of value texts.
#include <gtest/gtest.h>
#include <iconv.h>
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

// A conversion by the system's iconv; nothing when it fails.
std::optional<std::string> Iconv(const std::string& text, const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  std::string in = text, out(16, '\0');
  char* inPtr = in.data();
  char* outPtr = out.data();
  std::size_t inLeft = in.size(), outLeft = out.size();
  const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(cd);
  if (!ok || inLeft != 0) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

// The code page 932 bytes of a BMP character, by the system's converter.
std::optional<std::string> SystemCp932(char32_t cp) {
  const char le[2] = {static_cast<char>(cp & 0xFF), static_cast<char>(cp >> 8)};
  return Iconv(std::string(le, 2), "CP932", "UTF-16LE");
}

// The one BMP character that the system's converter reads from `sjis`.
std::optional<char32_t> SystemCodePoint(const std::string& sjis) {
  std::optional<std::string> le = Iconv(sjis, "UTF-16LE", "CP932");
  if (!le || le->size() != 2) return std::nullopt;
  return static_cast<unsigned char>((*le)[0]) | static_cast<unsigned char>((*le)[1]) << 8;
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

TEST(StripBlanks, DropsSpacesOfBothWidthsAndControlBytesOnly) {
  struct Case { std::string in, out; };
  const std::vector<Case> cases = {
      {"", ""}, {" X" + Sjis(u8"　") + "Y\tZ", "XYZ"}, {" " + Sjis(u8"　　") + "\t\r\n ", ""},
      {Sjis(u8"Ａ　Ｂ"), Sjis(u8"ＡＢ")},
      // pairs whose trail byte is 0x40 or 0x20 are not spaces
      {Bytes({0x82, 0x40, 0x20, 0x83, 0x20}), Bytes({0x82, 0x40, 0x83, 0x20})},
      // 0x7F, half-width katakana, 0xFE, 0xFF and a cut character at the end stay
      {Bytes({0x7F, 0xA1, 0xDF, 0xFE, 0xFF, 0x1F, 0x82}), Bytes({0x7F, 0xA1, 0xDF, 0xFE, 0xFF, 0x82})},
  };
  for (const Case& c : cases) EXPECT_EQ(StripBlanks(c.in), c.out) << SjisToUtf8(c.out);
}

TEST(SjisCopy, TakesOnlyCharactersWhollyInsideTheWindow) {
  const std::string kana = Sjis(u8"アイウ");  // six bytes
  struct Case { std::string text; int start, count; std::string out; };
  const std::vector<Case> cases = {
      {"ABC", 2, 5, "BC"}, {"ABC", 3, 1, "C"}, {kana, 1, 3, Sjis(u8"ア")},
      {kana, 2, 2, ""},  // starts on a trail byte, the next character straddles
      {kana, 2, 3, Sjis(u8"イ")}, {kana, 3, 100, Sjis(u8"イウ")}, {"A" + kana, 2, 4, Sjis(u8"アイ")},
      {kana, 0, 3, ""}, {kana, 1, 0, ""}, {kana, 1, -4, ""}, {kana, 7, 1, ""}, {"", 1, 1, ""},
      {Bytes({0x41, 0x82}), 1, 3, Bytes({0x41, 0x82})},  // a cut character at the end
      {Bytes({0x41, 0x82}), 1, 2, "A"},
  };
  for (const Case& c : cases) {
    SjisCopyResult r = SjisCopy(c.text, c.start, c.count);
    EXPECT_EQ(r.Text, c.out) << c.start << "," << c.count;
    EXPECT_EQ(r.Taken, static_cast<int>(c.out.size())) << c.start << "," << c.count;
  }
}

TEST(SjisTextWidth, SumsCharacterWidthsAndTheSpacingBetweenThem) {
  struct Case { std::string text; double expected; };  // width 3, spacing 1
  const std::vector<Case> cases = {
      {"", 0}, {"a", 1.5}, {Sjis(u8"ア"), 3}, {"ab", 3.5}, {Sjis(u8"アイ"), 7},
      {"a" + Sjis(u8"ア"), 5}, {Sjis(u8"ア") + "a", 5.5},
      {"a\tb", 4},  // the tab has no width but half a spacing follows it
      {Bytes({0x41, 0x82}), 5},  // a cut character counts full width
      // lead bytes are 0x80-0x9F and 0xE0-0xFD: each pair below is one character
      {Bytes({0x80, 0x41}), 3}, {Bytes({0x9F, 0x41}), 3}, {Bytes({0xE0, 0x41}), 3},
      {Bytes({0xFD, 0x41}), 3}, {Bytes({0x7F, 0x41}), 3.5}, {Bytes({0xA0, 0x41}), 3.5},
      {Bytes({0xDF, 0x41}), 3.5}, {Bytes({0xFE, 0x41}), 3.5},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(SjisTextWidth(c.text, 3, 1), c.expected) << SjisToUtf8(c.text);
  // Each further full-width character adds exactly width + spacing.
  std::string text = Sjis(u8"寸");
  for (int i = 0; i < 10; ++i) {
    const double before = SjisTextWidth(text, 2.5, 0.75);
    text += Sjis(u8"法");
    EXPECT_DOUBLE_EQ(SjisTextWidth(text, 2.5, 0.75) - before, 3.25);
  }
}

TEST(ToFullWidth, ConvertsValueTextsAndKana) {
  struct Case { const char8_t* in; const char8_t* out; };
  for (Case c : {Case{u8"1,234.5", u8"１，２３４．５"}, {u8"-0.5", u8"－０．５"},
                 {u8"L=1,200mm", u8"Ｌ＝１，２００ｍｍ"}, {u8"a b", u8"ａ　ｂ"},
                 {u8"ｶﾞｷﾞﾊﾟﾎﾟｳﾞｾﾝﾀｰ", u8"ガギパポヴセンター"},
                 {u8"ﾜﾞｱﾟﾞｶﾞﾞ", u8"ワ゛ア゜゛ガ゛"},  // no combined character exists
                 {u8"ひらがな・ゞ", u8"ヒラガナ・ヾ"}, {u8"寸法１２ＡＢ〒", u8"寸法１２ＡＢ〒"}}) {
    EXPECT_EQ(SjisToUtf8(ToFullWidth(Sjis(c.in))), U8(c.out)) << SjisToUtf8(Sjis(c.in));
  }
  // Bytes without a full-width form, a cut character among them, stay.
  const std::string other = Bytes({0x09, 0x7F, 0xA0, 0xFE, 0xFF, 0x82});
  EXPECT_EQ(ToFullWidth(other), other);
}

TEST(ToFullWidth, ConvertsLongTextsPieceByPiece) {
  std::string in, out;  // 300 half-width characters: three pieces
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

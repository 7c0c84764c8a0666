// The command lines that the emitters put into the output buffer: exact
// forms, numbers in the general form, and the dedup and pending rules.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "exchange/ExchangeReader.h"
#include "exchange/HostState.h"
#include "exchange/OutputWriter.h"
#include "support/TestSupport.h"

using testing_support::ReadFileBytes;
using testing_support::ScratchDir;
using testing_support::SjisToUtf8;
using testing_support::U8;
using testing_support::Utf8ToSjis;
using Lines = std::vector<std::string>;

namespace {

class EmitterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetHostState(host);
    ResetOutputAttributes(out, host.Initial);
  }

  // The buffered lines since the last call, which empties the buffer.
  Lines Take() {
    Lines lines;
    for (std::size_t i = 0; i < out.Lines.Count(); ++i) lines.push_back(out.Lines[i]);
    out.Lines.Release();
    return lines;
  }

  HostState host;
  OutputCommands out;
};

std::string Sjis(const char8_t* utf8) { return Utf8ToSjis(U8(utf8)); }

}  // namespace

TEST_F(EmitterTest, RealsAreWrittenInTheGeneralNumberForm) {
  struct Case { double v; const char* text; };
  const Case cases[] = {
      {100, "100"}, {-12.25, "-12.25"}, {0.0001, "0.0001"}, {0.00001, "1E-5"},
      {-0.00001, "-1E-5"}, {1.0 / 3.0, "0.333333333333333"}, {2.0 / 3.0, "0.666666666666667"},
      {0.1 + 0.2, "0.3"}, {1e15, "1E15"}, {123456789012345678.0, "1.23456789012346E17"},
      {999999999999999.5, "1E15"},  // rounds up to the next power of ten
      {999999999999999.4, "999999999999999"}, {99999999999999.98, "100000000000000"},
      {9.999999999999999e-05, "0.0001"}, {9.99999999999e-05, "9.99999999999E-5"},
      {1.5e300, "1.5E300"}, {1e-300, "1E-300"}, {123456.789, "123456.789"}, {0.0, "0"},
      {-0.0, "0"},
  };
  for (const Case& c : cases) {
    EmitLine(out, c.v, 0, c.v, 1);
    EXPECT_EQ(Take(), Lines{std::string(c.text) + " 0 " + c.text + " 1"}) << c.v;
  }
}

TEST_F(EmitterTest, ResetGivesDefaultsAndArmsEveryAttribute) {
  out.Current.Colour = 7;  // as the reader left it
  out.Current.FreeText = HostTextStyle{9, 9, 9, 9};
  out.Current.ExtendedColour = 9;
  out.Pending.fill(false);
  ResetOutputAttributes(out, host.Initial);
  for (bool pending : out.Pending) EXPECT_TRUE(pending);
  const OutputCommands& s = out;
  EXPECT_EQ((std::vector<std::int32_t>{s.Current.Group, s.Current.Layer, s.Current.Colour,
                                       s.Current.LineType, s.Current.LineWidth, s.Current.TextStyle,
                                       s.Current.TextCc, s.Current.PointColour, s.Current.ExtendedColour}),
            (std::vector<std::int32_t>{0, 0, 1, 1, 0, 1, 0, 1, 0}));
  EXPECT_EQ((std::vector<double>{s.Current.FreeText.Width, s.Current.FreeText.Height,
                                 s.Current.FreeText.Spacing, double(s.Current.FreeText.Colour)}),
            (std::vector<double>{2, 2, 0, 1}));
  EXPECT_EQ(SjisToUtf8(s.Current.FontName), U8(u8"<ＭＳ ゴシック>"));
}

// The host's own attributes reach the writer through the reset: they stand
// in for a width of -1, a text style out of range and an empty font name,
// and the values the reader left running never reach the output.
TEST_F(EmitterTest, ResetHandsTheHostsOwnAttributesToTheWriter) {
  ParseExchangeLine("lw50", host);
  ParseExchangeLine("cn0 3 3.5 0.25 2", host);
  ParseExchangeLine("cn$Mincho", host);
  ParseExchangeLine("lw7", host);  // running only: the host's width stays 50
  ParseExchangeLine("lc9", host);
  ResetOutputAttributes(out, host.Initial);
  EmitLineWidth(out, -1);
  EmitTextStyle(out, 11, 1, 1, 1, 1);
  EmitFontName(out, "");
  EmitLineColor(out, 1);
  EXPECT_EQ(Take(), (Lines{"lw50", "cn0 3 3.5 0.25 2", "cn\"$Mincho", "lc1"}));
  // The host's state keeps what it read, whatever the writer wrote.
  EXPECT_EQ(host.Current.LineWidth, 7);
  EXPECT_EQ(host.Current.Colour, 9);
}

TEST_F(EmitterTest, IntegerAttributesWriteOnFirstUseAndOnChangeOnly) {
  struct Case { void (*emit)(OutputCommands&, std::int32_t); const char* keyword; std::int32_t initial; };
  const Case cases[] = {
      {EmitLayer, "ly", 0},     {EmitLineColor, "lc", 1}, {EmitLineType, "lt", 1},
      {EmitLineWidth, "lw", 0}, {EmitTextCc, "cc", 0},    {EmitPnColor, "pn", 1},
  };
  for (const Case& c : cases) {
    const std::string k = c.keyword;
    ResetOutputAttributes(out, host.Initial);
    c.emit(out, c.initial);  // pending: written although it is the current value
    c.emit(out, c.initial);
    c.emit(out, 7);
    c.emit(out, 7);
    c.emit(out, c.initial);
    EXPECT_EQ(Take(), (Lines{k + std::to_string(c.initial), k + "7", k + std::to_string(c.initial)}))
        << k;
  }
  // Each attribute has its own flag: writing one leaves the others armed.
  ResetOutputAttributes(out, host.Initial);
  EmitLineColor(out, 1);
  EmitLineType(out, 1);
  EmitPnColor(out, 1);
  EmitLineColor(out, 1);
  EXPECT_EQ(Take(), (Lines{"lc1", "lt1", "pn1"}));
  EXPECT_EQ(out.Current.Colour, 1);
}

TEST_F(EmitterTest, LayerGroupAndLayerAreHexAndANewGroupRearmsTheLayer) {
  EmitLayerGroup(out, 3);
  EmitLayerGroup(out, 3);
  EmitLayer(out, 0);
  EmitLayer(out, 0);
  EXPECT_EQ(Take(), (Lines{"lg3", "ly0"}));
  EmitLayerGroup(out, 3);  // nothing written, so the layer stays settled
  EmitLayer(out, 0);
  EXPECT_EQ(Take(), Lines{});
  EmitLayerGroup(out, 10);
  EmitLayer(out, 0);  // the same layer, but after a new group it is named again
  EmitLayer(out, 15);
  EmitLayerGroup(out, 15);
  EmitLayer(out, -1);
  EXPECT_EQ(Take(), (Lines{"lgA", "ly0", "lyF", "lgF", "lyFFFFFFFF"}));
  EXPECT_EQ(out.Current.Group, 15);
  EXPECT_EQ(out.Current.Layer, -1);
}

TEST_F(EmitterTest, LineWidthAndCcCodeAreBroughtIntoRange) {
  struct Case { void (*emit)(OutputCommands&, std::int32_t); std::int32_t initialWidth, n; const char* line; };
  const Case cases[] = {
      {EmitLineWidth, 40000, -1, "lw0"},   {EmitLineWidth, 50, -1, "lw50"},
      {EmitLineWidth, 0, 30000, "lw30000"}, {EmitLineWidth, 0, 30001, "lw0"},
      {EmitLineWidth, 0, -2, "lw0"},        {EmitTextCc, 0, 9, "cc0"},
      {EmitTextCc, 0, -1, "cc0"},           {EmitTextCc, 0, 8, "cc8"},
  };
  for (const Case& c : cases) {
    ResetOutputAttributes(out, host.Initial);
    out.Host.LineWidth = c.initialWidth;
    c.emit(out, c.n);
    EXPECT_EQ(Take(), Lines{c.line}) << c.n;
  }
  // 30001 means the same as 0: no second line
  ResetOutputAttributes(out, host.Initial);
  EmitLineWidth(out, 0);
  EmitLineWidth(out, 30001);
  EXPECT_EQ(Take(), Lines{"lw0"});
}

TEST_F(EmitterTest, TextStyleNamedOrFreeWithTheHostsStyleForUnknownKinds) {
  out.Host.TextStyle = 3;
  EmitTextStyle(out, 12, 5, 9, 9, 9);  // the host's style; the sizes are ignored
  EmitTextStyle(out, 3, 5, 1, 1, 1);
  EXPECT_EQ(Take(), Lines{"cn3"});
  EXPECT_EQ(out.Current.FreeText.Width, 2.0);

  ResetOutputAttributes(out, host.Initial);
  out.Host.TextStyle = 0;
  out.Host.FreeText = HostTextStyle{3, 3.5, 0.25, 2};
  EmitTextStyle(out, -1, 7, 1, 1, 1);  // the host's free size replaces everything
  EmitTextStyle(out, 0, 2, 3, 3.5, 0.25);
  EmitTextStyle(out, 0, 2, 3, 3.5, 0.5);  // the spacing alone changed
  EmitTextStyle(out, 0, 3, 3, 3.5, 0.5);  // the colour alone
  EmitTextStyle(out, 5, 0, 0, 0, 0);
  EmitTextStyle(out, 5, 1, 1, 1, 1);
  EmitTextStyle(out, 0, 3, 3, 3.5, 0.5);  // same free values, but the kind changed
  EXPECT_EQ(Take(), (Lines{"cn0 3 3.5 0.25 2", "cn0 3 3.5 0.5 2", "cn0 3 3.5 0.5 3", "cn5",
                           "cn0 3 3.5 0.5 3"}));

  // Free values are compared exactly, not as written.
  EmitTextStyle(out, 0, 3, 3, 3.5, 0.3);
  EmitTextStyle(out, 0, 3, 3, 3.5, 0.1 + 0.2);
  EXPECT_EQ(Take(), (Lines{"cn0 3 3.5 0.3 3", "cn0 3 3.5 0.3 3"}));
  EXPECT_EQ(out.Current.FreeText.Spacing, 0.1 + 0.2);
  EXPECT_EQ(out.Current.TextStyle, 0);
}

TEST_F(EmitterTest, FontLineQuotesTheNameAndFallsBackToTheHostsFont) {
  const std::string gothic = Sjis(u8"<ＭＳ ゴシック>");
  const std::string mincho = Sjis(u8"<ＭＳ 明朝>");
  out.Host.FontName = mincho;
  EmitFontName(out, gothic);  // pending: written although it is the current name
  EmitFontName(out, gothic);
  EmitFontName(out, "<>");
  EmitFontName(out, "");
  EmitFontName(out, mincho);
  EmitFontName(out, gothic);
  EXPECT_EQ(Take(), (Lines{"cn\"$" + gothic, "cn\"$" + mincho, "cn\"$" + gothic}));

  ResetOutputAttributes(out, host.Initial);
  out.Host.FontName.clear();
  EmitFontName(out, "<>");
  EXPECT_EQ(Take(), Lines{"cn\"$"});
  EXPECT_EQ(out.Current.FontName, "");
}

// A font line ending in a double quote would swallow the next command in the
// file (the host would take "z3" for part of the name): no line is written.
TEST_F(EmitterTest, FontNameEndingInAQuoteWritesNoLine) {
  std::string longName(300, 'F');
  longName[250] = '"';  // the line is cut after it
  for (const std::string& name : {std::string("Font\""), longName}) {
    ResetOutputAttributes(out, host.Initial);
    out.Host.FontName = name;
    EmitFontName(out, "<>");
    EmitZFlags(out, 4);
    EmitLine(out, 0, 0, 10, 0);
    EXPECT_EQ(Take(), (Lines{"z3", "0 0 10 0"})) << name;
  }
  // A quote inside the kept part of the line is no line end.
  ResetOutputAttributes(out, host.Initial);
  longName[250] = 'F';
  longName[100] = '"';
  EmitFontName(out, longName);
  EXPECT_EQ(Take(), Lines{("cn\"$" + longName).substr(0, 255)});
}

TEST_F(EmitterTest, FlagLinesFollowTheSetWithZ5OverZ4) {
  struct Case { std::int32_t set; Lines lines; };
  const Case cases[] = {
      {0, {}},        {4, {"z3"}},       {24, {"z5"}},
      {12, {"z3", "z4"}}, {8, {"z4"}},   {31, {"z1", "z2", "z3", "z5"}},
  };
  for (const Case& c : cases) {
    EmitZFlags(out, c.set);
    EmitZFlags(out, c.set);  // no state: the same lines again
    Lines twice = c.lines;
    twice.insert(twice.end(), c.lines.begin(), c.lines.end());
    EXPECT_EQ(Take(), twice) << c.set;
  }
}

TEST_F(EmitterTest, LinesAndPointsDropDegenerateValues) {
  EmitLine(out, 5, 5, 5.000000001, 5);
  EmitLine(out, 5, 5, 5, 5.000000009);
  EXPECT_EQ(Take(), Lines{});
  EmitLine(out, 5, 5, 5.00000002, 5);
  EmitLine(out, 0, 0, 10, 0);
  EmitLine(out, 0, 0, 0, 1e-8);
  EXPECT_EQ(Take(), (Lines{"5 5 5.00000002 5", "0 0 10 0", "0 0 0 1E-8"}));

  EmitPoint(out, -3, 10, 20, 1, 90);
  EmitPoint(out, 12, 1, 2, 1, 0);
  EmitPoint(out, -8, 1, 2, 1, 0);
  EmitPoint(out, -7, 1, 2, 1, 0);
  EmitPoint(out, 11, 1, 2, 1, 0);
  EmitPoint(out, 1, 1, 2, 0, 0);
  EmitPoint(out, 1, 1, 2, -1e-8, 0);
  EmitPoint(out, 1, 1, 2, -2.5, 45.5);
  EXPECT_EQ(Take(), (Lines{"pt 10 20 1 90 -3", "pt 1 2 1 0 -3", "pt 1 2 1 0 -3", "pt 1 2 1 0 -7",
                           "pt 1 2 1 0 11", "pt 1 2 1 0 1", "pt 1 2 1 0 1",
                           "pt 1 2 -2.5 45.5 1"}));
}

TEST_F(EmitterTest, TextKeywordsAndDroppedTexts) {
  const char* keywords[] = {"ch", "cv", "cs", "cr", "co", "cp", "ct", "ck", "cz", "c2"};
  for (int type = -1; type <= 10; ++type) {
    EmitText(out, type, "A", 1, 2, 1, 0);
    const std::string keyword = type >= 1 && type <= 9 ? keywords[type] : "ch";
    EXPECT_EQ(Take(), (Lines{keyword + " 1 2 1 0 \"", "A"})) << type;
  }
  EmitText(out, 2, "", 0, 0, 1, 0);
  EmitText(out, 2, " " + Sjis(u8"　") + "\t ", 0, 0, 1, 0);
  EmitText(out, 2, "A", 0, 0, 0, 0);
  EmitText(out, 2, "A", 0, 0, 1e-8, -1e-8);
  EXPECT_EQ(Take(), Lines{});
  // the text goes out as passed, blanks included; long texts are cut
  EmitText(out, 2, " 1,234 ", 10, 20, 0, 2e-8);
  EmitText(out, 0, std::string(300, 'x'), 0, 0, -1, 0);
  EXPECT_EQ(Take(), (Lines{"cs 10 20 0 2E-8 \"", " 1,234 ", "ch 0 0 -1 0 \"",
                           std::string(255, 'x')}));
}

TEST_F(EmitterTest, DimensionFigureWritesItsMeasuredLengthWhenTheTextIsBlank) {
  EmitDimension(out, "", 0, 0, 0, 1234.5, 5, 6, 0, 1);
  EXPECT_EQ(Take(), (Lines{"msg", "0 0 0 1234.5", "cs 5 6 0 1 \"", "1234.5"}));
  // the distance 0.223606797749979 rounded to 1e-8
  EmitDimension(out, " ", 0, 0, 0.1, 0.2, 0, 0, 1, 0);
  EXPECT_EQ(Take().back(), "0.2236068");
  EmitDimension(out, Sjis(u8"１，２３４．５"), 0, 0, 0, 1234.5, 5, 6, 0, 1);
  EXPECT_EQ(Take().back(), Sjis(u8"１，２３４．５"));
  // rounding to 1e-8 happens before the general form: 1/3 becomes 0.33333333
  EmitDimension(out, "", 0, 0, 1.0 / 3.0, 0, 0, 0, 1, 0);
  EXPECT_EQ(Take().back(), "0.33333333");
  EmitDimension(out, "", 0, 0, 0.000000005, 0.000000005, 0, 0, 1, 0);  // degenerate
  EmitDimension(out, "", 0, 0, 0, 10, 0, 0, 0, 0);                     // no direction
  EXPECT_EQ(Take(), Lines{});
}

TEST_F(EmitterTest, WrittenFileOfATypicalRun) {
  EmitLayerGroup(out, 2);
  EmitLayer(out, 0);
  EmitLineColor(out, 1);
  EmitZFlags(out, 4);
  EmitLine(out, 0, 0, 0, 100);
  EmitTextStyle(out, 0, 2, 2.5, 2.5, 0);
  EmitTextCc(out, 0);
  EmitText(out, 2, "ABC", -5, 50, 0, 1);
  EmitDimension(out, "", 0, 0, 0, 100, 5, 50, 0, 1);
  EmitTextStyle(out, 3, 0, 0, 0, 0);
  ScratchDir dir;
  ASSERT_TRUE(WriteOutputFile(testing_support::RealFiles(), dir / "JWC_TEMP.TXT", out));
  EXPECT_EQ(ReadFileBytes(dir / "JWC_TEMP.TXT"),
            "lg2\r\nly0\r\nlc1\r\nz3\r\n0 0 0 100\r\ncn0 2.5 2.5 0 2\r\ncc0\r\n"
            "cs -5 50 0 1 \"ABC\r\nmsg\r\n0 0 0 100\r\ncs 5 50 0 1 \"100\r\ncn3\r\n");
}

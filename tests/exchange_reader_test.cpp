#include "exchange/ExchangeReader.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "exchange/HostState.h"
#include "files/MemoryFileSystem.h"
#include "support/TestSupport.h"

namespace {

using testing_support::ScratchDir;
using testing_support::U8;
using testing_support::Utf8ToSjis;
using testing_support::WriteFileBytes;

class Reader : public ::testing::Test {
 protected:
  void SetUp() override { ResetHostState(s); }
  void Parse(std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines) ParseExchangeLine(line, s);
  }
  HostState s;
};

std::vector<double> Coords(const LineEntity& l) { return {l.X1, l.Y1, l.X2, l.Y2}; }

// The kinds of EntityOrder, after checking that every pair names an element.
std::vector<int> OrderKinds(const HostState& s) {
  const std::size_t counts[] = {0, s.Lines.Count(), s.Circles.Count(), s.Arcs.Count(),
                                s.Texts.Count(), s.Points.Count(), s.ExtendedPoints.Count(),
                                s.Dimensions.Count(), s.Blocks.Count(), s.Solids2.Count(),
                                s.Solids3.Count(), s.Solids4.Count(), s.ScSolids.Count(),
                                s.SeSolids.Count(), s.SoSolids.Count(), s.SgSolids.Count()};
  std::vector<int> kinds;
  std::size_t seen[16] = {};
  for (std::size_t i = 0; i < s.EntityOrder.Count(); ++i) {
    const EntityRef& ref = s.EntityOrder[i];
    EXPECT_TRUE(ref.Kind >= 1 && ref.Kind <= 15) << i;
    if (ref.Kind < 1 || ref.Kind > 15) continue;
    EXPECT_EQ(static_cast<std::size_t>(ref.Index), seen[ref.Kind]++) << "index in file order";
    EXPECT_LT(static_cast<std::size_t>(ref.Index), counts[ref.Kind]);
    kinds.push_back(ref.Kind);
  }
  return kinds;
}

// --- Reading the file ------------------------------------------------------

TEST_F(Reader, MissingFileOrFolderReadsNothing) {
  ScratchDir dir;
  EXPECT_EQ(ReadExchangeFile(testing_support::RealFiles(), dir / "JWC_TEMP.TXT", s).Fault,
            FileFault::NotFound);
  EXPECT_EQ(ReadExchangeFile(testing_support::RealFiles(), dir.Path(), s).Fault, FileFault::InTheWay);
  WriteFileBytes(dir / "empty.txt", "");
  WriteFileBytes(dir / "blank.txt", "\r\n\n   \n\t\r\n");
  EXPECT_TRUE(ReadExchangeFile(testing_support::RealFiles(), dir / "empty.txt", s));
  EXPECT_TRUE(ReadExchangeFile(testing_support::RealFiles(), dir / "blank.txt", s));
  EXPECT_TRUE(s.InitialPending[kPendingGroup] && s.InitialPending[kPendingTextStyle]);
  EXPECT_EQ(s.EntityOrder.Count(), 0u);
}

TEST_F(Reader, CrLfLfAndAMissingFinalLineEndReadAlike) {
  ScratchDir dir;
  for (const std::string& text : {std::string("hk 30\r\nhp1 1 2\r\nci 5 5 2\r\n0 0 10 0\r\n"),
                                  std::string("hk 30\nhp1 1 2\nci 5 5 2\n0 0 10 0\n"),
                                  std::string("hk 30\nhp1 1 2\r\nci 5 5 2\n0 0 10 0")}) {
    ResetHostState(s);
    WriteFileBytes(dir / "x.txt", text);
    ASSERT_TRUE(ReadExchangeFile(testing_support::RealFiles(), dir / "x.txt", s));
    EXPECT_EQ(s.AxisAngle, 30);
    EXPECT_TRUE(s.PickedPoints[1].Set);
    EXPECT_EQ(s.PickedPoints[1].Y, 2);
    EXPECT_EQ(s.Circles[0].Radius, 2);
    ASSERT_EQ(s.Lines.Count(), 1u);
    EXPECT_EQ(s.Lines[0].Y2, 0) << "the last number keeps its value";
  }
}

TEST_F(Reader, LongLinesAndManyLinesAcrossChunks) {
  ScratchDir dir;
  // A 50 MB text line between ordinary lines, then enough short lines to
  // cross many chunk boundaries.
  std::string text = "hk 15\nch 1 2 1 0 \"" + std::string(50u << 20, 'a') + "\nhzs 420 297\n";
  for (int i = 0; i < 200000; ++i) text += std::to_string(i) + " 0 " + std::to_string(i) + ".5 1\n";
  WriteFileBytes(dir / "big.txt", text);
  ASSERT_TRUE(ReadExchangeFile(testing_support::RealFiles(), dir / "big.txt", s));
  EXPECT_EQ(s.AxisAngle, 15);
  ASSERT_EQ(s.Texts.Count(), 1u);
  EXPECT_EQ(s.Texts[0].Text.View(), std::string(255, 'a'));
  EXPECT_EQ(s.SheetWidth, 420);
  ASSERT_EQ(s.Lines.Count(), 200000u);
  for (int i : {0, 6553, 99999, 199999}) EXPECT_EQ(Coords(s.Lines[i]), (std::vector<double>{i * 1.0, 0, i + 0.5, 1}));

  ResetHostState(s);  // a reset after a read leaves nothing behind
  EXPECT_EQ(s.Lines.Count(), 0u);
  EXPECT_EQ(s.Texts.Count(), 0u);
  EXPECT_EQ(s.AxisAngle, 0);
  EXPECT_EQ(s.SheetWidth, 1189);
}

TEST_F(Reader, HostileBytesNeverCrash) {
  ScratchDir dir;
  std::mt19937 random(47);
  std::string bytes(3u << 20, '\0');
  for (char& c : bytes) c = static_cast<char>(random() % 256);
  bytes += "\nhk 12\n\x82";  // ends in a lone lead byte and no line end
  WriteFileBytes(dir / "noise.bin", bytes);
  EXPECT_TRUE(ReadExchangeFile(testing_support::RealFiles(), dir / "noise.bin", s));
  EXPECT_EQ(s.AxisAngle, 12);
  OrderKinds(s);

  ResetHostState(s);
  std::string wide = "hs";
  for (int i = 1; i <= 40; ++i) wide += " " + std::to_string(i);
  Parse({wide, std::string("h\0k 5", 5), "z\x01" "1", "ci 0 0 5\xFF"});
  EXPECT_EQ(s.GroupScales[15], 16) << "tokens beyond 32 are ignored";
  EXPECT_EQ(s.AxisAngle, 5);
  EXPECT_EQ(s.Circles[0].Radius, 5);
  EXPECT_EQ(s.Circles[0].Attr.Flags, 1);
}

// What a read leaves in the state: the scalars the lines set, and every
// entity with its attributes, coordinates (exact) and texts.
std::string Snapshot(const HostState& s) {
  std::ostringstream out;
  out << std::hexfloat << s.AxisAngle << ' ' << s.DrawingFile << ' ' << s.SheetWidth << ' ' << s.CurrentPickTag << ' '
      << s.Current.FontName << ' ' << s.PolylineCount << '\n';
  for (int i = 1; i < 100; ++i) {
    const PickedPoint& p = s.PickedPoints[static_cast<std::size_t>(i)];
    if (p.Set) out << "hp" << i << ' ' << p.X << ' ' << p.Y << ' ' << p.Kind << '\n';
  }
  auto attributes = [&out](const EntityAttributes& a) {
    out << a.PickTag << ',' << a.Group << ',' << a.Layer << ',' << a.Colour << ',' << a.LineType << ',' << a.LineWidth
        << ',' << a.Flags << ' ';
  };
  for (std::size_t i = 0; i < s.EntityOrder.Count(); ++i) {
    const EntityRef& ref = s.EntityOrder[i];
    const auto at = static_cast<std::size_t>(ref.Index);
    out << ref.Kind << ':';
    if (ref.Kind == kLineKind) {
      const LineEntity& l = s.Lines[at];
      attributes(l.Attr);
      out << l.PolylineNo << ' ' << l.X1 << ' ' << l.Y1 << ' ' << l.X2 << ' ' << l.Y2;
    } else if (ref.Kind == kCircleKind) {
      attributes(s.Circles[at].Attr);
      out << s.Circles[at].X << ' ' << s.Circles[at].Y << ' ' << s.Circles[at].Radius;
    } else if (ref.Kind == kArcKind) {
      attributes(s.Arcs[at].Attr);
      for (double v : s.Arcs[at].Values) out << v << ' ';
    } else if (ref.Kind == kTextKind || ref.Kind == kDimensionKind) {
      const TextEntity& t = ref.Kind == kTextKind ? s.Texts[at] : s.Dimensions[at].Text;
      if (ref.Kind == kDimensionKind) out << s.Dimensions[at].Line.X2 << ' ';
      attributes(t.Attr);
      out << t.TextKind << ' ' << t.X << ' ' << t.Y << ' ' << t.DirX << ' ' << t.DirY << " [" << t.Text.View() << "] ["
          << t.FontName.View() << ']';
    } else if (ref.Kind == kPointKind) {
      out << s.Points[at].X << ' ' << s.Points[at].Y;
    }
    out << '\n';
  }
  return out.str();
}

// The file's lines applied one by one: LF ends a line, a CR before it belongs
// to the line end, and the last line needs no line end.
void ApplyLines(std::string_view text, HostState& s) {
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ParseExchangeLine(line, s);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
}

// The reader takes its bytes in pieces: however they are cut, even inside a
// number, a CR LF pair or a double-byte character, the lines read as they do
// one by one.
TEST_F(Reader, PiecesOfAnySizeReadAsTheLines) {
  std::mt19937 random(7);
  std::string text = "file=C:\\jww\\" + Utf8ToSjis(U8(u8"図面 1.jww")) + "\r\nhk 12.5\r\nhp1 -1234.5678901234 5\r\n";
  text += "cn\"$" + Utf8ToSjis(U8(u8"ＭＳ ゴシック")) + "\r\nhhp3ln\n";
  for (int i = 0; i < 3000; ++i) {
    const double x = (static_cast<double>(random()) / random.max() - 0.5) * 2e4;
    char number[40];
    std::snprintf(number, sizeof number, "%.15g", x);
    switch (random() % 6) {
      case 0: text += std::string(number) + " 0 " + number + " " + std::to_string(i) + "\r\n"; break;
      case 1: text += "ci " + std::string(number) + " 1.5 " + number + "\n"; break;
      case 2: text += "ch " + std::string(number) + " 2 1 0 \"" + Utf8ToSjis(U8(u8"寸法 ")) + number + "\r\n"; break;
      case 3: text += "msg\r\n1 2 3 " + std::string(number) + "\r\ncs 5 1 1 0 \"" + number + "\r\n"; break;
      case 4: text += "pl\r\n" + std::string(number) + " 1e3 -0 .5\r\n#\r\n"; break;
      default: text += "z3\r\npt " + std::string(number) + " " + number + " \x82\r\n"; break;
    }
  }
  text += "hp2 7 8\r";  // no line end at the very end; the lone CR is dropped

  ApplyLines(text, s);
  const std::string expected = Snapshot(s);
  EXPECT_EQ(s.PickedPoints[2].Y, 8);
  for (const std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7}, std::size_t{25},
                                  std::size_t{4096}, text.size()}) {
    ResetHostState(s);
    ExchangeParser parser(s);
    for (std::size_t at = 0; at < text.size(); at += piece) {
      parser.Feed(text.data() + at, std::min(piece, text.size() - at));
    }
    parser.Finish();
    EXPECT_EQ(Snapshot(s), expected) << "pieces of " << piece << " bytes";
  }

  // The same text read from a file in blocks, split in this thread or one
  // ahead in another, and a read that breaks off: the lines that ended before
  // the break are applied, and only they.
  MemoryFileSystem files;
  files.PutFile("/p/JWC_TEMP.TXT", text);
  const std::size_t breakAt = text.size() / 3;
  const std::size_t lastLineEnd = text.rfind('\n', breakAt - 1);
  ResetHostState(s);
  ApplyLines(std::string_view(text).substr(0, lastLineEnd + 1), s);
  const std::string beforeBreak = Snapshot(s);
  for (const bool ahead : {false, true}) {
    for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{100}, std::size_t{4096},
                                    std::size_t{256 * 1024}}) {
      SCOPED_TRACE(testing::Message() << "pieces of " << piece << (ahead ? ", split ahead" : ""));
      files.FailReadsAfter(text.size() + 1);
      ResetHostState(s);
      EXPECT_TRUE(ReadExchangeFrom(*files.OpenForReading("/p/JWC_TEMP.TXT").Reader, BlockPlan{piece, ahead}, s));
      EXPECT_EQ(Snapshot(s), expected);

      files.FailReadsAfter(breakAt);
      ResetHostState(s);
      EXPECT_EQ(ReadExchangeFrom(*files.OpenForReading("/p/JWC_TEMP.TXT").Reader, BlockPlan{piece, ahead}, s).Fault,
                FileFault::Unreadable);
      EXPECT_EQ(Snapshot(s), beforeBreak);
    }
  }
}

// --- Host settings ---------------------------------------------------------

TEST_F(Reader, SettingsRecords) {
  Parse({"file=C:\\jw cad\\plan 1.jww", "hk 30.5", "hzs 420 297", "bz", "hn 1 2 3 4",
         "hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", "hcw 1 2 3 4 5 6 7 8 9 10",
         "hch 11 12 13 14 15 16 17 18 19 20", "hcd .1 .2 .3 .4 .5 .6 .7 .8 .9 1",
         "hcc 1 2 3 4 5 6 7 8 9 $A"});
  EXPECT_EQ(s.DrawingFile, "C:\\jw cad\\plan 1.jww");
  EXPECT_EQ(s.AxisAngle, 30.5);
  EXPECT_TRUE(s.SheetWidth == 420 && s.SheetHeight == 297);
  EXPECT_TRUE(s.BzMarked);
  EXPECT_EQ(s.HnValues, (std::array<double, 4>{1, 2, 3, 4}));
  EXPECT_TRUE(s.GroupScales[0] == 1 && s.GroupScales[15] == 16);
  EXPECT_TRUE(s.TextStyles[0].Width == 1 && s.TextStyles[9].Width == 10);
  EXPECT_TRUE(s.TextStyles[0].Height == 11 && s.TextStyles[9].Height == 20);
  EXPECT_TRUE(s.TextStyles[0].Spacing == .1 && s.TextStyles[9].Spacing == 1);
  EXPECT_TRUE(s.TextStyles[0].Colour == 1 && s.TextStyles[9].Colour == 10);

  // Too few values: the record does not apply.
  ResetHostState(s);
  Parse({"hk", "hzs 5", "hs 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2", "hcw 9 9 9 9 9 9 9 9 9", "hn 1 2"});
  EXPECT_EQ(s.AxisAngle, 0);
  EXPECT_EQ(s.SheetWidth, 1189);
  EXPECT_EQ(s.GroupScales[0], 1);
  EXPECT_EQ(s.TextStyles[0].Width, 3);
  EXPECT_EQ(s.HnValues[0], 0);
}

// --- The order of the tests --------------------------------------------------

TEST_F(Reader, LongerKeywordsComeBeforeTheirPrefixes) {
  Parse({"lg2", "ly3", "lgnWalls", "lynDoors", "cn$Gothic"});
  EXPECT_EQ(s.Current.Group, 2) << "\"lgn\" is no layer group line";
  EXPECT_EQ(s.Current.Layer, 3) << "\"lyn\" is no layer line";
  EXPECT_EQ(s.GroupNames[2], "Walls");
  EXPECT_EQ(s.LayerNames[2 * 16 + 3], "Doors");
  EXPECT_EQ(s.Current.FontName, "Gothic");
  EXPECT_EQ(s.Current.TextStyle, 1) << "\"cn$\" is no text style line";
  EXPECT_TRUE(s.InitialPending[kPendingTextStyle]);
}

TEST_F(Reader, FourTokensFallBackToALineSegment) {
  const struct {
    const char* line;
    std::vector<double> segment;  // empty: no line segment
    int kind;                     // the entity kind it gives instead, 0 none
  } cases[] = {
      {"1 2 3 4", {1, 2, 3, 4}, 0},    {"ch 1 2 3", {0, 1, 2, 3}, 0}, {"pt 1 2 3", {0, 1, 2, 3}, 0},
      {"hn 1 2 3", {0, 1, 2, 3}, 0},   {"sl 1 2 3", {0, 1, 2, 3}, 0}, {"hs 1 2 3", {0, 1, 2, 3}, 0},
      {"xyz 1 2 3", {0, 1, 2, 3}, 0},  {"1 2 3 x", {1, 2, 3, 0}, 0},  {"ci 0 0 5", {}, kCircleKind},
      {"BL 1 2 door", {}, kBlockKind}, {"hp1 1 2 ", {}, 0},           {"lc3 1 2 3", {}, 0},
      {"ci 0 0 5 1", {}, 0},           {"ci 0 0 5 ", {}, 0},          {"sl 1 2 3 4 5", {}, 0},
      {"1 2 3", {}, 0},                {"1 2 3 4 5", {}, 0},
  };
  for (const auto& c : cases) {
    ResetHostState(s);
    ParseExchangeLine(c.line, s);
    const int kind = c.segment.empty() ? c.kind : kLineKind;
    EXPECT_EQ(OrderKinds(s), kind ? std::vector<int>{kind} : std::vector<int>{}) << c.line;
    EXPECT_EQ(s.Lines.Count() ? Coords(s.Lines[0]) : std::vector<double>{}, c.segment) << c.line;
  }
}

// --- Attributes ------------------------------------------------------------

TEST_F(Reader, LayerGroupAndLayerDigitsAreHex) {
  const std::pair<const char*, int> digits[] = {{"0", 0}, {"9", 9}, {"A", 10}, {"f", 15},
                                                {"Z", 0}, {"", 0},  {"10", 1}, {"-", 0}};
  for (const auto& [digit, value] : digits) {
    Parse({"lg7", "ly7", std::string("lg") + digit, std::string("ly") + digit});
    EXPECT_EQ(s.Current.Group, value) << digit;
    EXPECT_EQ(s.Current.Layer, value) << digit;
  }
  Parse({"lgA 5", "ly2 7", "lgB"});
  EXPECT_EQ(s.GroupStates[10], 5);
  EXPECT_EQ(s.LayerStates[10 * 16 + 2], 7);
}

TEST_F(Reader, FirstAttributeLinesGiveTheInitialValues) {
  Parse({"lg1", "ly2", "lc3", "lt4", "lw5", "cn6", "lg7", "ly8", "lc5", "lt2", "lw1", "cn9"});
  EXPECT_EQ((std::vector<int>{s.Initial.Group, s.Initial.Layer, s.Initial.Colour, s.Initial.LineType,
                              s.Initial.LineWidth, s.Initial.TextStyle}),
            (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ((std::vector<int>{s.Current.Group, s.Current.Layer, s.Current.Colour, s.Current.LineType,
                              s.Current.LineWidth, s.Current.TextStyle}),
            (std::vector<int>{7, 8, 5, 2, 1, 9}));
  for (int slot = 0; slot <= 5; ++slot) EXPECT_FALSE(s.InitialPending[slot]) << slot;

  Parse({"lc10 7", "lc2 5", "lc10"});
  EXPECT_EQ(s.Current.ExtendedColour, 7);
  EXPECT_EQ(s.Current.Colour, 10);
}

TEST_F(Reader, TextStylesFontsAndCc) {
  Parse({"cn0 2.5 2.5 0.5 3", "cn0 1 1 1 4"});
  EXPECT_EQ(s.Initial.TextStyle, 0);
  EXPECT_TRUE(s.Initial.FreeText.Width == 2.5 && s.Initial.FreeText.Spacing == .5 && s.Initial.FreeText.Colour == 3);
  EXPECT_TRUE(s.Current.FreeText.Width == 1 && s.Current.FreeText.Colour == 4);

  ResetHostState(s);
  Parse({"cn3", "cn0 1 1 1 4"});
  EXPECT_EQ(s.Initial.TextStyle, 3);
  EXPECT_EQ(s.Initial.FreeText.Width, 2) << "only the first \"cn\" line gives initial free values";
  EXPECT_EQ(s.Current.FreeText.Colour, 4);

  ResetHostState(s);
  Parse({"cn0 7 7", "cn0 5 5 5 5", "cn"});  // too few free values: the flag is spent anyway
  EXPECT_EQ(s.Initial.TextStyle, 0);
  EXPECT_EQ(s.Initial.FreeText.Width, 2);
  EXPECT_EQ(s.Current.FreeText.Width, 5);
  EXPECT_EQ(s.Current.TextStyle, 0);

  const std::string gothic = Utf8ToSjis(U8(u8"ＭＳ ゴシック"));
  Parse({"cn$", "cn\"$" + gothic, "cn$Mincho"});
  EXPECT_EQ(s.Initial.FontName, gothic) << "the first name that is not empty";
  EXPECT_EQ(s.Current.FontName, "Mincho");
  Parse({"cn$"});
  EXPECT_EQ(s.Current.FontName, "");

  for (const auto& [line, cc] : std::initializer_list<std::pair<const char*, int>>{
           {"cc5", 5}, {"cc8", 8}, {"cc9", 0}, {"cc12", 1}, {"cc", 0}, {"ccx", 0}}) {
    Parse({"cc3", line});
    EXPECT_EQ(s.Current.TextCc, cc) << line;
  }
}

// --- Picked points and pick tags -------------------------------------------

TEST_F(Reader, PickedPointsWithTheirSuffixes) {
  Parse({"hp1 10 20", "hp2- 1 2", "hp3ln 1 2", "hp12ci 3 4", "hp99ch 5 6", "hp100 1 2", "hp0 1 2",
         "hp5 1", "hp6-ln 1 2", "hpx 1 2"});
  const std::pair<int, int> kinds[] = {{1, 0}, {2, 1}, {3, 2}, {12, 3}, {99, 4}};
  for (const auto& [slot, kind] : kinds) {
    EXPECT_TRUE(s.PickedPoints[slot].Set) << slot;
    EXPECT_EQ(s.PickedPoints[slot].Kind, kind) << slot;
  }
  EXPECT_TRUE(s.PickedPoints[12].X == 3 && s.PickedPoints[12].Y == 4);
  EXPECT_EQ(s.PickedCount, 5);
  // "hp6-ln": the later suffix decides, and "6-" is no index.
  for (int slot : {0, 5, 6}) EXPECT_FALSE(s.PickedPoints[slot].Set) << slot;

  Parse({"hp1 7 8"});
  EXPECT_TRUE(s.PickedPoints[1].X == 7 && s.PickedPoints[1].Y == 8);
  EXPECT_EQ(s.PickedCount, 6);
}

TEST_F(Reader, PickTagsFollowTheEntities) {
  const std::pair<const char*, int> tags[] = {{"hhp7", 7},     {"hhp12ln", 12},  {"hhp3ci", 3},
                                              {"hhp4ch", 4},   {"hhp1-", 0},     {"hhpln", 0},
                                              {"hhp12chln", 12}, {"hhp5ln3ch", 0}};
  for (const auto& [line, tag] : tags) {
    Parse({"hhp9", line, "ci 0 0 1", "ci 0 0 2"});
    EXPECT_EQ(s.Circles.Last().Attr.PickTag, tag) << line;
    EXPECT_EQ(s.CurrentPickTag, tag) << line;
  }
}

// The line clicked at a line prompt: the first line (or a dimension
// figure's line) after the host's tag, wherever the tag stands; none for a
// point pick or without a tagged line.
TEST_F(Reader, ThePickedLineIsTheFirstLineAfterItsTag) {
  const struct {
    std::vector<std::string_view> lines;
    std::optional<std::vector<double>> line;  // the picked line's ends
  } cases[] = {
      {{"hp1ln 1 5", "z3", "hhp1ln", "1 0 1 10", "1 10 1 20"}, std::vector<double>{1, 0, 1, 10}},
      {{"hp1ln 1 5", "hhp1ln", "z3", "1 0 1 10"}, std::vector<double>{1, 0, 1, 10}},
      {{"0 0 9 9", "hhp1ln", "ch 0 0 1 0 \"A", "pt 2 2", "z3", "1 0 1 10", "hp1ln 1 5"},
       std::vector<double>{1, 0, 1, 10}},
      {{"hp1ln 1 5", "hhp1ln", "msg", "z3", "1 0 1 10", "cs 0 5 0 1 \"10"},
       std::vector<double>{1, 0, 1, 10}},
      {{"hp2ln 1 5", "hhp1ln", "1 0 1 10", "hhp2ln", "2 0 2 10"}, std::vector<double>{2, 0, 2, 10}},
      {{"hp1 1 5", "hhp1ln", "1 0 1 10"}, std::nullopt},
      {{"hp1ln 1 5", "hhp1ln", "ci 0 0 5"}, std::nullopt},
      {{"hp1ln 1 5", "1 0 1 10"}, std::nullopt},
  };
  for (const auto& c : cases) {
    ResetHostState(s);
    for (std::string_view line : c.lines) ParseExchangeLine(line, s);
    const int n = s.PickedPoints[2].Set ? 2 : 1;
    const LineEntity* picked = PickedLine(s, n);
    SCOPED_TRACE(c.lines.front());
    ASSERT_EQ(picked != nullptr, c.line.has_value());
    if (picked) {
      EXPECT_EQ(Coords(*picked), *c.line);
    }
  }
}

// --- Entities --------------------------------------------------------------

TEST_F(Reader, EveryEntityKindInFileOrder) {
  Parse({"hhp2", "lg1", "ly4", "lc3", "lt2", "lw5", "hcc 11 12 13 14 15 16 17 18 19 20", "z2",
         "0 0 10 0", "ci 1 2 3", "ci 1 2 3 4 5 6 7", "cn2", "cc4", "cn$Mincho",
         "ct 1 2 0 1 \"a b\"c", "pn6", "pt 1 2", "pt 1 2 3 4 5", "msg", "0 0 10 0",
         "cs 5 1 1 0 \"10\"", "BL 1 2 door", "lc10 9", "sl 0 0 5 5", "sl 0 0 1 0 1 1",
         "sl 0 0 1 0 1 1 0 1", "sc 1 2 3 4 5 6 7 8", "se 1 2 3 4 5 6 7 -8",
         "so 1 2 3 4 5 6 7 8", "sg 8 7 6 5 4 3 2 1"});
  EXPECT_EQ(OrderKinds(s), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));

  const EntityAttributes& a = s.Lines[0].Attr;
  EXPECT_EQ((std::vector<int>{a.PickTag, a.Group, a.Layer, a.Colour, a.LineType, a.LineWidth, a.Flags}),
            (std::vector<int>{2, 1, 4, 3, 2, 5, 2}));
  EXPECT_EQ(s.Circles[0].Attr.Flags, 0) << "flags are spent by one entity";
  EXPECT_TRUE(s.Circles[0].X == 1 && s.Circles[0].Radius == 3);
  EXPECT_TRUE(s.Arcs[0].Values[0] == 1 && s.Arcs[0].Values[6] == 7);

  const TextEntity& t = s.Texts[0];
  EXPECT_EQ((std::vector<int>{t.TextKind, t.Cc, t.StyleNo, t.Attr.Colour, t.Attr.Layer}),
            (std::vector<int>{6, 4, 2, 12, 4}));
  EXPECT_TRUE(t.Width == 3 && t.X == 1 && t.Y == 2 && t.DirX == 0 && t.DirY == 1);
  EXPECT_EQ(t.FontName.View(), "Mincho");
  EXPECT_EQ(t.Text.View(), "a b\"c");

  EXPECT_EQ(s.Points[0].Attr.Colour, 6);
  const ExtendedPointEntity& p = s.ExtendedPoints[0];
  EXPECT_TRUE(p.Attr.Colour == 6 && p.Scale == 3 && p.Angle == 4 && p.PointKind == 5);
  EXPECT_TRUE(s.Blocks[0].Name == "door" && s.Blocks[0].Y == 2);
  EXPECT_TRUE(s.Solids2[0].ExtColour == 9 && s.Solids2[0].X2 == 5 && s.Solids2[0].Attr.Colour == 10);
  EXPECT_TRUE(s.Solids4[0].Y4 == 1);
  EXPECT_TRUE(s.ScSolids[0].Values[6] == 7 && s.ScSolids[0].N == 8);
  EXPECT_TRUE(s.SeSolids[0].N == -8 && s.SoSolids[0].Values[7] == 8 && s.SgSolids[0].Values[0] == 8);
}

TEST_F(Reader, TextsTakeTheirSizeFromTheStyleAndKeep255Bytes) {
  const std::string font(300, 'F'), text(300, 'T');
  Parse({"cn0 4 5 0.5 7", "cn$" + font, "ch 1 2 1 0 \"" + text, "cn11", "cv 1 2 1 0 two words"});
  const TextEntity& free = s.Texts[0];
  EXPECT_TRUE(free.StyleNo == 0 && free.Width == 4 && free.Height == 5 && free.Spacing == .5);
  EXPECT_EQ(free.Attr.Colour, 7);
  EXPECT_EQ(free.FontName.View(), font.substr(0, 255));
  EXPECT_EQ(free.Text.View(), text.substr(0, 255));
  EXPECT_EQ(s.Texts[1].Width, 4) << "a style beyond 10 takes the free size";
  EXPECT_EQ(s.Texts[1].Text.View(), "two") << "without a quote only the first word";
}

TEST_F(Reader, PolylinesNumberTheirSegments) {
  Parse({"pl", "0 0 1 0", "1 0 1 1", "#", "0 0 2 2", "pl", "0 0 3 3", "ci 0 0 1", "0 0 4 4",
         "pl", "5 5 6 6", "msg", "#", "0 0 7 7"});
  std::vector<int> numbers;
  for (std::size_t i = 0; i < s.Lines.Count(); ++i) numbers.push_back(s.Lines[i].PolylineNo);
  EXPECT_EQ(numbers, (std::vector<int>{1, 1, 0, 2, 0, 3, 0}));
  EXPECT_EQ(s.PolylineCount, 3);
}

TEST_F(Reader, FlagLinesMarkTheNextEntity) {
  Parse({"z1", "z3", "z3", "ci 0 0 5", "ci 0 0 6", "z5", "z6", "z2", "0 0 1 1"});
  EXPECT_EQ(s.Circles[0].Attr.Flags, 5);
  EXPECT_EQ(s.Circles[1].Attr.Flags, 0);
  EXPECT_EQ(s.Lines[0].Attr.Flags, 18);
}

// --- Dimension groups ------------------------------------------------------

TEST_F(Reader, DimensionGroupJoinsLineAndText) {
  Parse({"lc3", "msg", "z3", "0 0 10 0", "lc5", "hp1 1 2", "z1", "cs 5 1 1 0 \"10"});
  EXPECT_EQ(OrderKinds(s), std::vector<int>{kDimensionKind});
  const DimensionEntity& d = s.Dimensions[0];
  EXPECT_EQ(Coords(d.Line), (std::vector<double>{0, 0, 10, 0}));
  EXPECT_TRUE(d.Line.Attr.Colour == 3 && d.Line.Attr.Flags == 4) << "captured with its segment";
  EXPECT_EQ(d.Text.Attr.Flags, 1) << "captured with its text line";
  EXPECT_TRUE(d.Text.TextKind == 2 && d.Text.X == 5 && d.Text.Y == 1 && d.Text.DirX == 1);
  EXPECT_EQ(d.Text.Text.View(), "10");
  EXPECT_TRUE(s.PickedPoints[1].Set);
  EXPECT_FALSE(s.DimensionPending);
}

TEST_F(Reader, DimensionGroupsCloseAndReuseTheirLine) {
  // A second segment replaces the first; a "cs" line at once takes the
  // dimension line before it, at the start of the file the default one.
  Parse({"msg", "cs 0 0 1 0 a", "msg", "0 0 1 1", "2 2 3 3", "cs 0 0 1 0 b", "msg", "cs 0 0 1 0 c"});
  ASSERT_EQ(s.Dimensions.Count(), 3u);
  EXPECT_EQ(Coords(s.Dimensions[0].Line), (std::vector<double>{0, 0, 1, 0}));
  EXPECT_EQ(s.Dimensions[0].Line.Attr.Colour, 1);
  EXPECT_EQ(s.Dimensions[0].Line.Attr.LineType, 1);
  EXPECT_EQ(Coords(s.Dimensions[1].Line), (std::vector<double>{2, 2, 3, 3}));
  EXPECT_EQ(Coords(s.Dimensions[2].Line), (std::vector<double>{2, 2, 3, 3}));
  EXPECT_EQ(s.Lines.Count(), 0u);

  // "pl", "#" and other entities close the group: the "cs" is a plain text.
  for (const char* closer : {"pl", "#", "ci 0 0 1", "ch 0 0 1 0 x", "pt 1 1"}) {
    ResetHostState(s);
    Parse({"msg", "0 0 1 1", closer, "cs 0 0 1 0 v"});
    EXPECT_EQ(s.Dimensions.Count(), 0u) << closer;
    EXPECT_EQ(s.Texts.Last().TextKind, 2) << closer;
  }
}

// --- Solids ----------------------------------------------------------------

TEST_F(Reader, SlSolidsReduceCoincidingCorners) {
  const struct {
    const char* line;
    int kind;
    std::vector<double> corners;
  } cases[] = {
      {"sl 1 2 3 4", kSolid2Kind, {1, 2, 3, 4}},
      {"sl 0 0 0 0 5 5", kSolid2Kind, {0, 0, 5, 5}},
      {"sl 0 0 5 5 5 5", kSolid2Kind, {0, 0, 5, 5}},
      {"sl 0 0 1 0 0 0", kSolid3Kind, {0, 0, 1, 0, 0, 0}},
      {"sl 0 0 1e-11 0 1 1", kSolid2Kind, {0, 0, 1, 1}},
      {"sl 0 0 1e-9 0 1 1", kSolid3Kind, {0, 0, 1e-9, 0, 1, 1}},
      {"sl 0 0 0 0 0 0 7 7", kSolid2Kind, {0, 0, 7, 7}},
      {"sl 0 0 5 5 5 5 5 5", kSolid2Kind, {0, 0, 5, 5}},
      {"sl 0 0 0 0 5 5 5 5", kSolid2Kind, {0, 0, 5, 5}},
      {"sl 0 0 1 0 1 1 0 0", kSolid3Kind, {0, 0, 1, 0, 1, 1}},
      {"sl 0 0 1 0 1 1 1 1", kSolid3Kind, {0, 0, 1, 0, 1, 1}},
      {"sl 0 0 1 0 0 0 1 1", kSolid3Kind, {0, 0, 1, 0, 1, 1}},
      {"sl 0 0 1 0 1 0 1 1", kSolid3Kind, {0, 0, 1, 0, 1, 1}},
      {"sl 0 0 0 0 1 0 1 1", kSolid3Kind, {0, 0, 1, 0, 1, 1}},
      {"sl 0 0 1 0 1 1 0 1 9", kSolid4Kind, {0, 0, 1, 0, 1, 1, 0, 1}},
      {"sl 0 0 1 0 1", 0, {}},
      {"sl 0 0 1 0 1 1 0", 0, {}},
  };
  for (const auto& c : cases) {
    ResetHostState(s);
    ParseExchangeLine(c.line, s);
    EXPECT_EQ(OrderKinds(s), c.kind ? std::vector<int>{c.kind} : std::vector<int>{}) << c.line;
    std::vector<double> corners;
    if (s.Solids2.Count()) corners = {s.Solids2[0].X1, s.Solids2[0].Y1, s.Solids2[0].X2, s.Solids2[0].Y2};
    if (s.Solids3.Count()) {
      const Solid3Entity& e = s.Solids3[0];
      corners = {e.X1, e.Y1, e.X2, e.Y2, e.X3, e.Y3};
    }
    if (s.Solids4.Count()) {
      const Solid4Entity& e = s.Solids4[0];
      corners = {e.X1, e.Y1, e.X2, e.Y2, e.X3, e.Y3, e.X4, e.Y4};
    }
    EXPECT_EQ(corners, c.corners) << c.line;
  }
}

}  // namespace

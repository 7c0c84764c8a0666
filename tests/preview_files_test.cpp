// Pictures of exchange files read by the program's own reader: the output of
// the worked example of the OK action, and files that are empty, hold only
// attribute lines, or numbers no picture can hold.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "exchange/ExchangeReader.h"
#include "support/PreviewTestSupport.h"

using namespace preview_testing;
using svg_testing::Element;
namespace fs = std::filesystem;

namespace {

const fs::path kWorkedExample =
    fs::path(ORVANE_SOURCE_DIR) / "tests/data/worked_example/expected_JWC_TEMP.TXT";

Picture RenderFile(const std::string& content) {
  testing_support::ScratchDir dir;
  testing_support::WriteFileBytes(dir / "JWC_TEMP.TXT", content);
  HostState host;
  ResetHostState(host);
  EXPECT_TRUE(ReadExchangeFile(testing_support::RealFiles(), dir / "JWC_TEMP.TXT", host));
  return RenderState(host);
}

struct Segment {
  double x1, y1, x2, y2;
};

// The output of the worked example: the extension line at the new point,
// the dimension line, the leader, the underline and the four barbs, with
// the value 500 reading upwards from the value position.
TEST(PreviewOfExchangeFiles, WorkedExampleShowsItsLinesAndValue) {
  HostState host;
  ResetHostState(host);
  ASSERT_TRUE(ReadExchangeFile(testing_support::RealFiles(), kWorkedExample, host)) << kWorkedExample;
  const Picture p = RenderState(host);

  const auto lines = p.Find("drawing", "line", "line");
  const Segment expected[] = {
      {98, 1500, -502, 1500},                     // extension line at B
      {-500, 1000, -500, 1500},                   // dimension line
      {-500, 1250, -599.5, 1205},                 // leader from M to T1
      {-599.5, 1199.5, -599.5, 1205},             // underline T0 to T1
      {-500, 1000, -500.7765, 1002.8978},         // start mark
      {-500, 1000, -499.2235, 1002.8978},
      {-500, 1500, -499.2235, 1497.1022},         // end mark
      {-500, 1500, -500.7765, 1497.1022},
  };
  ASSERT_EQ(lines.size(), std::size(expected));
  ASSERT_EQ(host.Lines.Count(), std::size(expected));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Element& l = *lines[i];
    EXPECT_NEAR(l.Number("x1"), expected[i].x1, 1e-4) << "line " << i;
    EXPECT_NEAR(l.Number("y1"), expected[i].y1, 1e-4) << "line " << i;
    EXPECT_NEAR(l.Number("x2"), expected[i].x2, 1e-4) << "line " << i;
    EXPECT_NEAR(l.Number("y2"), expected[i].y2, 1e-4) << "line " << i;
    // The picture keeps every coordinate exactly as the file gave it.
    const LineEntity& read = host.Lines[i];
    EXPECT_EQ(l.Number("x1"), read.X1);
    EXPECT_EQ(l.Number("y1"), read.Y1);
    EXPECT_EQ(l.Number("x2"), read.X2);
    EXPECT_EQ(l.Number("y2"), read.Y2);
  }

  const auto texts = p.Find("drawing", "text", "text");
  ASSERT_EQ(texts.size(), 1u);
  const TextPlacement value = Placement(*texts[0]);
  EXPECT_EQ(texts[0]->Text, "500");
  EXPECT_DOUBLE_EQ(value.X, -600);
  EXPECT_DOUBLE_EQ(value.Y, 1200);
  EXPECT_NEAR(value.Angle, 90, 1e-9);
  // "cc0": the base point is the lower left corner; the half-width digits of
  // style 1 (3 mm wide) stand in cells 1.5 wide.
  const std::vector<double> centres = CellCentres(*texts[0]);
  ASSERT_EQ(centres.size(), 3u);
  EXPECT_NEAR(centres[0], 0.75, 1e-9);
  EXPECT_NEAR(centres[1], 2.25, 1e-9);
  EXPECT_NEAR(centres[2], 3.75, 1e-9);
  // Host style 1 is 3 mm high at scale 1.
  EXPECT_NEAR(texts[0]->Number("font-size"), 3 * p.Drawing.A, 1e-9);
  EXPECT_EQ(p.SkipComment(), "");
}

TEST(PreviewOfExchangeFiles, FilesWithoutEntitiesGiveAnEmptyPictureWithANote) {
  const std::string files[] = {
      "",
      "\r\n\r\n   \r\n",
      "hk 0\r\nhs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\nlg0\r\nly0\r\nlc1\r\nlt1\r\nlw0\r\n"
      "cn1\r\ncc0\r\npn1\r\nz3\r\nhhp1\r\n",
  };
  for (const std::string& file : files) {
    const Picture p = RenderFile(file);
    EXPECT_TRUE(p.Layer("drawing")->Children.empty());
    const Element* note = p.Layer("empty-note");
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->Text, "Nothing to draw");
  }
}

TEST(PreviewOfExchangeFiles, HugeAndNaNProducingNumbersAreSkippedAndCounted) {
  const std::string file =
      "0 0 100 100\r\n"                        // drawn
      "1e308 0 -1e308 0\r\n"                  // its length would overflow
      "ci 0 0 1e300\r\n"
      "ci 0 0 1e11 0 90 1e11 0\r\n"           // radius times flatness is too big
      "pt 1e200 1e200\r\n"
      "pt 0 0 1e300 0 3\r\n"
      "cs 5e12 0 1 0 \"X\r\n"
      "sl 0 0 1e13 0 0 1e13\r\n"
      "hp1 -1e300 1e300\r\n"
      "50 50 60 60\r\n";                      // drawn
  const Picture p = RenderFile(file);
  EXPECT_EQ(p.SkipComment(), "skipped entities: 8");
  const auto lines = p.Find("drawing", "line");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1]->Number("x1"), 50);
  // The scale comes from the usable entities alone.
  EXPECT_NEAR(p.Drawing.A, 10, 1e-9);
}

}  // namespace

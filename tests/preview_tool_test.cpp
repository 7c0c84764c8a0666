// The command-line program orvane-preview: a host file underneath in grey,
// our output over it at the host's scales, Shift-JIS shown as what it says,
// and clear failures for wrong arguments and unreadable inputs.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>

#include "preview/Palette.h"
#include "support/PreviewTestSupport.h"

using namespace preview_testing;
using svg_testing::Element;
namespace fs = std::filesystem;

namespace {

const std::string kProgram = std::string(ORVANE_BINARY_DIR) + "/orvane-preview";

int RunPreview(const std::string& arguments) {
  const int status = std::system((kProgram + " " + arguments + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Quote(const fs::path& path) { return "'" + path.string() + "'"; }

// A host file at layer-group scale 50, with text style 1 of 2 mm in pen 5,
// two picked points, an old dimension line and a Japanese text in its
// selection.
std::string HostFile() {
  return "hk 0\r\n"
         "hs 50 50 50 50 50 50 50 50 50 50 50 50 50 50 50 50\r\n"
         "hcw 2 3 3 3 3 3 3 3 3 3\r\nhch 2 3 3 3 3 3 3 3 3 3\r\n"
         "hcd 0 0 0 0 0 0 0 0 0 0\r\nhcc 5 2 2 2 2 2 2 2 2 2\r\n"
         "lg0\r\nly0\r\nlc2\r\nlt1\r\nlw0\r\ncn1\r\n"
         "hp1 100 1500\r\nhp2 -600 1200\r\n"
         "lc3\r\n-500 0 -500 1000\r\n" +
         testing_support::Utf8ToSjis(testing_support::U8(u8"ch -450 500 0 1 \"寸法 ﾃｷｽﾄ\r\n"));
}

// Output lines as the program writes them: no scales of their own.
const char* kOutputFile =
    "lg0\r\nly0\r\nlc2\r\n"
    "z3\r\n-500 1000 -500 1500\r\n"
    "cn1\r\ncc0\r\nz3\r\ncs -600 1200 0 10 \"500\r\n";

TEST(PreviewProgram, DrawsTheHostFileInGreyUnderTheOutput) {
  testing_support::ScratchDir dir;
  testing_support::WriteFileBytes(dir / "host.txt", HostFile());
  testing_support::WriteFileBytes(dir / "JWC_TEMP.TXT", kOutputFile);
  ASSERT_EQ(RunPreview("--before " + Quote(dir / "host.txt") + " " + Quote(dir / "JWC_TEMP.TXT") + " " +
                Quote(dir / "out.svg")),
            0);
  const Picture p = Inspect(testing_support::ReadFileBytes(dir / "out.svg"));

  const auto hostLines = p.Find("before", "line", "line");
  ASSERT_EQ(hostLines.size(), 1u);
  EXPECT_EQ(hostLines[0]->Attr("stroke"), kUnderlayColour);
  EXPECT_EQ(hostLines[0]->Number("y2"), 1000);
  const auto hostTexts = p.Find("before", "text", "text");
  ASSERT_EQ(hostTexts.size(), 1u);
  EXPECT_EQ(hostTexts[0]->Text, testing_support::U8(u8"寸法 ﾃｷｽﾄ"));
  const auto picks = p.Find("before", "g", "picked-point");
  ASSERT_EQ(picks.size(), 2u);

  const auto lines = p.Find("drawing", "line", "line");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]->Attr("stroke"), "#000000");
  const auto values = p.Find("drawing", "text", "text");
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0]->Text, "500");
  // The output's style 1 is the host's: 2 mm at the host's scale 50, that is
  // 100 drawing units high, in pen 5.
  EXPECT_NEAR(values[0]->Number("font-size"), 100 * p.Drawing.A, 1e-9);
  EXPECT_NEAR(hostTexts[0]->Number("font-size"), 100 * p.Drawing.A, 1e-9);
  EXPECT_EQ(values[0]->Attr("fill"), "#e000c0");

  const auto legend = svg_testing::FindAll(p.Doc.Root, [](const Element& e) { return e.HasClass("legend"); });
  ASSERT_EQ(legend.size(), 2u);
  EXPECT_EQ(legend[0]->Text, "host.txt (host file, grey)");
  EXPECT_EQ(legend[1]->Text, "JWC_TEMP.TXT");
}

// A settings file whose chain was stored at layer-group scale 100: from
// (0, 0) to (0, 2000) on the dimension line through (-1000, 600).
std::string SettingsFile() {
  std::string file;
  const char* lines[] = {"100", "100", "0", "0", "0", "3", "2", "1", "", "", "0.5", "2", "2", "3",
                         "15", "2", "0", "0", "0", "0", "0", "0", "0", "100", "0",
                         "0", "0", "0", "2000", "-1000", "600"};
  for (const char* line : lines) file += std::string(line) + "\r\n";
  return file;
}

TEST(PreviewProgram, OverlaysTheStoredChainAtTheHostScale) {
  testing_support::ScratchDir dir;
  testing_support::WriteFileBytes(dir / "host.txt", HostFile());
  testing_support::WriteFileBytes(dir / "JWC_TEMP.TXT", kOutputFile);
  testing_support::WriteFileBytes(dir / "vk38.dat", SettingsFile());
  const std::string files = Quote(dir / "JWC_TEMP.TXT") + " " + Quote(dir / "out.svg");
  // Shown at the host's scale 50, the stored coordinates are halved; without
  // a host file the output's own (default) scale 1 applies.
  struct Case {
    std::string arguments;
    double factor;
  };
  for (const Case& c : {Case{"--before " + Quote(dir / "host.txt") + " ", 0.5}, Case{"", 0.01}}) {
    ASSERT_EQ(RunPreview(c.arguments + "--chain " + Quote(dir / "vk38.dat") + " " + files), 0);
    const Picture p = Inspect(testing_support::ReadFileBytes(dir / "out.svg"));
    const auto band = p.Find("chain", "line", "chain-line");
    ASSERT_EQ(band.size(), 1u);
    EXPECT_DOUBLE_EQ(band[0]->Number("x1"), -1000 * c.factor);
    EXPECT_DOUBLE_EQ(band[0]->Number("y1"), 0);
    EXPECT_DOUBLE_EQ(band[0]->Number("x2"), -1000 * c.factor);
    EXPECT_DOUBLE_EQ(band[0]->Number("y2"), 2000 * c.factor);
    // The chain lies between the host file and the output.
    const Element* group = svg_testing::FindById(p.Doc.Root, "fitted-drawing");
    std::vector<std::string> order;
    for (const Element& layer : group->Children) order.push_back(layer.Attr("id"));
    const std::vector<std::string> expected =
        c.arguments.empty() ? std::vector<std::string>{"chain", "drawing"}
                            : std::vector<std::string>{"before", "chain", "drawing"};
    EXPECT_EQ(order, expected);
  }
  // A horizontal chain (vk47h.dat): its dimension line along the host's
  // horizontal axis, level with its measured points across it.
  std::string horizontal = SettingsFile();
  horizontal.replace(horizontal.find("0\r\n100\r\n0\r\n0\r\n0\r\n0\r\n2000\r\n-1000\r\n600\r\n"),
                     std::string::npos, "0\r\n100\r\n0\r\n0\r\n0\r\n2000\r\n0\r\n600\r\n-1000\r\n");
  testing_support::WriteFileBytes(dir / "vk47h.dat", horizontal);
  ASSERT_EQ(RunPreview("--before " + Quote(dir / "host.txt") + " --horizontal --chain " +
                       Quote(dir / "vk47h.dat") + " " + files),
            0);
  const Picture turned = Inspect(testing_support::ReadFileBytes(dir / "out.svg"));
  const auto band = turned.Find("chain", "line", "chain-line");
  ASSERT_EQ(band.size(), 1u);
  // (The axes turned by 90 degrees leave noise in the last bits.)
  const double ends[] = {0, -500, 1000, -500};
  for (int i = 0; i < 4; ++i) {
    const char* name[] = {"x1", "y1", "x2", "y2"};
    EXPECT_NEAR(std::stod(band[0]->Attr(name[i])), ends[i], 1e-9) << name[i];
  }
}

// A host file whose selection holds a chain the program drew: a dimension
// line from (-500, 0) to (-500, 1000) with its extension lines and its value
// beside it, and the underline of a value; and farther from the value
// position another dimension line, from (-800, 0) to (-800, 600), with its
// value.
std::string PickedHostFile() {
  return HostFile() +
         "z3\r\n-2 0 -502 0\r\nz3\r\n-2 1000 -502 1000\r\nz3\r\n-500 0 -500 1000\r\n"
         "cn1\r\nz3\r\ncs -510 300 0 1 \"1000\r\n"
         "z3\r\n-599.5 1199.5 -599.5 1205\r\n"
         "z3\r\n-600 0 -802 0\r\nz3\r\n-600 600 -802 600\r\nz3\r\n-800 0 -800 600\r\n"
         "z3\r\ncs -810 250 0 1 \"600\r\n";
}

TEST(PreviewProgram, OverlaysTheChainFoundInTheSelectionAsAStoredOne) {
  testing_support::ScratchDir dir;
  testing_support::WriteFileBytes(dir / "host.txt", PickedHostFile());
  testing_support::WriteFileBytes(dir / "JWC_TEMP.TXT", kOutputFile);
  testing_support::WriteFileBytes(dir / "vk38.dat", SettingsFile());
  // The same picture as a chain stored from (-500, 0) to (-500, 1000), at
  // the host's scale; from the host file given underneath or alone.
  std::string stored = SettingsFile();
  stored.replace(stored.find("0\r\n100\r\n0\r\n0\r\n0\r\n0\r\n2000\r\n-1000\r\n600\r\n"),
                 std::string::npos, "0\r\n50\r\n0\r\n-500\r\n0\r\n-500\r\n1000\r\n-500\r\n0\r\n");
  testing_support::WriteFileBytes(dir / "stored.dat", stored);
  const std::string before = "--before " + Quote(dir / "host.txt") + " ";
  ASSERT_EQ(RunPreview(before + "--chain " + Quote(dir / "stored.dat") + " " +
                       Quote(dir / "JWC_TEMP.TXT") + " " + Quote(dir / "stored.svg")),
            0);
  ASSERT_EQ(RunPreview(before + "--picked " + Quote(dir / "JWC_TEMP.TXT") + " " +
                       Quote(dir / "picked.svg")),
            0);
  ASSERT_EQ(RunPreview("--picked " + Quote(dir / "host.txt") + " " + Quote(dir / "alone.svg")), 0);
  const Picture expected = Inspect(testing_support::ReadFileBytes(dir / "stored.svg"));
  for (const char* name : {"picked.svg", "alone.svg"}) {
    SCOPED_TRACE(name);
    const Picture p = Inspect(testing_support::ReadFileBytes(dir / name));
    for (const char* kind : {"chain-line", "chain-extension"}) {
      const auto got = p.Find("chain", "line", kind);
      const auto want = expected.Find("chain", "line", kind);
      ASSERT_EQ(got.size(), want.size());
      for (std::size_t i = 0; i < got.size(); ++i)
        for (const char* a : {"x1", "y1", "x2", "y2"})
          EXPECT_DOUBLE_EQ(got[i]->Number(a), want[i]->Number(a)) << kind << " " << a;
    }
    const auto band = p.Find("chain", "line", "chain-line");
    ASSERT_EQ(band.size(), 1u);
    EXPECT_DOUBLE_EQ(band[0]->Number("x1"), -500);
    EXPECT_DOUBLE_EQ(band[0]->Number("y2"), 1000);
    // Looked at and found to be no dimension lines: the plain line under
    // the dimension line and the value's underline.
    std::vector<std::array<double, 3>> seen;
    for (const auto* line : p.Find("chain", "line", "chain-seen"))
      seen.push_back({line->Number("x1"), line->Number("y1"), line->Number("y2")});
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::array<double, 3>>{{-599.5, 1199.5, 1205}, {-500, 0, 1000}}));
    const auto other = p.Find("chain", "line", "chain-other");
    ASSERT_EQ(other.size(), 1u);
    EXPECT_DOUBLE_EQ(other[0]->Number("x1"), -800);
    EXPECT_DOUBLE_EQ(other[0]->Number("y2"), 600);
  }
  // The same chain clicked: its dimension line tagged as the line clicked
  // at (-500, 400), the value position and the measured point after it. The
  // same band, the clicked line drawn over and the click as a dot.
  std::string clicked = PickedHostFile();
  const std::string picks = "hp1 100 1500\r\nhp2 -600 1200\r\n";
  clicked.replace(clicked.find(picks), picks.size(),
                  "hp1ln -500 400\r\nhp2 100 1500\r\nhp3 -600 1200\r\n");
  clicked.replace(clicked.find("z3\r\n-500 0 -500 1000"), 2, "hhp1ln\r\nz3");
  testing_support::WriteFileBytes(dir / "clicked.txt", clicked);
  ASSERT_EQ(RunPreview("--clicked " + Quote(dir / "clicked.txt") + " " + Quote(dir / "clicked.svg")),
            0);
  const Picture click = Inspect(testing_support::ReadFileBytes(dir / "clicked.svg"));
  const auto band = click.Find("chain", "line", "chain-line");
  ASSERT_EQ(band.size(), 1u);
  EXPECT_DOUBLE_EQ(band[0]->Number("x1"), -500);
  EXPECT_DOUBLE_EQ(band[0]->Number("y2"), 1000);
  const auto line = click.Find("chain", "line", "chain-clicked");
  ASSERT_EQ(line.size(), 1u);
  EXPECT_EQ((std::array{line[0]->Number("x1"), line[0]->Number("y1"), line[0]->Number("x2"),
                        line[0]->Number("y2")}),
            (std::array{-500.0, 0.0, -500.0, 1000.0}));
  const auto dot = click.Find("chain", "circle", "chain-click");
  ASSERT_EQ(dot.size(), 1u);
  EXPECT_DOUBLE_EQ(dot[0]->Number("cy"), 400);
  // A selection without a vertical dimension line: drawn, with the chain's
  // layer empty; --picked and --chain exclude each other.
  testing_support::WriteFileBytes(dir / "host.txt", HostFile());
  ASSERT_EQ(RunPreview(before + "--picked " + Quote(dir / "JWC_TEMP.TXT") + " " +
                       Quote(dir / "none.svg")),
            0);
  EXPECT_TRUE(Inspect(testing_support::ReadFileBytes(dir / "none.svg"))
                  .Find("chain", "line", "chain-line")
                  .empty());
  for (const char* both : {"--picked --chain ", "--clicked --chain ", "--picked --clicked --chain "})
    EXPECT_EQ(RunPreview(before + both + Quote(dir / "vk38.dat") + " " +
                         Quote(dir / "JWC_TEMP.TXT") + " " + Quote(dir / "none.svg")),
              2);
}

TEST(PreviewProgram, RefusesWrongArgumentsAndUnreadableFiles) {
  testing_support::ScratchDir dir;
  testing_support::WriteFileBytes(dir / "JWC_TEMP.TXT", kOutputFile);
  const std::string input = Quote(dir / "JWC_TEMP.TXT");
  const std::string output = Quote(dir / "out.svg");
  struct Case {
    std::string arguments;
    int status;
  };
  const Case cases[] = {
      {"", 2},
      {input, 2},
      {input + " " + output + " extra", 2},
      {"--unknown " + input + " " + output, 2},
      {"--before", 2},
      {"--size 99 " + input + " " + output, 2},
      {"--size 20001 " + input + " " + output, 2},
      {"--size 5e2 " + input + " " + output, 2},
      {Quote(dir / "missing.txt") + " " + output, 1},
      {"--before " + Quote(dir / "missing.txt") + " " + input + " " + output, 1},
      {"--chain " + Quote(dir / "missing.dat") + " " + input + " " + output, 1},
      {input + " " + Quote(dir / "no-such-folder" / "out.svg"), 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RunPreview(c.arguments), c.status) << c.arguments;
    EXPECT_FALSE(fs::exists(dir / "out.svg")) << c.arguments;
  }
  EXPECT_EQ(RunPreview("--size 300 " + input + " " + output), 0);
  const Picture p = Inspect(testing_support::ReadFileBytes(dir / "out.svg"));
  // The drawing's longer side (500 units) becomes 300 pixels.
  EXPECT_NEAR(p.Drawing.A * 500, 300, 1e-9);
}

}  // namespace

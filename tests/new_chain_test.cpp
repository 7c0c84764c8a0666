// A new chain started without the companion tool: OK draws its first
// dimension between picked points 1 and 2, with the dimension line through
// point 3 and the value at point 4, exactly as a continuation from the lower
// to the upper point would be drawn (but with both extension lines), and
// stores the chain so that the next ordinary run continues it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "dialog/DialogModel.h"
#include "dimension/OkPlan.h"
#include "frontends/headless/HeadlessRun.h"
#include "support/RunFiles.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using headless::RunOnce;
using headless::RunOptions;
using headless::RunResult;
using headless::TranscriptLines;
using headless::WithoutNotices;
using testing_support::HostFile;
using testing_support::ReadFileBytes;
using testing_support::ScratchDir;
using testing_support::SettingsFile;
using testing_support::SplitCrLf;
using testing_support::WriteFileBytes;

namespace {

const std::vector<std::string> kSuccess = {"status: 処理中です", "status: ファイル生成中です",
                                           "closed"};

struct Program {
  ScratchDir dir;
  ChainDirection Direction = ChainDirection::Vertical;
  RunResult Run(const HostFile& host, const std::optional<SettingsFile>& settings, bool newChain,
                RunPace pace = RunPace::Dialog) {
    const RunMode& mode =
        RunModeOf(Direction, newChain ? ChainSource::Picks : ChainSource::Stored, pace);
    WriteFileBytes(dir / "JWC_TEMP.TXT", host.Bytes());
    if (settings) WriteFileBytes(dir / mode.SettingsFile, settings->Bytes());
    RunOptions options;
    options.Mode = &mode;
    return RunOnce(dir.Path(), options);
  }
  std::string Answer() const { return ReadFileBytes(dir / "JWC_TEMP.TXT"); }
  std::string Saved() const { return ReadFileBytes(dir / RunModeOf(Direction, ChainSource::Stored).SettingsFile); }
};

// "x y" of a point given as "x y".
std::vector<std::string> Coordinates(const std::string& point) {
  const std::size_t blank = point.find(' ');
  return {point.substr(0, blank), point.substr(blank + 1)};
}

TEST(NewChain, FirstDimensionIsTheContinuationFromTheLowerPoint) {
  struct Case {
    const char* name;
    std::string axis, scale;
    std::string lower, upper, d, q;  // along the host's vertical; dimension line; value
    bool upperPickedFirst;
  };
  const Case cases[] = {
      {"upright, lower point picked first", "0", "1", "0 0", "0 1000", "-500 300", "-600 1200", false},
      {"upright, upper point picked first", "0", "1", "0 0", "0 1000", "-500 300", "-600 1200", true},
      {"turned axes at 1:50", "30", "50", "1000 -200", "-2000 5000", "-4000 300", "-5200 2400", true},
      {"too short for the marks: reversed", "0", "1", "10 10", "12 14", "-300 0", "-400 20", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HostFile host;
    host.Axis = c.axis;
    host.Scales.clear();
    for (int group = 0; group < 16; ++group) host.Scales += (group ? " " : "") + c.scale;
    host.Picks = c.upperPickedFirst ? std::vector<std::string>{c.upper, c.lower, c.d, c.q}
                                    : std::vector<std::string>{c.lower, c.upper, c.d, c.q};
    SettingsFile settings;
    settings.Scale = c.scale;
    Program fresh;
    EXPECT_EQ(TranscriptLines(WithoutNotices(fresh.Run(host, settings, true).Transcript)),
              kSuccess);

    // The ordinary continuation of a chain shrunk to the lower point and
    // stored at another axis angle, to the upper point, value at point 4.
    SettingsFile shrunk = settings;
    shrunk.Angle = c.axis == "0" ? "45" : "0";
    shrunk.Chain.clear();
    for (const std::string& point : {c.lower, c.lower, c.d})
      for (const std::string& v : Coordinates(point)) shrunk.Chain.push_back(v);
    HostFile continued = host;
    continued.Picks = {c.upper, c.q};
    Program ordinary;
    EXPECT_EQ(TranscriptLines(WithoutNotices(ordinary.Run(continued, shrunk, false).Transcript)),
              kSuccess);

    // The same drawing; only the hand-over at the head differs: a new chain
    // goes on with the usual launcher, a continuation repeats it.
    const std::string drawn = fresh.Answer();
    const std::string newHead = "h/vk47_Orvane.bat\r\n";
    ASSERT_EQ(drawn.rfind(newHead, 0), 0u);
    EXPECT_EQ("hr\r\n" + drawn.substr(newHead.size()), ordinary.Answer());
    EXPECT_EQ(fresh.Saved(), ordinary.Saved());
    // Two extension lines, as with turned axes.
    const std::vector<std::string> lines = SplitCrLf(fresh.Answer());
    EXPECT_GE(std::count(lines.begin(), lines.end(), "z3"), 6);
  }
}

// The golden files that the Windows program started through its new-chain
// launcher is held to as well: the worked example's dimension, with the
// extension line at its lower end too.
TEST(NewChain, GoldenFilesWithoutASettingsFile) {
  const fs::path golden = fs::path(ORVANE_SOURCE_DIR) / "tests" / "data" / "new_chain";
  Program program;
  fs::copy_file(golden / "JWC_TEMP.TXT", program.dir / "JWC_TEMP.TXT");
  RunOptions options;
  options.Mode = &RunModeOf(ChainDirection::Vertical, ChainSource::Picks);
  EXPECT_EQ(TranscriptLines(WithoutNotices(RunOnce(program.dir.Path(), options).Transcript)),
            kSuccess);
  EXPECT_EQ(program.Answer(), ReadFileBytes(golden / "expected_JWC_TEMP.TXT"));
  EXPECT_EQ(program.Saved(), ReadFileBytes(golden / "expected_vk38.dat"));
}

TEST(NewChain, TheStoredChainIsContinuedByTheNextOrdinaryRun) {
  HostFile host;
  host.Picks = {"0 1000", "0 0", "-500 300", "-600 500"};
  Program program;
  ASSERT_EQ(TranscriptLines(WithoutNotices(program.Run(host, std::nullopt, true).Transcript)),
            kSuccess);
  const std::vector<std::string> saved = SplitCrLf(program.Saved());
  ASSERT_EQ(saved.size(), 31u);
  EXPECT_EQ(std::vector<std::string>(saved.begin() + 22, saved.end()),
            (std::vector<std::string>{"0", "1", "0", "0", "0", "0", "1000", "-500", "300"}));

  // The next ordinary run continues it above, exactly as from a chain file
  // written by the companion tool with the same chain.
  HostFile next;
  next.Picks = {"100 1500", "-600 1200"};
  WriteFileBytes(program.dir / "JWC_TEMP.TXT", next.Bytes());
  RunOptions options;
  ASSERT_EQ(TranscriptLines(WithoutNotices(RunOnce(program.dir.Path(), options).Transcript)),
            kSuccess);
  Program companion;
  SettingsFile chain;
  chain.Chain = {"0", "0", "0", "1000", "-500", "300"};
  EXPECT_EQ(TranscriptLines(WithoutNotices(companion.Run(next, chain, false).Transcript)),
            kSuccess);
  EXPECT_EQ(program.Answer(), companion.Answer());
  const std::vector<std::string> continued = SplitCrLf(program.Saved());
  EXPECT_EQ(std::vector<std::string>(continued.begin() + 25, continued.end()),
            (std::vector<std::string>{"0", "0", "100", "1500", "-500", "300"}));
}

TEST(NewChain, ContinuationWithoutItsPicksNamesThemAndDrawsNothing) {
  // A point the host did not send would stand at the origin: never taken
  // for a pick, neither inside the chain nor outside it.
  struct Case {
    std::vector<std::string> picks;
    const char* missing;
  };
  const Case cases[] = {
      {{"0 1500"}, "#2 寸法値の位置"},
      {{}, "#1 計測点、#2 寸法値の位置"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.missing);
    HostFile host;
    host.Picks = c.picks;
    Program program;
    const SettingsFile settings;
    const RunResult result = program.Run(host, settings, false);
    const std::string first = std::string("指示点が足りません（") + c.missing + "）。";
    const std::string second = "垂直寸法は追加出来ません。";
    EXPECT_EQ(TranscriptLines(result.Transcript),
              (std::vector<std::string>{"notice: " + first, "notice: " + second,
                                        "message: " + first + second, "closed"}));
    EXPECT_EQ(program.Answer(), "hq\r\n");
    EXPECT_EQ(program.Saved(), settings.Bytes());
    // At the quick pace the host shows the message.
    Program quick;
    EXPECT_TRUE(quick.Run(host, settings, false, RunPace::Quick).Transcript.empty());
    EXPECT_EQ(quick.Answer(), "he" + first + second + "\r\n");
    EXPECT_EQ(quick.Saved(), settings.Bytes());
  }
}

TEST(NewChain, MissingPicksAreNamedAndNothingIsDrawn) {
  struct Case {
    std::vector<std::string> picks;
    const char* missing;
  };
  const Case cases[] = {
      {{"0 0", "0 1000", "-500 300"}, "#4 寸法値の位置"},
      {{"0 0", "0 1000"}, "#3 寸法線の位置、#4 寸法値の位置"},
      {{}, "#1 計測点、#2 計測点、#3 寸法線の位置、#4 寸法値の位置"},
  };
  for (const Case& c : cases) {
    HostFile host;
    host.Picks = c.picks;
    Program program;
    const SettingsFile settings;
    const RunResult result = program.Run(host, settings, true);
    // The notice tells it before OK, a sentence a line.
    const std::string first = std::string("指示点が足りません（") + c.missing + "）。";
    const std::string second = "新しい垂直寸法は作図出来ません。";
    EXPECT_EQ(TranscriptLines(result.Transcript),
              (std::vector<std::string>{"notice: " + first, "notice: " + second,
                                        "message: " + first + second, "closed"}));
    EXPECT_EQ(program.Answer(), "hq\r\n");
    EXPECT_EQ(program.Saved(), settings.Bytes());
  }
}

// Without its settings file (vk38.dat, or vk47h.dat for a horizontal
// chain) a new chain takes the dialog's defaults, and OK creates the file; a
// horizontal chain leaves the vertical chain's vk38.dat as it was.
TEST(NewChain, WithoutSettingsFileTheDefaultsServeSilently) {
  const struct {
    ChainDirection direction;
    const char* axis;
    const char* notice;
  } cases[] = {{ChainDirection::Vertical, "0", "notice: 新しい垂直寸法　長さ 1000"},
               {ChainDirection::Horizontal, "90", "notice: 新しい水平寸法　長さ 1000"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.notice);
    HostFile host;
    host.Axis = c.axis;
    host.Picks = {"0 0", "0 1000", "-500 300", "-600 1200"};
    Program program;
    program.Direction = c.direction;
    const std::string companion = SettingsFile{}.Bytes();
    const bool horizontal = c.direction == ChainDirection::Horizontal;
    if (horizontal) WriteFileBytes(program.dir / "vk38.dat", companion);
    const RunResult result = program.Run(host, std::nullopt, true);
    std::vector<std::string> expected = {c.notice, "notice: 寸法値「1000」"};
    expected.insert(expected.end(), kSuccess.begin(), kSuccess.end());
    EXPECT_EQ(TranscriptLines(result.Transcript), expected);
    // The dialog stayed where it was first shown, and the defaults were used:
    // precision 0.001 and the host's current text style.
    const std::vector<std::string> saved = SplitCrLf(program.Saved());
    ASSERT_EQ(saved.size(), 31u);
    EXPECT_EQ(saved[0], std::to_string(kInitialWindowLeft));
    EXPECT_EQ(saved[1], std::to_string(kInitialWindowTop));
    EXPECT_EQ(std::vector<std::string>(saved.begin() + 2, saved.begin() + 7),
              (std::vector<std::string>{"0", "0", "0", "3", "2"}));
    EXPECT_EQ(saved[24], c.axis);
    EXPECT_NE(program.Answer().find("cs -600 1200 "), std::string::npos);
    if (horizontal) {
      EXPECT_EQ(ReadFileBytes(program.dir / "vk38.dat"), companion);
    }
  }
}

}  // namespace

// The notice pane: what it tells before OK, against what OK then does, in
// whole headless runs on the worked example and on chains like it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dialog/SettingsTable.h"
#include "dimension/OkNotice.h"
#include "frontends/headless/HeadlessRun.h"
#include "support/RunFiles.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using headless::FinishAction;
using headless::RunOnce;
using headless::RunOptions;
using headless::RunResult;
using headless::SettingChange;
using headless::TranscriptLines;
using headless::WithoutNotices;
using testing_support::ReadFileBytes;
using testing_support::ScratchDir;
using testing_support::WorkedExampleFolder;
using testing_support::WriteFileBytes;
using Host = testing_support::HostFile;
using Stored = testing_support::SettingsFile;
using Lines = std::vector<std::string>;

namespace {

const std::string kInside = "直前作図した垂直寸法線の内側を指定する事は出来ません。";

class OkNoticeTest : public ::testing::Test {
 protected:
  ScratchDir dir;
  fs::path exchange = dir / "JWC_TEMP.TXT";
  fs::path settings = dir / "vk38.dat";

  // The chain of the worked example, from (0, 0) to (0, 1000) with its
  // dimension line at x = -500, and picked point 1 at `p1`.
  void Prepare(const std::string& p1 = "100 1500") {
    Host host;
    host.Picks[0] = p1;
    WriteFileBytes(exchange, host.Bytes());
    WriteFileBytes(settings, Stored{}.Bytes());
  }

  // The value text of the text command that OK wrote (after its quote).
  std::string ValueWritten() {
    const std::string out = ReadFileBytes(exchange);
    const std::size_t command = out.find("\r\ncs ");
    if (command == std::string::npos) return "(no text written)";
    const std::size_t quote = out.find('"', command);
    return out.substr(quote + 1, out.find("\r\n", quote) - quote - 1);
  }
};

// The text between "寸法値「" and the last "」" of a notice's value line.
std::string Quoted(const std::string& line) {
  const std::string open = "寸法値「";
  const std::string close = "」";
  if (line.rfind(open, 0) != 0 || line.size() < open.size() + close.size() ||
      line.compare(line.size() - close.size(), close.size(), close) != 0)
    return "(no value line: " + line + ")";
  return line.substr(open.size(), line.size() - open.size() - close.size());
}

TEST_F(OkNoticeTest, WorkedExampleTellsTheValueOkWrites) {
  for (const char* name : {"JWC_TEMP.TXT", "vk38.dat"})
    fs::copy_file(WorkedExampleFolder() / name, dir / name);
  const RunResult result = RunOnce(dir.Path());
  EXPECT_EQ(TranscriptLines(result.Transcript),
            (Lines{"notice: 上へ延長　長さ 500", "notice: 寸法値「500」", "status: 処理中です",
                   "status: ファイル生成中です", "closed"}));
  EXPECT_EQ(ValueWritten(), "500");
  EXPECT_EQ(ReadFileBytes(exchange), ReadFileBytes(WorkedExampleFolder() / "expected_JWC_TEMP.TXT"));
}

TEST_F(OkNoticeTest, ValueTextIsTheOneOkThenWrites) {
  struct Case {
    std::string P1;
    std::vector<SettingChange> Changes;
    Lines Notice;
  };
  const Case cases[] = {
      {"40 -734.5678", {}, {"下へ延長　長さ 734.5678", "寸法値「734.568」"}},
      {"0 -1234.99",
       {{"Precision", "0"}, {"Rounding", "0"}},
       {"下へ延長　長さ 1234.99", "寸法値「1234」"}},
      {"100 2734.5678",
       {{"Precision", "1"}, {"ThousandsCommas", "1"}, {"FullWidth", "1"}, {"AppendUnit", "1"},
        {"Prefix", "H="}, {"Suffix", "(参考)"}},
       {"上へ延長　長さ 1734.5678", "寸法値「H=１，７３４．６mm(参考)」"}},
      {"100 2500",
       {{"ValueUnit", "1"}, {"ZeroDisplay", "1"}, {"AppendUnit", "1"}, {"Rounding", "1"}},
       {"上へ延長　長さ 1500", "寸法値「1.500ｍ」"}},
      // A blank prefix counts as none; a suffix with letters keeps its blank.
      {"100 1500", {{"Prefix", "　"}, {"Suffix", " 寸"}}, {"上へ延長　長さ 500", "寸法値「500 寸」"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.P1 + " " + c.Notice.back());
    Prepare(c.P1);
    RunOptions options;
    options.Changes = c.Changes;
    const RunResult result = RunOnce(dir.Path(), options);
    // The pane as it stood when OK was pressed.
    EXPECT_EQ(result.Dialog.NoticeLines, c.Notice);
    EXPECT_EQ(TranscriptLines(WithoutNotices(result.Transcript)),
              (Lines{"status: 処理中です", "status: ファイル生成中です", "closed"}));
    ASSERT_EQ(result.Dialog.NoticeLines.size(), 2u);
    EXPECT_EQ(Quoted(result.Dialog.NoticeLines[1]), ValueWritten());
  }
}

TEST_F(OkNoticeTest, FollowsEveryChangeAndChangesNothing) {
  Prepare("100 1500.25");
  const std::string before = ReadFileBytes(settings);
  RunOptions options;
  options.Changes = {{"Precision", "0"}, {"MarkScale", "0"}, {"MarkScale", "1.5"},
                     {"Prefix", "L="}};
  options.Action = FinishAction::Cancel;
  const RunResult result = RunOnce(dir.Path(), options);
  EXPECT_EQ(TranscriptLines(result.Transcript),
            (Lines{"notice: 上へ延長　長さ 500.25", "notice: 寸法値「500.25」",
                   "notice: 上へ延長　長さ 500.25", "notice: 寸法値「500」",
                   "notice: 「端点倍率」の値では作図出来ません。",
                   "notice: 上へ延長　長さ 500.25", "notice: 寸法値「500」",
                   "notice: 上へ延長　長さ 500.25", "notice: 寸法値「L=500」", "closed"}));
  EXPECT_EQ(ReadFileBytes(settings), before);
  EXPECT_EQ(ReadFileBytes(exchange), "hq\r\n");
  EXPECT_EQ(result.Dialog[Control::MarkScale].Text, "1.5");
}

TEST_F(OkNoticeTest, PointInsideIsToldBeforeOkRefusesIt) {
  for (const char* p1 : {"0 500", "-7 1000", "3 0"}) {
    SCOPED_TRACE(p1);
    Prepare(p1);
    const std::string before = ReadFileBytes(settings);
    const RunResult result = RunOnce(dir.Path());
    EXPECT_EQ(TranscriptLines(result.Transcript),
              (Lines{"notice: " + kInside, "message: " + kInside, "closed"}));
    EXPECT_EQ(ReadFileBytes(settings), before);
  }
}

TEST_F(OkNoticeTest, RefusedValueIsNamedByTheLabelOfTheControlOkFocuses) {
  struct Case {
    std::vector<SettingChange> Changes;
    std::string Notice;
    std::string Focused;
  };
  const Case cases[] = {
      {{{"MarkScale", "0"}}, "「端点倍率」の値では作図出来ません。", "MarkScale"},
      {{{"ArrowAngle", "180"}}, "「角度」の値では作図出来ません。", "ArrowAngle"},
      {{{"ExtLineOvershoot", "-1"}}, "「寸法補助線のはみ出し距離」の値では作図出来ません。", "ExtLineOvershoot"},
      {{{"EndMark", "12"}}, "「終点」が選ばれていませんので作図出来ません。", "EndMark"},
      {{{"Precision", "-1"}}, "「寸法値の精度」が選ばれていませんので作図出来ません。", "Precision"},
      // The first value that OK refuses, in its order of checks.
      {{{"ReverseArrowOvershoot", "-1"}, {"TextStyle", "-1"}},
       "「寸法値の文字種」が選ばれていませんので作図出来ません。", "TextStyle"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Focused);
    Prepare();
    RunOptions options;
    options.Changes = c.Changes;
    const RunResult result = RunOnce(dir.Path(), options);
    EXPECT_EQ(result.Dialog.NoticeLines, Lines{c.Notice});
    EXPECT_EQ(TranscriptLines(WithoutNotices(result.Transcript)),
              (Lines{"focus: " + c.Focused, "closed"}));
  }

  // A radio group without a chosen button (which the headless dialog cannot
  // show) is named by its frame's caption.
  DialogSettings values = InitialSettings();
  values.TextStyle = 0;
  values.ValueUnit = -1;
  EXPECT_EQ(OkNoticeLines(values, HostState{}),
            Lines{"「寸法値の単位」が選ばれていませんので作図出来ません。"});
}

TEST_F(OkNoticeTest, ZeroLengthIsToldAndAfterOkTheStoredChainCounts) {
  // Level with the upper end of a long chain at 30 degrees: the rounding of
  // the far point puts it a hair above the chain, and the new dimension
  // measures nothing.
  Host host;
  host.Axis = "30";
  host.Picks[0] = "-4877409.537 8807395.127";
  Stored stored;
  stored.Angle = "30";
  stored.Chain = {"0", "0", "-5033066.345", "8717526.627", "-5033499", "8717277"};
  WriteFileBytes(exchange, host.Bytes());
  WriteFileBytes(settings, stored.Bytes());
  const RunResult result = RunOnce(dir.Path());
  // OK stores the chain up to the point and stays open: the point is now the
  // chain's end, which OK would refuse as inside.
  EXPECT_EQ(TranscriptLines(result.Transcript),
            (Lines{"notice: 上へ延長", "notice: 寸法が「0」になりますので作図出来ません",
                   "message: 寸法が「0」になりますので作図出来ません", "notice: " + kInside,
                   "closed"}));
  EXPECT_EQ(ReadFileBytes(exchange), "hq\r\n");
}

}  // namespace

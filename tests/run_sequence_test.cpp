// Whole runs, from show to close, through the headless front end.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialog/DialogModel.h"
#include "dialog/UserTexts.h"
#include "app/ProgramRun.h"
#include "dimension/RunModes.h"
#include "frontends/headless/HeadlessRun.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using headless::FinishAction;
using headless::RunOnce;
using headless::RunOptions;
using headless::TranscriptLines;
using testing_support::ReadFileBytes;
using testing_support::ScratchDir;
using testing_support::SjisToUtf8;
using testing_support::U8;
using testing_support::Utf8ToSjis;
using testing_support::WriteFileBytes;

namespace {

const std::string kHq = "hq\r\n";

// A settings file as the companion tool leaves it (LF line ends).
std::string CompanionSettings() {
  return "-3000\n5000\n2\n3\n4\n1\n0\n1.5\n" + Utf8ToSjis(U8(u8"寸法")) +
         "\nmm\n0.7\n1\n3\n4\n20\n2.5\n1\n0\n1\n0\n0\n0\n2\n100\n0\n0\n0\n0\n1000\n-500\n300\n";
}

std::string TextStyleLines() {
  return "hcw 2.5 3 3 3 3 3 3 3 3 4.25\r\n"
         "hch 2.5 3 3 3 3 3 3 3 3 3\r\n"
         "hcd 0 0 0 0 0 0 0 0 0 0.5\r\n";
}

std::vector<std::string> Utf8Lines(const std::vector<headless::Event>& transcript) {
  std::vector<std::string> lines;
  for (const std::string& line : TranscriptLines(transcript)) lines.push_back(SjisToUtf8(line));
  return lines;
}

class RunSequenceTest : public ::testing::Test {
 protected:
  ScratchDir dir;
  fs::path exchange = dir / "JWC_TEMP.TXT";
  fs::path settings = dir / "vk38.dat";
};

// A continuation of either direction without its own settings file; a
// horizontal one neither reads nor writes the vertical chain's vk38.dat.
TEST_F(RunSequenceTest, MissingSettingsFileIsReportedAndTheRunEnds) {
  const struct {
    ChainDirection direction;
    const char* missing;
    const char8_t* message;
    const char8_t* caption;
    const char8_t* memo;  // the help memo's first line
  } cases[] = {
      {ChainDirection::Vertical, "vk38.dat",
       u8"message: vk38_Velmarが一度も実行されていません。先にそちらを実行して下さい。"
       u8"または vk47_Orvane_new.bat で新しく垂直寸法の連続を開始するか、"
       u8"vk47_Orvane_pick.bat で図面の垂直寸法を範囲選択して下さい。",
       u8"Orvane", u8"◇垂直寸法線の設定は"},
      {ChainDirection::Horizontal, "vk47h.dat",
       u8"message: 水平寸法の連続が記録されていません（vk47h.datがありません）。"
       u8"vk47_Orvane_h_new.bat で新しく水平寸法の連続を開始するか、"
       u8"vk47_Orvane_h_pick.bat で図面の水平寸法を範囲選択して下さい。",
       u8"Orvane 水平寸法", u8"◇水平寸法線の設定は"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.missing);
    const bool horizontal = c.direction == ChainDirection::Horizontal;
    if (horizontal) WriteFileBytes(settings, CompanionSettings());
    WriteFileBytes(exchange, TextStyleLines() + "hp 10 20\r\n");
    RunOptions options;
    options.Mode = &RunModeOf(c.direction, ChainSource::Stored);
    options.MoveWindowTo = headless::WindowMove{1, 2};
    options.Changes = {{"Prefix", "x"}};
    const headless::RunResult result = RunOnce(dir.Path(), options);
    EXPECT_TRUE(result.Refused);
    EXPECT_EQ(Utf8Lines(result.Transcript), (std::vector<std::string>{U8(c.message), "closed"}));
    EXPECT_EQ(ReadFileBytes(exchange), kHq);
    EXPECT_FALSE(fs::exists(dir / c.missing));
    if (horizontal) {
      EXPECT_EQ(ReadFileBytes(settings), CompanionSettings());
    }
    EXPECT_EQ(SjisToUtf8(result.Dialog.Caption), U8(c.caption));
    ASSERT_FALSE(result.Dialog.HelpMemo.empty());
    EXPECT_EQ(SjisToUtf8(result.Dialog.HelpMemo.front()), U8(c.memo));
    // The window never moved and nothing the user might have done was applied.
    EXPECT_EQ(result.Dialog.WindowLeft, 194);
    EXPECT_EQ(result.Dialog.WindowTop, 107);
    EXPECT_EQ(result.Dialog[Control::Prefix].Text, "");
    EXPECT_TRUE(result.Dialog.NoticeLines.empty());
    EXPECT_EQ(result.Settings.LastLayerGroup, -1);
  }
}

// A horizontal run names its own settings file and its own dimensions.
TEST_F(RunSequenceTest, UnreadableSettingsFileIsToldWithItsCauseNotAsMissing) {
  const struct {
    ChainDirection direction;
    const char8_t* told;
  } cases[] = {
      {ChainDirection::Vertical,
       u8"warning: vk38.datを読み込めませんでしたので、垂直寸法は作図出来ません。"
       u8"同じ名前のフォルダ等があって読み込めません。vk38.datはそのまま残してあります。"},
      {ChainDirection::Horizontal,
       u8"warning: vk47h.datを読み込めませんでしたので、水平寸法は作図出来ません。"
       u8"同じ名前のフォルダ等があって読み込めません。vk47h.datはそのまま残してあります。"},
  };
  for (const auto& c : cases) {
    const RunMode& mode = RunModeOf(c.direction, ChainSource::Stored);
    SCOPED_TRACE(mode.SettingsFile);
    const fs::path file = dir / mode.SettingsFile;
    fs::create_directory(file);
    RunOptions options;
    options.Mode = &mode;
    const headless::RunResult result = RunOnce(dir.Path(), options);
    EXPECT_TRUE(result.Refused);
    EXPECT_EQ(Utf8Lines(result.Transcript), (std::vector<std::string>{U8(c.told), "closed"}));
    EXPECT_EQ(ReadFileBytes(exchange), kHq);
    EXPECT_TRUE(fs::is_directory(file));
    fs::remove(file);
  }
}

TEST_F(RunSequenceTest, EmptySettingsFileHoldsThePreconditionAndPlacesTheWindowAtTheOrigin) {
  WriteFileBytes(settings, "");
  RunOptions options;
  options.Action = FinishAction::CloseBox;
  const headless::RunResult result = RunOnce(dir.Path(), options);
  EXPECT_FALSE(result.Refused);
  // Every value reads as 0 or empty: OK would refuse the mark scale first.
  EXPECT_EQ(Utf8Lines(result.Transcript),
            (std::vector<std::string>{U8(u8"notice: 「端点倍率」の値では作図出来ません。"),
                                      "closed"}));
  EXPECT_EQ(result.Dialog.WindowLeft, 0);
  EXPECT_EQ(result.Dialog.WindowTop, 0);
  EXPECT_EQ(result.Dialog[Control::TextStyle].Selected, 0);
  EXPECT_EQ(ReadFileBytes(settings), "");
  EXPECT_EQ(ReadFileBytes(exchange), kHq);
}

TEST_F(RunSequenceTest, CancelAndTheCloseBoxWriteNothingButHq) {
  for (FinishAction action : {FinishAction::Cancel, FinishAction::CloseBox}) {
    const std::string stored = CompanionSettings();
    WriteFileBytes(settings, stored);
    WriteFileBytes(exchange, TextStyleLines() + "hp 100 1500\r\nhp -600 1200\r\n");
    RunOptions options;
    options.Action = action;
    options.MoveWindowTo = headless::WindowMove{40, 60};
    options.Changes = {{"Precision", "0"}, {"Prefix", "H="}, {"ThousandsCommas", "1"}};
    const headless::RunResult result = RunOnce(dir.Path(), options);
    const int which = static_cast<int>(action);
    EXPECT_FALSE(result.Refused) << which;
    EXPECT_EQ(TranscriptLines(headless::WithoutNotices(result.Transcript)),
              (std::vector<std::string>{"closed"}))
        << which;
    EXPECT_EQ(ReadFileBytes(settings), stored) << which;
    EXPECT_EQ(ReadFileBytes(exchange), kHq) << which;
    // The changes reached the dialog before it closed.
    EXPECT_EQ(result.Dialog[Control::Precision].Selected, 0) << which;
    EXPECT_EQ(result.Dialog[Control::Prefix].Text, "H=") << which;
    EXPECT_TRUE(result.Dialog[Control::ThousandsCommas].Checked) << which;
    EXPECT_EQ(result.Dialog.WindowLeft, 40) << which;
  }
}

TEST_F(RunSequenceTest, TextStyleListIsBuiltFromTheExchangeFile) {
  struct Case {
    std::string Exchange;
    std::string First;  // UTF-8
    std::string Second;
    std::string Last;
  };
  const std::vector<Case> cases = {
      {"cn0 2 2 0 1\r\n" + TextStyleLines(), U8(u8"現在の文字種(Free)"), "No1: W2.5 H2.5 D0",
       "No10: W4.25 H3 D0.5"},
      {"cn5\r\n" + TextStyleLines(), U8(u8"現在の文字種(No5)"), "No1: W2.5 H2.5 D0",
       "No10: W4.25 H3 D0.5"},
      // No exchange file: the host's defaults.
      {"", U8(u8"現在の文字種(No1)"), "No1: W3 H3 D0", "No10: W3 H3 D0"},
  };
  for (const Case& c : cases) {
    WriteFileBytes(settings, CompanionSettings());
    if (c.Exchange.empty())
      fs::remove(exchange);
    else
      WriteFileBytes(exchange, c.Exchange);
    const headless::RunResult result = RunOnce(dir.Path());
    const std::vector<std::string>& entries = result.Dialog[Control::TextStyle].Entries;
    ASSERT_EQ(entries.size(), 11u) << c.First;
    EXPECT_EQ(SjisToUtf8(entries[0]), c.First);
    EXPECT_EQ(entries[1], c.Second) << c.First;
    EXPECT_EQ(entries[10], c.Last) << c.First;
    EXPECT_EQ(ReadFileBytes(exchange), kHq) << c.First;
    // Line 5 selects by position; the stored window position is applied
    // unchanged, off the screen too.
    EXPECT_EQ(result.Dialog[Control::TextStyle].Selected, 4) << c.First;
    EXPECT_EQ(result.Dialog.WindowLeft, -3000) << c.First;
    EXPECT_EQ(result.Dialog.WindowTop, 5000) << c.First;
  }
}

TEST_F(RunSequenceTest, ProgramFolderIsThePassedFolderWhateverTheWorkingDirectory) {
  ScratchDir elsewhere;
  WriteFileBytes(elsewhere / "JWC_TEMP.TXT", "cn0 2 2 0 1\r\n");
  WriteFileBytes(settings, CompanionSettings());
  WriteFileBytes(exchange, "cn7\r\n");
  const fs::path oldCwd = fs::current_path();
  fs::current_path(elsewhere.Path());
  headless::RunResult result;
  try {
    result = RunOnce(dir.Path());
  } catch (...) {
    fs::current_path(oldCwd);
    throw;
  }
  fs::current_path(oldCwd);
  EXPECT_FALSE(result.Refused);  // vk38.dat lies only in the program folder
  EXPECT_EQ(result.ProgramFolder, dir.Path() / "");
  EXPECT_EQ(SjisToUtf8(result.Dialog[Control::TextStyle].Entries.at(0)),
            U8(u8"現在の文字種(No7)"));
  EXPECT_EQ(ReadFileBytes(exchange), kHq);
  EXPECT_EQ(ReadFileBytes(elsewhere / "JWC_TEMP.TXT"), "cn0 2 2 0 1\r\n");
  EXPECT_FALSE(fs::exists(elsewhere / "vk38.dat"));
}

TEST_F(RunSequenceTest, BadSettingChangeIsRefusedBeforeTheRunStarts) {
  WriteFileBytes(settings, CompanionSettings());
  WriteFileBytes(exchange, "cn3\r\n");
  RunOptions options;
  options.Changes = {{"Prefix", "ok"}, {"Colour", "1"}};
  EXPECT_THROW(RunOnce(dir.Path(), options), std::invalid_argument);
  EXPECT_EQ(ReadFileBytes(exchange), "cn3\r\n");
}

}  // namespace

// A failure that nothing foresaw ends the run with a box that tells in
// Japanese what happened and what to do; the failure's own technical
// wording, when there is one, comes only after that, apart.
TEST(FailedRunMessage, TellsWhatHappenedAndWhatToDoBeforeTheDetail) {
  const std::string plain = SjisToUtf8(FailedRunMessage(""));
  EXPECT_NE(plain.find(U8(u8"もう一度")), std::string::npos);
  EXPECT_EQ(plain.find("\n\n"), std::string::npos);
  EXPECT_EQ(SjisToUtf8(FailedRunMessage("cannot create the dialog")),
            plain + U8(u8"\n\n詳細: ") + "cannot create the dialog");
}

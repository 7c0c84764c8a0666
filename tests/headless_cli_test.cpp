// The orvane-headless program, run as a process.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "dimension/RunModes.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using testing_support::ReadFileBytes;
using testing_support::ScratchDir;
using testing_support::U8;
using testing_support::WriteFileBytes;

namespace {

const fs::path kProgram = fs::path(ORVANE_BINARY_DIR) / "frontends/headless/orvane-headless";

struct Outcome {
  int Status = -1;
  std::string Out;
  std::string Err;
};

std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) {
    if (c == '\'')
      quoted += "'\\''";
    else
      quoted += c;
  }
  return quoted + "'";
}

// Runs the program with the arguments (UTF-8) and collects what it printed.
Outcome RunProgram(const std::vector<std::string>& args) {
  ScratchDir capture;
  std::string command = Quote(kProgram.string());
  for (const std::string& arg : args) command += " " + Quote(arg);
  command += " >" + Quote((capture / "out").string()) + " 2>" + Quote((capture / "err").string());
  const int raw = std::system(command.c_str());
  Outcome outcome;
  outcome.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  outcome.Out = ReadFileBytes(capture / "out");
  outcome.Err = ReadFileBytes(capture / "err");
  return outcome;
}

std::string CompanionSettings() {
  std::string text = "10\r\n20\r\n";
  for (int line = 3; line <= 31; ++line) text += "0\r\n";
  return text;
}

TEST(HeadlessProgram, MissingSettingsFilePrintsTheMessageInUtf8) {
  ScratchDir dir;
  WriteFileBytes(dir / "JWC_TEMP.TXT", "hk 30\r\n");
  const Outcome outcome = RunProgram({dir.Path().string()});
  EXPECT_EQ(outcome.Status, 0) << outcome.Err;
  EXPECT_EQ(outcome.Out,
            U8(u8"message: vk38_Velmarが一度も実行されていません。先にそちらを実行して下さい。"
               u8"または vk47_Orvane_new.bat で新しく垂直寸法の連続を開始するか、"
               u8"vk47_Orvane_pick.bat で図面の垂直寸法を範囲選択して下さい。\n"
               u8"closed\n"));
  EXPECT_EQ(outcome.Err, "");
  EXPECT_EQ(ReadFileBytes(dir / "JWC_TEMP.TXT"), "hq\r\n");
  EXPECT_FALSE(fs::exists(dir / "vk38.dat"));
}

TEST(HeadlessProgram, EveryActionEndsWithTheCloseAndLeavesTheSettingsFile) {
  // OK (no action option) refuses the mark scale 0 of this settings file,
  // as the notice tells after the show and after each change; the dialog is
  // then closed as by its close box.
  const std::string notice = U8(u8"notice: 「端点倍率」の値では作図出来ません。\n");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--cancel"}, notice + "closed\n"},
      {{"--close"}, notice + "closed\n"},
      {{}, notice + "focus: MarkScale\n" + notice + "closed\n"},
      {{"--cancel", "--move", "-5,7", "--set", U8(u8"Prefix=寸法"), "--set", "Precision=2",
        "--set", "ThousandsCommas=1", "--set", "Suffix=a=b"},
       notice + notice + notice + notice + notice + "closed\n"},
  };
  for (const auto& [extra, printed] : cases) {
    ScratchDir dir;
    WriteFileBytes(dir / "vk38.dat", CompanionSettings());
    std::vector<std::string> args = extra;
    args.push_back(dir.Path().string());
    const Outcome outcome = RunProgram(args);
    EXPECT_EQ(outcome.Status, 0) << outcome.Err;
    EXPECT_EQ(outcome.Out, printed);
    EXPECT_EQ(ReadFileBytes(dir / "vk38.dat"), CompanionSettings());
    EXPECT_EQ(ReadFileBytes(dir / "JWC_TEMP.TXT"), "hq\r\n");
  }
  // At the quick pace nothing is printed: the host shows the refusal.
  ScratchDir dir;
  WriteFileBytes(dir / "vk38.dat", CompanionSettings());
  const Outcome quick = RunProgram({"--quick", dir.Path().string()});
  EXPECT_EQ(quick.Status, 0) << quick.Err;
  EXPECT_EQ(quick.Out, "");
  EXPECT_EQ(ReadFileBytes(dir / "vk38.dat"), CompanionSettings());
  EXPECT_EQ(testing_support::SjisToUtf8(ReadFileBytes(dir / "JWC_TEMP.TXT")),
            U8(u8"he「端点倍率」の値では作図出来ません。\r\n"));
}

TEST(HeadlessProgram, BadArgumentsGetTheUsageAndStatusTwo) {
  ScratchDir dir;
  WriteFileBytes(dir / "JWC_TEMP.TXT", "cn2\r\n");
  const std::string folder = dir.Path().string();
  const std::vector<std::vector<std::string>> cases = {
      {},
      {folder, folder},
      {"--cancel", "--close", folder},
      {"--new", "--pick", folder},
      {"--pick", "--new", folder},
      {"--horizontal", "--new", "--pick", folder},
      {"--quick", "--new", "--pick", folder},
      {"--move", "1", folder},
      {"--move", "a,b", folder},
      {"--move", "1,2,3", folder},
      {folder, "--move"},
      {"--set", "Colour=1", folder},
      {"--set", "Precision", folder},
      {"--set", "Precision=x", folder},
      {"--set", "ThousandsCommas=2", folder},
      {"--set", "Prefix=\xFF", folder},
      {"--set", U8(u8"Prefix=\U0001F600"), folder},
      {"--frobnicate", folder},
      {(dir / "no such folder").string()},
      {(dir / "JWC_TEMP.TXT").string()},
  };
  for (const std::vector<std::string>& args : cases) {
    std::string shown;
    for (const std::string& arg : args) shown += arg + " ";
    const Outcome outcome = RunProgram(args);
    EXPECT_EQ(outcome.Status, 2) << shown;
    EXPECT_EQ(outcome.Out, "") << shown;
    EXPECT_NE(outcome.Err.find("usage: orvane-headless"), std::string::npos) << shown;
  }
  EXPECT_EQ(ReadFileBytes(dir / "JWC_TEMP.TXT"), "cn2\r\n");
  // Words that no launcher gives together are refused naming every launcher;
  // the usage names every mode option of the run modes' tables.
  const Outcome twoSources = RunProgram({"--new", "--pick", "--quick", folder});
  for (const RunMode& mode : RunModes())
    EXPECT_NE(twoSources.Err.find(mode.Launcher + "\n"), std::string::npos) << mode.Launcher;
  const Outcome help = RunProgram({"--help"});
  EXPECT_EQ(help.Status, 0);
  for (const RunModeWord& word : RunModeWords())
    EXPECT_NE(help.Out.find("\n  " + std::string(word.Headless) + " "), std::string::npos) << word.Headless;
}

TEST(HeadlessProgram, PickContinuesTheChainInTheSelection) {
  ScratchDir dir;
  const fs::path golden = fs::path(ORVANE_SOURCE_DIR) / "tests" / "data" / "picked_chain";
  fs::copy_file(golden / "JWC_TEMP.TXT", dir / "JWC_TEMP.TXT");
  const Outcome outcome = RunProgram({"--pick", dir.Path().string()});
  EXPECT_EQ(outcome.Status, 0) << outcome.Err;
  EXPECT_EQ(outcome.Out, U8(u8"notice: 選択した寸法線 X=-500　Y 0～1500　長さ 1500（1本中）\n"
                            u8"notice: 下へ延長　長さ 700\nnotice: 寸法値「700」\n"
                            u8"status: 処理中です\nstatus: ファイル生成中です\nclosed\n"));
  EXPECT_EQ(ReadFileBytes(dir / "JWC_TEMP.TXT"), ReadFileBytes(golden / "expected_JWC_TEMP.TXT"));
}

TEST(HeadlessProgram, FolderAfterDoubleDashMayStartWithADash) {
  ScratchDir dir;
  fs::create_directory(dir / "-run");
  WriteFileBytes(dir / "-run" / "vk38.dat", CompanionSettings());
  const fs::path old = fs::current_path();
  fs::current_path(dir.Path());
  const Outcome outcome = RunProgram({"--close", "--", "-run"});
  fs::current_path(old);
  EXPECT_EQ(outcome.Status, 0) << outcome.Err;
  EXPECT_EQ(outcome.Out, U8(u8"notice: 「端点倍率」の値では作図出来ません。\nclosed\n"));
  EXPECT_EQ(ReadFileBytes(dir / "-run" / "JWC_TEMP.TXT"), "hq\r\n");
}

}  // namespace

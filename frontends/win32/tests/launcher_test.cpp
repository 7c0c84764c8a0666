// The files that go to the user beside the program: the launchers that the
// host runs and the read-me, both as a Japanese Windows reads them, and the
// run mode that each launcher's command line chooses.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CodePage932.h"
#include "ProgramMain.h"
#include "dialog/UserTexts.h"
#include "dimension/RunModes.h"
#include "support/TestSupport.h"

using testing_support::ReadFileBytes;
using testing_support::U8;
using testing_support::Utf8ToSjis;
using win32::SjisToWide;
using win32::WideToSjis;

namespace {

const std::string kBuild = ORVANE_BINARY_DIR;

// Lines of a text that must be Shift-JIS with CR LF after every line.
std::vector<std::string> CrLfLines(const std::string& bytes) {
  EXPECT_FALSE(bytes.empty());
  EXPECT_NE(bytes.rfind("\xEF\xBB\xBF", 0), 0u) << "no byte-order mark";
  EXPECT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  // Valid code page 932 throughout.
  EXPECT_GT(MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(),
                                static_cast<int>(bytes.size()), nullptr, 0),
            0);
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find('\n', start);
    EXPECT_NE(end, std::string::npos);
    EXPECT_GT(end, start);
    EXPECT_EQ(bytes[end - 1], '\r') << "line " << lines.size() + 1 << " ends with LF alone";
    lines.push_back(bytes.substr(start, end - 1 - start));
    start = end + 1;
  }
  return lines;
}

// The host takes a directive only where its "#" stands within the line's
// first 10 bytes.
constexpr std::size_t kDirectiveColumns = 10;

// Every run mode's launcher, and no other: the package holds a launcher a
// row of the program's run modes, which the host reads as the row says.
TEST(Launcher, EveryLauncherIsShiftJisWithTheHostsDirectives) {
  std::set<std::string> packaged;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(SjisToWide(kBuild + "/*.bat").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do packaged.insert(WideToSjis(found.cFileName));
  while (FindNextFileW(search, &found));
  FindClose(search);
  std::set<std::string> launchers;
  for (const RunMode& mode : RunModes()) launchers.insert(mode.Launcher);
  EXPECT_EQ(packaged, launchers);
  EXPECT_EQ(launchers.size(), RunModes().size()) << "a launcher a row";

  for (const RunMode& mode : RunModes()) {
    SCOPED_TRACE(mode.Launcher);
    std::vector<std::string> lines = CrLfLines(ReadFileBytes(kBuild + "/" + mode.Launcher));
    const std::string dimension = WordsOf(mode.Direction).Dimension;
    if (mode.RangeSelection) {
      // Right after "#h1", as the host's own sample puts it, the comment
      // that asks for the range: the dimensions of the row's direction.
      ASSERT_GE(lines.size(), 5u);
      EXPECT_EQ(lines[4].rfind("REM #hc ", 0), 0u) << lines[4];
      EXPECT_NE(lines[4].find(dimension), std::string::npos) << lines[4];
      EXPECT_NE(lines[4].find(Utf8ToSjis(U8(u8"範囲選択"))), std::string::npos) << lines[4];
      EXPECT_LT(lines[4].find('#'), kDirectiveColumns) << lines[4];
      lines.erase(lines.begin() + 4);
    }
    ASSERT_EQ(lines.size(), 9u + mode.Picks.size());
    EXPECT_EQ(lines[0], std::string("REM ") + mode.Memo);
    EXPECT_NE(lines[0].find(dimension), std::string::npos) << "the memo names the direction";
    EXPECT_EQ(lines[0].find('#'), std::string::npos) << "the memo is no directive";
    const std::vector<std::string> directives = {
        "REM #jww", "REM #cd", mode.RangeSelection ? "REM #h1" : "REM #h0",
        "REM #zz",  "REM #zw", "REM #zc"};
    for (std::size_t i = 0; i < directives.size(); ++i) EXPECT_EQ(lines[1 + i], directives[i]);
    // One prompt a point, in order, naming its role, with the usual hint.
    const std::string hint = " (L)free (R)Read";
    for (std::size_t i = 0; i < mode.Picks.size(); ++i) {
      const std::string& prompt = lines[7 + i];
      EXPECT_EQ(prompt.rfind("REM #" + std::to_string(i + 1) + " ", 0), 0u) << prompt;
      EXPECT_NE(prompt.find(PickRoleWord(mode.Picks[i])), std::string::npos) << i + 1;
      EXPECT_EQ(prompt.substr(prompt.size() - hint.size()), hint);
    }
    EXPECT_EQ(lines[7 + mode.Picks.size()], "REM #e");
    // Every directive counts: its "#" within the first 10 bytes.
    for (std::size_t i = 1; i + 1 < lines.size(); ++i)
      EXPECT_LT(lines[i].find('#'), kDirectiveColumns) << lines[i];
    // The program is called directly, from the batch file's own folder, so
    // that the batch file (and the host) waits for it, with the row's words,
    // which choose the row again.
    std::string call = "\"%~dp0vk47_Orvane.exe\"";
    for (std::string_view word : mode.Words) call += " " + std::string(word);
    EXPECT_EQ(lines.back(), call);
    // The program gets the words after its own name.
    const std::string words = call.substr(call.find('"', 1) + 1);
    EXPECT_EQ(win32::RunModeOf(SjisToWide(words)), &mode);
  }
}

TEST(Launcher, ReadMeTellsHowToInstallAndTheClickEnterWorkflow) {
  const std::vector<std::string> lines = CrLfLines(ReadFileBytes(kBuild + "/readme.txt"));
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  // Every launcher and settings file of the run modes.
  for (const RunMode& mode : RunModes())
    for (const std::string& name : {mode.Launcher, std::string(mode.SettingsFile)})
      EXPECT_NE(text.find(name), std::string::npos) << name;
  for (const char8_t* needed : {u8"範囲選択", u8"外部変形", u8"展開", u8"同じフォルダ", u8"共用",
                                u8"新しく", u8"Enter", u8"Esc", u8"範囲選択はありません",
                                u8"水平寸法", u8"右へ延長"})
    EXPECT_NE(text.find(Utf8ToSjis(U8(needed))), std::string::npos) << U8(needed);
}

// The command line chooses the mode whose words it holds and no other, each
// a word of its own in any case, separated by blanks, tabs and quotes, as the
// headless runner and the host double choose it; the usual launcher's mode
// without words; any other command line chooses none (and is refused).
TEST(Launcher, TheCommandLinesWordsChooseTheRunMode) {
  using enum ChainSource;
  constexpr ChainDirection V = ChainDirection::Vertical, H = ChainDirection::Horizontal;
  constexpr RunPace D = RunPace::Dialog, Q = RunPace::Quick;
  const struct {
    const wchar_t* line;
    bool chosen;
    ChainDirection direction;
    ChainSource chain;
    RunPace pace;
  } cases[] = {
      {L"/new", true, V, Picks, D},          {L"/NEW", true, V, Picks, D},
      {L"  /New\t", true, V, Picks, D},      {L"\"/new\"", true, V, Picks, D},
      {L"", true, V, Stored, D},             {L" \t\"\"", true, V, Stored, D},
      {L"/pick", true, V, Selection, D},     {L" \"/Pick\" ", true, V, Selection, D},
      {L"/h", true, H, Stored, D},           {L"/H", true, H, Stored, D},
      {L"/h /new", true, H, Picks, D},       {L"/new /h", true, H, Picks, D},
      {L"\"/h\" /PICK", true, H, Selection, D}, {L"/quick", true, V, Stored, Q},
      {L"/h /QUICK", true, H, Stored, Q},    {L"/quick /h /new", true, H, Picks, Q},
      {L"/pick\t/quick", true, V, Selection, Q},
      {L"x /new", false, V, Stored, D},      {L"/newer", false, V, Stored, D},
      {L"new", false, V, Stored, D},         {L"-new", false, V, Stored, D},
      {L"//new", false, V, Stored, D},       {L"/picked", false, V, Stored, D},
      {L"\x0F/pick", false, V, Stored, D},   {L"/hh", false, V, Stored, D},
      {L"/horizontal", false, V, Stored, D}, {L"/new /pick", false, V, Stored, D},
      {L"/new /new", false, V, Stored, D},   {L"/h /h", false, V, Stored, D},
      {L"/quick/h", false, V, Stored, D},    {L"/\x30AF", false, V, Stored, D},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.line)));
    const RunMode* mode = win32::RunModeOf(c.line);
    ASSERT_EQ(mode != nullptr, c.chosen);
    if (!mode) continue;
    EXPECT_EQ(mode->Direction, c.direction);
    EXPECT_EQ(mode->Chain, c.chain);
    EXPECT_EQ(mode->Pace, c.pace);
  }
}

}  // namespace

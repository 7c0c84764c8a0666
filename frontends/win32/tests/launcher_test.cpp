// The files that go to the user beside the program: the launcher that the
// host runs and the read-me, both as a Japanese Windows reads them.
#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "ProgramMain.h"
#include "support/TestSupport.h"

using testing_support::ReadFileBytes;
using testing_support::U8;
using testing_support::Utf8ToSjis;

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

TEST(Launcher, EveryLauncherIsShiftJisWithTheHostsDirectives) {
  struct Case {
    const char* file;
    const char8_t* memo;                 // the first line, which the host shows
    const char* selection;               // the host's selection step: "#h0" none, "#h1" a range
    std::vector<const char8_t*> prompts;  // a word of each prompt, #1 first
    const char* call;
    // With a range selection, a word of the "#hc" comment that asks for it,
    // on the line after "#h1".
    const char8_t* selectionWord = nullptr;
  };
  const Case cases[] = {
      {"vk47_Orvane.bat", u8"REM 垂直寸法を外側へ追加（寸法値は引出線付き）", "REM #h0",
       {u8"計測点", u8"寸法値の位置"}, "\"%~dp0vk47_Orvane.exe\""},
      {"vk47_Orvane_new.bat", u8"REM 垂直寸法の連続を新しく開始（寸法値は引出線付き）", "REM #h0",
       {u8"計測点（１点目）", u8"計測点（２点目）", u8"寸法線の位置", u8"寸法値の位置"},
       "\"%~dp0vk47_Orvane.exe\" /new"},
      {"vk47_Orvane_pick.bat", u8"REM 範囲選択した垂直寸法の連続を外側へ延長（寸法値は引出線付き）",
       "REM #h1", {u8"計測点", u8"寸法値の位置"}, "\"%~dp0vk47_Orvane.exe\" /pick", u8"範囲選択"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    std::vector<std::string> lines = CrLfLines(ReadFileBytes(kBuild + "/" + c.file));
    if (c.selectionWord) {
      // Right after "#h1", as the host's own sample puts it; then the lines
      // go on as in a launcher without a selection.
      ASSERT_GE(lines.size(), 5u);
      EXPECT_EQ(lines[4].rfind("REM #hc ", 0), 0u) << lines[4];
      EXPECT_NE(lines[4].find(Utf8ToSjis(U8(c.selectionWord))), std::string::npos) << lines[4];
      EXPECT_LT(lines[4].find('#'), kDirectiveColumns) << lines[4];
      lines.erase(lines.begin() + 4);
    }
    ASSERT_EQ(lines.size(), 9u + c.prompts.size());
    EXPECT_EQ(lines[0], Utf8ToSjis(U8(c.memo)));
    EXPECT_EQ(lines[0].find('#'), std::string::npos) << "the memo is no directive";
    const std::vector<std::string> directives = {"REM #jww", "REM #cd", c.selection,
                                                 "REM #zz",  "REM #zw", "REM #zc"};
    for (std::size_t i = 0; i < directives.size(); ++i) EXPECT_EQ(lines[1 + i], directives[i]);
    // One prompt a point, in order, with the usual hint.
    const std::string hint = " (L)free (R)Read";
    for (std::size_t i = 0; i < c.prompts.size(); ++i) {
      const std::string& prompt = lines[7 + i];
      EXPECT_EQ(prompt.rfind("REM #" + std::to_string(i + 1) + " ", 0), 0u) << prompt;
      EXPECT_NE(prompt.find(Utf8ToSjis(U8(c.prompts[i]))), std::string::npos) << i + 1;
      EXPECT_EQ(prompt.substr(prompt.size() - hint.size()), hint);
    }
    EXPECT_EQ(lines[7 + c.prompts.size()], "REM #e");
    // Every directive counts: its "#" within the first 10 bytes.
    for (std::size_t i = 1; i + 1 < lines.size(); ++i)
      EXPECT_LT(lines[i].find('#'), kDirectiveColumns) << lines[i];
    // The program is called directly, from the batch file's own folder, so
    // that the batch file (and the host) waits for it.
    EXPECT_EQ(lines.back(), c.call);
  }
}

TEST(Launcher, ReadMeTellsHowToInstallAndTheClickEnterWorkflow) {
  const std::vector<std::string> lines = CrLfLines(ReadFileBytes(kBuild + "/readme.txt"));
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  for (const char8_t* needed : {u8"vk47_Orvane.bat", u8"vk47_Orvane_new.bat",
                                u8"vk47_Orvane_pick.bat", u8"範囲選択", u8"外部変形",
                                u8"展開", u8"vk38.dat", u8"同じフォルダ", u8"共用", u8"新しく",
                                u8"Enter", u8"Esc", u8"範囲選択はありません"})
    EXPECT_NE(text.find(Utf8ToSjis(U8(needed))), std::string::npos) << U8(needed);
}

TEST(Launcher, OnlyTheWordNewStartsANewChain) {
  const std::pair<const wchar_t*, bool> cases[] = {
      {L"/new", true},     {L"/NEW", true},   {L"  /New\t", true}, {L"x /new", true},
      {L"\"/new\"", true}, {L"", false},      {L"/newer", false}, {L"new", false},
      {L"-new", false},    {L"//new", false},
  };
  for (const auto& [line, expected] : cases)
    EXPECT_EQ(win32::AsksForNewChain(line), expected) << testing::PrintToString(std::wstring(line));
}

TEST(Launcher, OnlyTheWordPickContinuesTheSelectedChain) {
  const std::pair<const wchar_t*, bool> cases[] = {
      {L"/pick", true},  {L"/PICK", true},  {L" \"/Pick\" ", true}, {L"x /pick", true},
      {L"/new", false},  {L"/picked", false}, {L"pick", false},     {L"-pick", false},
      {L"\x0Fpick", false}, {L"", false},
  };
  for (const auto& [line, expected] : cases)
    EXPECT_EQ(win32::AsksForPickedChain(line), expected)
        << testing::PrintToString(std::wstring(line));
  EXPECT_FALSE(win32::AsksForNewChain(L"/pick"));
}

}  // namespace

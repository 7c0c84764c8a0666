// The files that go to the user beside the program: the launcher that the
// host runs and the read-me, both as a Japanese Windows reads them.
#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

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

TEST(Launcher, IsShiftJisWithTheHostsDirectives) {
  const std::vector<std::string> lines = CrLfLines(ReadFileBytes(kBuild + "/vk47_Orvane.bat"));
  ASSERT_EQ(lines.size(), 10u);
  // The first line is the memo the host shows for the transformation.
  EXPECT_EQ(lines[0], Utf8ToSjis(U8(u8"REM 垂直寸法を外側へ追加（寸法値は引出線付き）")));
  const std::vector<std::string> directives = {"REM #jww", "REM #cd", "REM #zz", "REM #zw",
                                               "REM #zc"};
  for (std::size_t i = 0; i < directives.size(); ++i) EXPECT_EQ(lines[1 + i], directives[i]);
  // The two prompts, the first for the new measured point, with the usual hint.
  const std::string hint = " (L)free (R)Read";
  EXPECT_EQ(lines[6].rfind("REM #1 ", 0), 0u);
  EXPECT_NE(lines[6].find(Utf8ToSjis(U8(u8"計測点"))), std::string::npos);
  EXPECT_EQ(lines[6].substr(lines[6].size() - hint.size()), hint);
  EXPECT_EQ(lines[7].rfind("REM #2 ", 0), 0u);
  EXPECT_NE(lines[7].find(Utf8ToSjis(U8(u8"寸法値の位置"))), std::string::npos);
  EXPECT_EQ(lines[7].substr(lines[7].size() - hint.size()), hint);
  EXPECT_EQ(lines[8], "REM #e");
  // The program is called directly, from the batch file's own folder, so that
  // the batch file (and the host) waits for it.
  EXPECT_EQ(lines[9], "\"%~dp0vk47_Orvane.exe\"");
}

TEST(Launcher, ReadMeTellsHowToInstall) {
  const std::vector<std::string> lines = CrLfLines(ReadFileBytes(kBuild + "/readme.txt"));
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  for (const char8_t* needed : {u8"vk47_Orvane.bat", u8"外部変形", u8"展開", u8"vk38.dat",
                                u8"同じフォルダ", u8"共用"})
    EXPECT_NE(text.find(Utf8ToSjis(U8(needed))), std::string::npos) << U8(needed);
}

}  // namespace

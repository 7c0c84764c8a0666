// The output buffer as the host finds it in the exchange file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "exchange/OutputWriter.h"
#include "exchange/SafeFile.h"
#include "support/SmallTmpfs.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using testing_support::ReadFileBytes;
using testing_support::ScratchDir;
using testing_support::SmallTmpfs;
using testing_support::WriteFileBytes;

namespace {

class OutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override { OutputBuffer.Lines.Release(); }
  void TearDown() override { OutputBuffer.Lines.Release(); }

  std::string Written(const std::vector<std::string>& lines) {
    OutputBuffer.Lines.Release();
    for (const std::string& line : lines) AddOutputLine(line);
    const fs::path path = dir / "JWC_TEMP.TXT";
    EXPECT_TRUE(WriteOutputFile(path));
    return ReadFileBytes(path);
  }

  ScratchDir dir;
};

const std::string kHostInput = "lg0\r\nly0\r\nhp1 10 20\r\nhp2 30 40\r\n";

}  // namespace

TEST_F(OutputFileTest, LinesEndWithCrLfAndAQuoteJoinsTheNextLine) {
  struct Case { std::vector<std::string> lines; std::string file; };
  const std::vector<Case> cases = {
      {{}, "hq\r\n"},
      {{"lg3", "0 0 10 0"}, "lg3\r\n0 0 10 0\r\n"},
      {{"ch 0 0 1 0 \"", "ABC"}, "ch 0 0 1 0 \"ABC\r\n"},
      // the joined line is not tested: a text ending in a quote does not
      // join the line after it
      {{"cs 0 0 1 0 \"", "say \"", "z3"}, "cs 0 0 1 0 \"say \"\r\nz3\r\n"},
      // a last line ending in a quote ends the file without a line end
      {{"z3", "ch 1 2 1 0 \""}, "z3\r\nch 1 2 1 0 \""},
      {{"lc1", "", "lt1"}, "lc1\r\n\r\nlt1\r\n"},
      {{"cs 0 0 1 0 \"", ""}, "cs 0 0 1 0 \"\r\n"},
      // Shift-JIS bytes pass unchanged
      {{"cn\"$<\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E>"},
       "cn\"$<\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E>\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Written(c.lines), c.file);
}

TEST_F(OutputFileTest, ReplacesTheHostsFileAndLeavesNoOtherFile) {
  const fs::path path = dir / "JWC_TEMP.TXT";
  WriteFileBytes(path, kHostInput);
  AddOutputLine("z3");
  AddOutputLine("0 0 10 0");
  ASSERT_TRUE(WriteOutputFile(path));
  EXPECT_EQ(ReadFileBytes(path), "z3\r\n0 0 10 0\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST_F(OutputFileTest, LinesAreCutTo255Bytes) {
  std::string text(300, 'a');
  text[254] = '\x82';  // a double-byte character across the cut is cut too
  text[255] = '\xA0';
  AddOutputLine(text);
  AddOutputLine(std::string(255, 'b'));
  AddOutputLine(std::string(1000, '"'));
  ASSERT_EQ(OutputBuffer.Lines.Count(), 3u);
  EXPECT_EQ(OutputBuffer.Lines[0], text.substr(0, 255));
  EXPECT_EQ(OutputBuffer.Lines[1], std::string(255, 'b'));
  EXPECT_EQ(OutputBuffer.Lines[2], std::string(255, '"'));
  const fs::path path = dir / "JWC_TEMP.TXT";
  ASSERT_TRUE(WriteOutputFile(path));
  EXPECT_EQ(ReadFileBytes(path), text.substr(0, 255) + "\r\n" + std::string(255, 'b') + "\r\n" +
                                     std::string(255, '"'));
}

TEST_F(OutputFileTest, BufferGrowsInStepsOfAThousandLines) {
  for (int i = 0; i < 2500; ++i) {
    AddOutputLine(std::to_string(i));
    const std::size_t count = static_cast<std::size_t>(i + 1);
    EXPECT_EQ(OutputBuffer.Lines.Capacity(), (count + 999) / 1000 * 1000);
  }
  EXPECT_EQ(OutputBuffer.Lines[1999], "1999");
}

TEST_F(OutputFileTest, FailedWriteLeavesNeitherTheFileNorATemporaryFile) {
  // A directory standing where the temporary file must be created: the
  // temporary file is the exchange file's name with ".tmp" added.
  const fs::path path = dir / "JWC_TEMP.TXT";
  WriteFileBytes(path, kHostInput);
  fs::create_directory(dir / "JWC_TEMP.TXT.tmp");
  AddOutputLine("z3");
  EXPECT_FALSE(WriteOutputFile(path));
  EXPECT_FALSE(fs::exists(path));
  EXPECT_TRUE(fs::is_directory(dir / "JWC_TEMP.TXT.tmp"));  // not ours: untouched
  fs::remove(dir / "JWC_TEMP.TXT.tmp");
  EXPECT_TRUE(fs::is_empty(dir.Path()));

  // A directory where the file itself must go: no file of that name results,
  // and the directory is left alone.
  fs::create_directory(path);
  EXPECT_FALSE(WriteOutputFile(path));
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_TRUE(fs::is_empty(path));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST_F(OutputFileTest, FullFileSystemLeavesNeitherTheFileNorATemporaryFile) {
  SmallTmpfs small(64 * 1024);
  if (!small.Mounted()) GTEST_SKIP() << small.Reason();
  const fs::path path = small.Path() / "JWC_TEMP.TXT";
  WriteFileBytes(path, kHostInput);
  for (int i = 0; i < 2000; ++i) AddOutputLine(std::string(200, 'x'));
  EXPECT_FALSE(WriteOutputFile(path));
  EXPECT_TRUE(fs::is_empty(small.Path()));
}

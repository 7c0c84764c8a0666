// The output buffer as the host finds it in the exchange file, and the safe
// replacement behind it: a failed write never leaves partial content.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "exchange/OutputWriter.h"
#include "files/StandardFileSystem.h"
#include "support/SmallTmpfs.h"
#include "support/RunFiles.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using testing_support::FolderEntries;
using testing_support::ReadFileBytes;
using testing_support::ScratchDir;
using testing_support::SmallTmpfs;
using testing_support::WriteFileBytes;
using Names = std::set<std::string>;

namespace {

const std::string kHostInput = "lg0\r\nly0\r\nhp1 10 20\r\nhp2 30 40\r\n";
const std::string kNew = std::string("cs 0 0 1 0 \"\x82\x50\x82\x51\r\n\0\x1A end", 23);

// The standard file system with its last step, the move into place, seen
// (and refused on request).
class RecordingFileSystem : public StandardFileSystem {
 public:
  bool Refuse = false;
  fs::path LastTemporary;

 protected:
  FileStatus MoveIntoPlace(const fs::path& temporary, const fs::path& target) override {
    LastTemporary = temporary;
    if (Refuse) return FileStatus::Failed(FileFault::InUse);
    return StandardFileSystem::MoveIntoPlace(temporary, target);
  }
};

class OutputFileTest : public ::testing::Test {
 protected:
  std::string Written(const std::vector<std::string>& lines) {
    out.Lines.Release();
    for (const std::string& line : lines) AddOutputLine(out, line);
    EXPECT_TRUE(WriteOutputFile(files, target, out));
    return ReadFileBytes(target);
  }

  OutputCommands out;
  RecordingFileSystem files;
  ScratchDir dir;
  const fs::path target = dir / "JWC_TEMP.TXT";
};

}  // namespace

TEST_F(OutputFileTest, LinesEndWithCrLfAndAQuoteJoinsTheNextLine) {
  struct Case { std::vector<std::string> lines; std::string file; };
  const std::vector<Case> cases = {
      {{}, "hq\r\n"},
      {{"lg3", "0 0 10 0"}, "lg3\r\n0 0 10 0\r\n"},
      {{"ch 0 0 1 0 \"", "ABC"}, "ch 0 0 1 0 \"ABC\r\n"},
      // the joined line is not tested itself
      {{"cs 0 0 1 0 \"", "say \"", "z3"}, "cs 0 0 1 0 \"say \"\r\nz3\r\n"},
      // a last line ending in a quote ends the file without a line end
      {{"z3", "ch 1 2 1 0 \""}, "z3\r\nch 1 2 1 0 \""},
      {{"lc1", "", "lt1"}, "lc1\r\n\r\nlt1\r\n"},
      {{"cs 0 0 1 0 \"", ""}, "cs 0 0 1 0 \"\r\n"},
      {{"cn\"$<\x82\x6C\x82\x72 \x83\x53>"}, "cn\"$<\x82\x6C\x82\x72 \x83\x53>\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Written(c.lines), c.file);
  // the host's own file is replaced and nothing else is left beside it
  EXPECT_EQ(FolderEntries(dir.Path()), Names{"JWC_TEMP.TXT"});
}

TEST_F(OutputFileTest, LinesAreCutTo255Bytes) {
  std::string text(300, 'a');
  text[254] = '\x82';  // a double-byte character across the cut is cut too
  text[255] = '\xA0';
  EXPECT_EQ(Written({text, std::string(255, 'b'), std::string(1000, '"')}),
            text.substr(0, 255) + "\r\n" + std::string(255, 'b') + "\r\n" + std::string(255, '"'));
}

TEST_F(OutputFileTest, ReplaceWritesExactBytesAndOverwritesAStaleTemporaryFile) {
  ASSERT_TRUE(files.ReplaceContent(target, kHostInput));  // created
  EXPECT_EQ(ReadFileBytes(target), kHostInput);
  ASSERT_TRUE(files.ReplaceContent(target, kNew));
  EXPECT_EQ(ReadFileBytes(target), kNew);
  EXPECT_EQ(files.LastTemporary.parent_path(), target.parent_path());
  WriteFileBytes(files.LastTemporary, std::string(5000, 'x'));  // left by an interrupted run
  ASSERT_TRUE(files.ReplaceContent(target, ""));
  EXPECT_EQ(ReadFileBytes(target), "");
  EXPECT_EQ(FolderEntries(dir.Path()), Names{"JWC_TEMP.TXT"});
}

TEST_F(OutputFileTest, FailedReplaceKeepsTheTargetAndRemovesTheTemporaryFile) {
  WriteFileBytes(target, kHostInput);
  files.Refuse = true;
  EXPECT_FALSE(files.ReplaceContent(target, kNew));
  EXPECT_EQ(ReadFileBytes(target), kHostInput);
  EXPECT_EQ(FolderEntries(dir.Path()), Names{"JWC_TEMP.TXT"});
  // A directory where the temporary file must be created: not ours, untouched.
  files.Refuse = false;
  fs::create_directory(files.LastTemporary);
  WriteFileBytes(files.LastTemporary / "inside", "kept");
  EXPECT_FALSE(files.ReplaceContent(target, kNew));
  EXPECT_EQ(ReadFileBytes(target), kHostInput);
  EXPECT_EQ(ReadFileBytes(files.LastTemporary / "inside"), "kept");
  // The same for the whole output file, which then leaves no exchange file.
  AddOutputLine(out, "z3");
  EXPECT_FALSE(WriteOutputFile(files, target, out));
  EXPECT_EQ(FolderEntries(dir.Path()), Names{files.LastTemporary.filename().string()});
  fs::remove_all(files.LastTemporary);
  // A directory where the file itself must go stays as it was.
  fs::create_directory(target);
  EXPECT_FALSE(files.ReplaceContent(target, kNew));
  EXPECT_FALSE(WriteOutputFile(files, target, out));
  EXPECT_TRUE(fs::is_directory(target));
  EXPECT_TRUE(fs::is_empty(target));
  EXPECT_EQ(FolderEntries(dir.Path()), Names{"JWC_TEMP.TXT"});
}

TEST_F(OutputFileTest, FullFileSystemLeavesNoPartialFile) {
  SmallTmpfs small(64 * 1024);
  if (!small.Mounted()) GTEST_SKIP() << small.Reason();
  const fs::path path = small.Path() / "JWC_TEMP.TXT";
  WriteFileBytes(path, kHostInput);
  EXPECT_FALSE(files.ReplaceContent(path, std::string(512 * 1024, 'z')));
  EXPECT_EQ(ReadFileBytes(path), kHostInput);
  EXPECT_EQ(FolderEntries(small.Path()), Names{"JWC_TEMP.TXT"});
  // the failed attempt gave its space back: a content that fits succeeds
  EXPECT_TRUE(files.ReplaceContent(path, std::string(16 * 1024, 'z')));
  EXPECT_EQ(ReadFileBytes(path), std::string(16 * 1024, 'z'));
  // the output file: no exchange file and no temporary file remain
  for (int i = 0; i < 2000; ++i) AddOutputLine(out, std::string(200, 'x'));
  EXPECT_FALSE(WriteOutputFile(files, path, out));
  EXPECT_TRUE(fs::is_empty(small.Path()));
}

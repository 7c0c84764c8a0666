// Replacing a file on Windows: the new file takes the old one's place in one
// move, also while another program holds the old file for a moment.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "SafeReplace.h"
#include "dialog/DialogModel.h"
#include "dialog/UserTexts.h"
#include "frontends/headless/HeadlessRun.h"
#include "support/RunFiles.h"
#include "support/TestSupport.h"

using testing_support::ReadFileBytes;
using testing_support::ScratchDir;
using testing_support::WorkedExampleFile;
using testing_support::WriteFileBytes;
using win32::MoveFileIntoPlace;

namespace {

// Opens the file the way a program does that lets nobody else touch it.
HANDLE HoldExclusively(const std::filesystem::path& file) {
  return CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

TEST(SafeReplace, NewFileTakesTheOldOnesPlace) {
  ScratchDir dir;
  WriteFileBytes(dir / "vk38.dat", "old\r\n");
  WriteFileBytes(dir / "vk38.dat.tmp", "new\r\n");
  EXPECT_TRUE(MoveFileIntoPlace(dir / "vk38.dat.tmp", dir / "vk38.dat"));
  EXPECT_EQ(ReadFileBytes(dir / "vk38.dat"), "new\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "vk38.dat.tmp"));

  // Also where there was no file yet, and in a folder whose name code page
  // 932 cannot write.
  const std::filesystem::path folder = dir.Path() / L"r\u00e9sum\u00e9 \ud55c";
  std::filesystem::create_directory(folder);
  WriteFileBytes(folder / "JWC_TEMP.TXT.tmp", "hq\r\n");
  EXPECT_TRUE(MoveFileIntoPlace(folder / "JWC_TEMP.TXT.tmp", folder / "JWC_TEMP.TXT"));
  EXPECT_EQ(ReadFileBytes(folder / "JWC_TEMP.TXT"), "hq\r\n");
}

TEST(SafeReplace, WaitsWhileAnotherProgramHoldsTheFileForAMoment) {
  ScratchDir dir;
  WriteFileBytes(dir / "vk38.dat", "old\r\n");
  WriteFileBytes(dir / "vk38.dat.tmp", "new\r\n");
  HANDLE held = HoldExclusively(dir / "vk38.dat");
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread releaser([held] {
    Sleep(200);
    CloseHandle(held);
  });
  EXPECT_TRUE(MoveFileIntoPlace(dir / "vk38.dat.tmp", dir / "vk38.dat", {40, 25}));
  releaser.join();
  EXPECT_EQ(ReadFileBytes(dir / "vk38.dat"), "new\r\n");
}

TEST(SafeReplace, GivesUpInBoundedTimeAndLeavesTheOldFile) {
  ScratchDir dir;
  WriteFileBytes(dir / "vk38.dat", "old\r\n");
  WriteFileBytes(dir / "vk38.dat.tmp", "new\r\n");
  HANDLE held = HoldExclusively(dir / "vk38.dat");
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(MoveFileIntoPlace(dir / "vk38.dat.tmp", dir / "vk38.dat", {5, 20}).Fault,
            FileFault::InUse);
  const ULONGLONG waited = GetTickCount64() - start;
  CloseHandle(held);
  EXPECT_GE(waited, 70u);  // four pauses of 20 ms, give or take the timer
  EXPECT_LT(waited, 5000u);
  EXPECT_EQ(ReadFileBytes(dir / "vk38.dat"), "old\r\n");
  EXPECT_EQ(ReadFileBytes(dir / "vk38.dat.tmp"), "new\r\n");
}

TEST(SafeReplace, OtherFailuresEndAtOnce) {
  ScratchDir dir;
  WriteFileBytes(dir / "new.tmp", "new");
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(MoveFileIntoPlace(dir / "new.tmp", dir / "no such folder" / "vk38.dat", {20, 100}).Fault,
            FileFault::NotFound);
  EXPECT_LT(GetTickCount64() - start, 100u);
  EXPECT_TRUE(std::filesystem::exists(dir / "new.tmp"));
}

// A whole run that meets a file held by another program or a folder in its
// place. vk38.dat held while OK saves: the save waits and succeeds once the
// file is let go, and when it is never let go the user is told and nothing
// is drawn. A file held while the run reads it at show: the read waits in
// the same way; held throughout, or a folder there, the user is told why the
// file could not be read, nothing is drawn, and vk38.dat is left as it was,
// by a new chain too.
TEST(SafeReplace, RunWaitsForAHeldFileAndTellsWhenItCannotUseIt) {
  enum class When { Show, Ok };
  struct Case {
    const char* name;
    const char* file;
    When when;
    bool letGo;     // held: let go after a moment; otherwise held throughout
    bool folder;    // a folder in its place from the start instead
    bool newChain;
    std::vector<std::string> lines;  // empty: the run drew its dimension
  };
  const std::string settingsInUse = "warning: " + SettingsUnreadableMessage(FileFault::InUse);
  const Case cases[] = {
      {"vk38.dat held at OK, let go", "vk38.dat", When::Ok, true, false, false, {}},
      {"vk38.dat held at OK throughout", "vk38.dat", When::Ok, false, false, false,
       {"warning: " + SettingsNotSavedMessage(FileFault::InUse), "closed"}},
      {"vk38.dat held at show, let go", "vk38.dat", When::Show, true, false, false, {}},
      {"vk38.dat held at show throughout", "vk38.dat", When::Show, false, false, false,
       {settingsInUse, "closed"}},
      {"vk38.dat held at show throughout, new chain", "vk38.dat", When::Show, false, false, true,
       {settingsInUse, "closed"}},
      {"JWC_TEMP.TXT held at show throughout", "JWC_TEMP.TXT", When::Show, false, false, false,
       {"warning: " + HostFileUnreadableMessage(FileFault::InUse),
        std::string("status: ") + DialogTexts::AnswerNotWritten,
        "warning: " + AnswerNotWrittenMessage(FileFault::InUse, SettingsRollback::NotNeeded),
        "closed"}},
      {"vk38.dat a folder, new chain", "vk38.dat", When::Show, false, true, true,
       {"warning: " + SettingsUnreadableMessage(FileFault::InTheWay), "closed"}},
      {"JWC_TEMP.TXT a folder", "JWC_TEMP.TXT", When::Show, false, true, false,
       {"warning: " + HostFileUnreadableMessage(FileFault::InTheWay),
        std::string("status: ") + DialogTexts::AnswerNotWritten,
        "warning: " + AnswerNotWrittenMessage(FileFault::InTheWay, SettingsRollback::NotNeeded),
        "closed"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir dir;
    const std::filesystem::path folder = dir.Path() / L"\u5916\u90e8\u5909\u5f62 \u00e9\ud55c";
    std::filesystem::create_directory(folder);
    for (const char* name : {"JWC_TEMP.TXT", "vk38.dat"})
      WriteFileBytes(folder / name, WorkedExampleFile(name));
    const std::filesystem::path file = folder / c.file;
    if (c.folder) {
      std::filesystem::remove(file);
      std::filesystem::create_directory(file);
    }
    win32::Win32FileSystem files({10, 30});  // gives up after about 300 ms
    HANDLE held = INVALID_HANDLE_VALUE;
    std::thread releaser;
    const auto hold = [&] {
      held = HoldExclusively(file);
      ASSERT_NE(held, INVALID_HANDLE_VALUE);
      if (c.letGo) releaser = std::thread([held] {
        Sleep(100);
        CloseHandle(held);
      });
    };
    headless::RunOptions options;
    options.Files = &files;
    if (c.newChain) options.Mode = &RunModeOf(ChainDirection::Vertical, ChainSource::Picks);
    if (!c.folder && c.when == When::Show) hold();
    if (!c.folder && c.when == When::Ok)
      options.BeforeAction = [&](headless::HeadlessUi&, ProgramRun&) { hold(); };
    const headless::RunResult result = headless::RunOnce(folder, options);
    if (releaser.joinable()) releaser.join();
    if (!c.folder && !c.letGo) CloseHandle(held);

    const std::vector<std::string> lines =
        headless::TranscriptLines(headless::WithoutNotices(result.Transcript));
    if (c.lines.empty()) {
      EXPECT_EQ(lines.size(), 3u);  // the two status texts and the close
      EXPECT_EQ(ReadFileBytes(folder / "vk38.dat"), WorkedExampleFile("expected_vk38.dat"));
      EXPECT_EQ(ReadFileBytes(folder / "JWC_TEMP.TXT"), WorkedExampleFile("expected_JWC_TEMP.TXT"));
    } else {
      EXPECT_EQ(lines, c.lines);
      // vk38.dat byte for byte, or the folder in its place.
      if (c.folder) {
        EXPECT_TRUE(std::filesystem::is_directory(file));
      }
      if (!c.folder || c.file != std::string("vk38.dat")) {
        EXPECT_EQ(ReadFileBytes(folder / "vk38.dat"), WorkedExampleFile("vk38.dat"));
      }
      if (!c.folder && c.file == std::string("vk38.dat")) {
        EXPECT_EQ(ReadFileBytes(folder / "JWC_TEMP.TXT"), "hq\r\n");
      }
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "vk38.dat.tmp"));
  }
}

// A whole run whose answer cannot be written after OK stored the extended
// chain: the exchange file held by another program. vk38.dat goes back to
// what it held before OK, and the user is told the cause and that it was put
// back. (A file marked read-only refuses the move on Windows, but Wine moves
// over it; the held file fails on both.)
TEST(SafeReplace, UnwritableAnswerPutsTheSettingsFileBack) {
  struct Case {
    const char* name;
    bool hold;  // held by another program; otherwise marked read-only
    FileFault cause;
  };
  const Case cases[] = {{"in use", true, FileFault::InUse}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir dir;
    for (const char* name : {"JWC_TEMP.TXT", "vk38.dat"})
      WriteFileBytes(dir / name, WorkedExampleFile(name));
    const std::filesystem::path answer = dir / "JWC_TEMP.TXT";
    win32::Win32FileSystem files({3, 10});
    HANDLE held = INVALID_HANDLE_VALUE;
    headless::RunOptions options;
    options.Files = &files;
    options.BeforeAction = [&](headless::HeadlessUi&, ProgramRun&) {
      if (c.hold) {
        held = HoldExclusively(answer);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
      } else {
        ASSERT_TRUE(SetFileAttributesW(answer.c_str(), FILE_ATTRIBUTE_READONLY));
      }
    };
    const headless::RunResult result = headless::RunOnce(dir.Path(), options);
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    SetFileAttributesW(answer.c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_EQ(headless::TranscriptLines(headless::WithoutNotices(result.Transcript)),
              (std::vector<std::string>{
                  "status: " + std::string(DialogTexts::Processing),
                  "status: " + std::string(DialogTexts::WritingFile),
                  "status: " + std::string(DialogTexts::AnswerNotWritten),
                  "warning: " + AnswerNotWrittenMessage(c.cause, SettingsRollback::PutBack),
                  "closed"}));
    EXPECT_EQ(ReadFileBytes(dir / "vk38.dat"), WorkedExampleFile("vk38.dat"));
    EXPECT_NE(ReadFileBytes(answer), WorkedExampleFile("expected_JWC_TEMP.TXT"));
    EXPECT_FALSE(std::filesystem::exists(dir / "vk38.dat.tmp"));
    EXPECT_FALSE(std::filesystem::exists(dir / "JWC_TEMP.TXT.tmp"));
  }
}

}  // namespace

// Whole runs (OK pressed) on the real file system while it fails for real: a
// read-only program folder, one in which no new file can be created, a stale
// temporary that links elsewhere, a full disk. These hold the standard file
// system to its promises; the same failures seen by the program through a
// file system in memory are in fault_injection_test. Whatever happens, the user's
// vk38.dat is either the complete new file or the old one byte for byte, and
// the host finds in JWC_TEMP.TXT either the complete answer or no file at all
// (only where nothing at all can be written does it find its own file
// untouched). A dimension whose chain could not be stored is never drawn, and
// every failure is told.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "dialog/UserTexts.h"
#include "app/QuickRun.h"
#include "frontends/headless/HeadlessRun.h"
#include "support/FileSizeLimit.h"
#include "support/SmallTmpfs.h"
#include "support/RunFiles.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using headless::RunOnce;
using headless::RunOptions;
using headless::RunResult;
using testing_support::FileSizeLimit;
using testing_support::FolderEntries;
using testing_support::ReadFileBytes;
using testing_support::WorkedExampleFile;
using testing_support::ScratchDir;
using testing_support::SmallTmpfs;
using testing_support::WriteFileBytes;
using Names = std::set<std::string>;

namespace {

bool Succeeded(const RunResult& result) {
  // The OK action ran to its end: its two status texts, then the close.
  const std::vector<headless::Event> events = headless::WithoutNotices(result.Transcript);
  return events.size() == 3 && events[2].Kind == headless::EventKind::Closed;
}

using Texts = std::vector<std::string>;

// The messages the user was shown, in order: here every one a failure of a
// file, so only warnings.
Texts Messages(const RunResult& result) {
  Texts texts;
  for (const headless::Event& e : result.Transcript) {
    if (e.Kind == headless::EventKind::Message) texts.push_back("(not a warning) " + e.Text);
    if (e.Kind == headless::EventKind::Warning) texts.push_back(e.Text);
  }
  return texts;
}

std::string NotSaved(FileFault cause) { return SettingsNotSavedMessage(cause); }
std::string NotWritten(FileFault cause, SettingsRollback rollback = SettingsRollback::NotNeeded) {
  return AnswerNotWrittenMessage(cause, rollback);
}
const std::string kNothingDrawn = "hq\r\n";

// The worked example's files in `folder`.
void PrepareExample(const fs::path& folder) {
  WriteFileBytes(folder / "JWC_TEMP.TXT", WorkedExampleFile("JWC_TEMP.TXT"));
  WriteFileBytes(folder / "vk38.dat", WorkedExampleFile("vk38.dat"));
}

RunResult RunWithHook(const fs::path& folder, std::function<void()> betweenShowAndOk) {
  RunOptions options;
  options.BeforeAction = [&betweenShowAndOk](headless::HeadlessUi&, ProgramRun&) { betweenShowAndOk(); };
  return RunOnce(folder, options);
}

// Writes a file until the file system has no room left.
void FillUp(const fs::path& file) {
  std::FILE* out = std::fopen(file.c_str(), "wb");
  ASSERT_NE(out, nullptr);
  const std::string block(4096, 'f');
  while (std::fwrite(block.data(), 1, block.size(), out) == block.size() && std::fflush(out) == 0) {
  }
  std::fclose(out);
}

TEST(DiskFaults, ReadOnlyProgramFolderLeavesBothFilesAsTheyWere) {
  // A file system mounted read-only (permissions would stop nothing as root,
  // as CI runs).
  SmallTmpfs small(1 << 20);
  if (!small.Mounted()) GTEST_SKIP() << small.Reason();
  const fs::path folder = small.Path();
  PrepareExample(folder);
  ASSERT_TRUE(small.MakeReadOnly()) << small.Reason();
  const RunResult result = RunOnce(folder);

  // OK drew nothing and said why; so did the close.
  EXPECT_EQ(Messages(result), (Texts{NotSaved(FileFault::ReadOnly), NotWritten(FileFault::ReadOnly)}));
  EXPECT_EQ(ReadFileBytes(folder / "vk38.dat"), WorkedExampleFile("vk38.dat"));
  // Nothing could be written or removed: the host finds its own file as it
  // left it, never a partial answer.
  EXPECT_EQ(ReadFileBytes(folder / "JWC_TEMP.TXT"), WorkedExampleFile("JWC_TEMP.TXT"));
  EXPECT_EQ(FolderEntries(folder), (Names{"JWC_TEMP.TXT", "vk38.dat"}));

  // At the quick pace nothing can be said either: nothing is shown, and
  // both files stay as they were.
  RunOptions quick;
  quick.Mode = &RunModeOf(ChainDirection::Vertical, ChainSource::Stored, RunPace::Quick);
  const RunResult quickResult = RunOnce(folder, quick);
  EXPECT_TRUE(quickResult.Transcript.empty());
  EXPECT_FALSE(quickResult.Quick->Answered);
  EXPECT_EQ(ReadFileBytes(folder / "vk38.dat"), WorkedExampleFile("vk38.dat"));
  EXPECT_EQ(ReadFileBytes(folder / "JWC_TEMP.TXT"), WorkedExampleFile("JWC_TEMP.TXT"));
  EXPECT_EQ(FolderEntries(folder), (Names{"JWC_TEMP.TXT", "vk38.dat"}));
}

TEST(DiskFaults, FolderWithoutRoomForNewFilesStillTakesBothFiles) {
  // The files are writable but no new file can be made beside them: as root
  // a tmpfs without free inodes, otherwise a folder without write permission.
  SmallTmpfs small(1 << 20);
  ScratchDir scratch;
  const fs::path folder = small.Mounted() ? small.Path() : scratch.Path();
  PrepareExample(folder);
  if (small.Mounted()) {
    ASSERT_TRUE(small.ForbidNewFiles()) << small.Reason();
  } else {
    if (geteuid() == 0) GTEST_SKIP() << small.Reason() << "; as root, permissions would stop nothing";
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  }
  const RunResult result = RunOnce(folder);
  if (!small.Mounted()) fs::permissions(folder, fs::perms::owner_all);

  EXPECT_TRUE(Succeeded(result)) << testing::PrintToString(Messages(result));
  EXPECT_EQ(ReadFileBytes(folder / "vk38.dat"), WorkedExampleFile("expected_vk38.dat"));
  EXPECT_EQ(ReadFileBytes(folder / "JWC_TEMP.TXT"), WorkedExampleFile("expected_JWC_TEMP.TXT"));
  EXPECT_EQ(FolderEntries(folder), (Names{"JWC_TEMP.TXT", "vk38.dat"}));
}

TEST(DiskFaults, InPlaceSaveThatRunsOutOfRoomPutsTheOldFileBack) {
  // No new file can be made and the disk fills up while the dialog is open:
  // vk38.dat fills one page exactly and its new content needs a second one,
  // so writing it over breaks off; the short answer still fits its page.
  std::string stored = WorkedExampleFile("vk38.dat");
  std::size_t at = 0;
  for (int line = 1; line < 9; ++line) at = stored.find("\r\n", at) + 2;  // line 9, the prefix
  ASSERT_EQ(stored.substr(at, 2), "\r\n");
  stored.insert(at, std::string(4096 - stored.size(), 'P'));

  SmallTmpfs small(64 * 1024);
  if (!small.Mounted()) GTEST_SKIP() << small.Reason();
  const fs::path folder = small.Path();
  WriteFileBytes(folder / "JWC_TEMP.TXT", WorkedExampleFile("JWC_TEMP.TXT"));
  WriteFileBytes(folder / "vk38.dat", stored);
  WriteFileBytes(folder / "filler", "");
  ASSERT_TRUE(small.ForbidNewFiles()) << small.Reason();
  const RunResult result = RunWithHook(folder, [&] { FillUp(folder / "filler"); });

  EXPECT_EQ(Messages(result), Texts{NotSaved(FileFault::NoSpace)});
  EXPECT_EQ(ReadFileBytes(folder / "vk38.dat"), stored);
  EXPECT_EQ(ReadFileBytes(folder / "JWC_TEMP.TXT"), kNothingDrawn);
  EXPECT_EQ(FolderEntries(folder), (Names{"JWC_TEMP.TXT", "filler", "vk38.dat"}));
}

TEST(DiskFaults, StaleTemporaryLinkingElsewhereIsNeverWrittenThrough) {
  // A link where the save's and the answer's temporary files go, pointing at
  // files outside the program folder: following them would overwrite those.
  ScratchDir dir, elsewhere;
  PrepareExample(dir.Path());
  WriteFileBytes(elsewhere / "notes.txt", "precious");
  WriteFileBytes(elsewhere / "plan.txt", "precious too");
  const RunResult result = RunWithHook(dir.Path(), [&] {
    fs::create_symlink(elsewhere / "notes.txt", dir / "vk38.dat.tmp");
    fs::create_symlink(elsewhere / "plan.txt", dir / "JWC_TEMP.TXT.tmp");
  });
  EXPECT_EQ(Messages(result), (Texts{NotSaved(FileFault::InTheWay), NotWritten(FileFault::InTheWay)}));
  EXPECT_EQ(ReadFileBytes(elsewhere / "notes.txt"), "precious");
  EXPECT_EQ(ReadFileBytes(elsewhere / "plan.txt"), "precious too");
  EXPECT_EQ(ReadFileBytes(dir / "vk38.dat"), WorkedExampleFile("vk38.dat"));
  // No answer could be written: no file rather than the host's own.
  EXPECT_FALSE(fs::exists(dir / "JWC_TEMP.TXT"));
  EXPECT_TRUE(fs::is_symlink(dir / "vk38.dat.tmp"));
}

TEST(DiskFaults, FullDiskKeepsTheSettingsFileAndDrawsNothing) {
  // vk38.dat just fits one page of the disk and the saved file needs two
  // (its chain gets longer numbers), so writing it in place would fail half
  // way. The disk fills up while the dialog is open.
  std::string stored = WorkedExampleFile("vk38.dat");
  std::size_t at = 0;
  for (int line = 1; line < 9; ++line) at = stored.find("\r\n", at) + 2;  // start of line 9, the prefix
  ASSERT_EQ(stored.substr(at, 2), "\r\n");  // the example's prefix is empty
  stored.insert(at, std::string(4095 - stored.size(), 'P'));
  ASSERT_EQ(stored.size(), 4095u);

  SmallTmpfs small(64 * 1024);
  ScratchDir scratch;
  const fs::path folder = small.Mounted() ? small.Path() : scratch.Path();
  std::optional<FileSizeLimit> limit;
  WriteFileBytes(folder / "JWC_TEMP.TXT", WorkedExampleFile("JWC_TEMP.TXT"));
  WriteFileBytes(folder / "vk38.dat", stored);
  const RunResult result = RunWithHook(folder, [&] {
    if (small.Mounted()) {
      FillUp(folder / "filler");  // a tmpfs mounted for the test: really full
    } else {
      limit.emplace(64);  // without root: every write past 64 bytes fails
      ASSERT_TRUE(limit->Active());
    }
  });
  limit.reset();

  EXPECT_EQ(ReadFileBytes(folder / "vk38.dat"), stored);
  if (small.Mounted()) {
    // Not even "hq" finds room: no answer rather than the host's own file.
    EXPECT_EQ(Messages(result), (Texts{NotSaved(FileFault::NoSpace), NotWritten(FileFault::NoSpace)}));
    EXPECT_FALSE(fs::exists(folder / "JWC_TEMP.TXT"));
    EXPECT_EQ(FolderEntries(folder), (Names{"filler", "vk38.dat"}));
  } else {
    EXPECT_EQ(Messages(result), Texts{NotSaved(FileFault::NoSpace)});
    EXPECT_EQ(ReadFileBytes(folder / "JWC_TEMP.TXT"), kNothingDrawn);
  }
  if (!small.Mounted()) GTEST_LOG_(INFO) << "no tmpfs (" << small.Reason() << "): a file size limit stood in";
}

// A file the run cannot use, made so for real. A file that is there but
// cannot be read (a folder in its place, a file that may not be read, one
// whose data the system fails to read) is told with its cause, and nothing
// is drawn, in every mode. After OK has stored the extended chain, the
// exchange file cannot take the answer: a folder stands in its place, or the
// file is a read-only mount of its own (as root), which the system calls
// busy; the host draws nothing, so vk38.dat goes back to its old bytes.
// Whatever happens, vk38.dat is as it was.
TEST(DiskFaults, UnusableFileLeavesTheSettingsFileAsItWas) {
  enum class Made { FolderAtShow, NoReadPermission, ReadFails, FolderAfterShow, ReadOnlyMount };
  struct Case {
    const char* name;
    const char* file;  // the file made unusable
    Made made;
    bool newChain;
    Texts messages;
  };
  const Case cases[] = {
      {"vk38.dat a folder", "vk38.dat", Made::FolderAtShow, false,
       {SettingsUnreadableMessage(FileFault::InTheWay)}},
      {"vk38.dat a folder, new chain", "vk38.dat", Made::FolderAtShow, true,
       {SettingsUnreadableMessage(FileFault::InTheWay)}},
      {"vk38.dat may not be read, new chain", "vk38.dat", Made::NoReadPermission, true,
       {SettingsUnreadableMessage(FileFault::NoPermission)}},
      {"vk38.dat whose data cannot be read", "vk38.dat", Made::ReadFails, false,
       {SettingsUnreadableMessage(FileFault::Unreadable)}},
      {"vk38.dat whose data cannot be read, new chain", "vk38.dat", Made::ReadFails, true,
       {SettingsUnreadableMessage(FileFault::Unreadable)}},
      {"JWC_TEMP.TXT a folder", "JWC_TEMP.TXT", Made::FolderAtShow, false,
       {HostFileUnreadableMessage(FileFault::InTheWay), NotWritten(FileFault::InTheWay)}},
      {"JWC_TEMP.TXT may not be read", "JWC_TEMP.TXT", Made::NoReadPermission, false,
       {HostFileUnreadableMessage(FileFault::NoPermission)}},
      {"JWC_TEMP.TXT whose data cannot be read", "JWC_TEMP.TXT", Made::ReadFails, false,
       {HostFileUnreadableMessage(FileFault::Unreadable)}},
      {"JWC_TEMP.TXT a folder after OK", "JWC_TEMP.TXT", Made::FolderAfterShow, false,
       {NotWritten(FileFault::InTheWay, SettingsRollback::PutBack)}},
      {"JWC_TEMP.TXT a read-only mount after OK", "JWC_TEMP.TXT", Made::ReadOnlyMount, false,
       {NotWritten(FileFault::InUse, SettingsRollback::PutBack)}},
  };
  for (const Case& c : cases) for (const RunPace pace : {RunPace::Dialog, RunPace::Quick}) {
    // At the quick pace (a continuation, the file unusable from the start):
    // nothing shown, and the messages as the host's one error line, or
    // nothing at all where the exchange file cannot take it.
    const bool quick = pace == RunPace::Quick;
    if (quick && (c.newChain || c.made == Made::FolderAfterShow)) continue;
    SCOPED_TRACE(std::string(c.name) + (quick ? ", quick" : ""));
    ScratchDir dir;
    PrepareExample(dir.Path());
    const fs::path file = dir / c.file;
    bool mounted = false;
    switch (c.made) {
      case Made::FolderAtShow:
        fs::remove(file);
        fs::create_directory(file);
        break;
      case Made::NoReadPermission:
        if (geteuid() == 0) {
          GTEST_LOG_(INFO) << "as root, permissions would stop nothing: case skipped";
          continue;
        }
        fs::permissions(file, fs::perms::none);
        break;
      case Made::ReadFails:
        // The process's own memory, read from address 0, which no process
        // maps: the system opens it and then fails the read (EIO).
        fs::remove(file);
        fs::create_symlink("/proc/self/mem", file);
        break;
      case Made::FolderAfterShow:
        break;
      case Made::ReadOnlyMount:
        if (geteuid() != 0 || mount(file.c_str(), file.c_str(), nullptr, MS_BIND, nullptr) != 0) {
          GTEST_LOG_(INFO) << "no bind mount here: case skipped";
          continue;
        }
        mounted = true;
        ASSERT_EQ(mount(nullptr, file.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr), 0);
        break;
    }
    RunOptions options;
    options.Mode = &RunModeOf(ChainDirection::Vertical,
                              c.newChain ? ChainSource::Picks : ChainSource::Stored, pace);
    options.BeforeAction = [&](headless::HeadlessUi&, ProgramRun&) {
      if (c.made != Made::FolderAfterShow) return;
      fs::remove(file);
      fs::create_directory(file);
    };
    const RunResult result = RunOnce(dir.Path(), options);
    if (mounted) umount2(file.c_str(), MNT_DETACH);
    if (c.made == Made::NoReadPermission) fs::permissions(file, fs::perms::owner_all);

    EXPECT_EQ(Messages(result), quick ? Texts{} : c.messages);
    EXPECT_EQ(result.Refused, quick || (c.made != Made::FolderAfterShow && c.made != Made::ReadOnlyMount));
    if (c.file == std::string("vk38.dat")) {
      // Byte for byte where it holds bytes; the folder or the link where it does not.
      if (c.made == Made::NoReadPermission) {
        EXPECT_EQ(ReadFileBytes(file), WorkedExampleFile("vk38.dat"));
      } else {
        EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(file)));
      }
    } else {
      EXPECT_EQ(ReadFileBytes(dir / "vk38.dat"), WorkedExampleFile("vk38.dat"));
      if (c.made == Made::NoReadPermission || c.made == Made::ReadFails) {
        // The answer replaces the host's file.
        EXPECT_EQ(ReadFileBytes(file), quick ? "he" + OneLine(c.messages) + "\r\n" : kNothingDrawn);
      }
      if (quick && c.made == Made::ReadOnlyMount) {
        EXPECT_EQ(ReadFileBytes(file), WorkedExampleFile("JWC_TEMP.TXT"));
      }
    }
    if (quick && c.file == std::string("vk38.dat")) {
      EXPECT_EQ(ReadFileBytes(dir / "JWC_TEMP.TXT"), "he" + OneLine(c.messages) + "\r\n");
    }
    EXPECT_EQ(FolderEntries(dir.Path()), (Names{"JWC_TEMP.TXT", "vk38.dat"}));
  }
}

}  // namespace

// Whole runs (OK pressed) while the files fail under the program: a read-only
// program folder, files that vanish or turn into folders between show and OK,
// a disk that runs out of space, a read that breaks off, and every single
// operation of a run failing in turn. The files live in memory, so these run
// anywhere, without root, in the Windows build too. Whatever happens, the
// user's vk38.dat is either the old file or the complete new one, the host
// finds in JWC_TEMP.TXT either the complete answer, "hq", its own file (only
// where nothing can be written or removed) or nothing, a dimension whose chain
// was not stored is never drawn, and every failure is told.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialog/DialogModel.h"
#include "dialog/UserTexts.h"
#include "files/MemoryFileSystem.h"
#include "app/QuickRun.h"
#include "frontends/headless/HeadlessRun.h"
#include "support/RunFiles.h"

namespace fs = std::filesystem;
using headless::RunOnce;
using headless::RunOptions;
using headless::RunResult;
using testing_support::WorkedExampleFile;
using Texts = std::vector<std::string>;

namespace {

std::string NotSaved(FileFault cause) { return SettingsNotSavedMessage(cause); }
std::string NotWritten(FileFault cause, SettingsRollback rollback = SettingsRollback::NotNeeded) {
  return AnswerNotWrittenMessage(cause, rollback);
}
const std::string kNothingDrawn = "hq\r\n";
// The answer of a quick run that refuses or fails: the message on one line.
std::string Refusal(const std::string& message) { return "he" + OneLine({message}) + "\r\n"; }

// The program's folder in memory: a full path of this system (on Windows
// with the drive of the working directory, as the run takes it) that no test
// touches on disk.
const fs::path kFolder = fs::absolute(fs::path("/program folder").make_preferred());

struct MemoryRun {
  MemoryFileSystem files;
  RunResult result;

  MemoryRun() {
    files.PutFile(Settings(), WorkedExampleFile("vk38.dat"));
    files.PutFile(Answer(), WorkedExampleFile("JWC_TEMP.TXT"));
  }
  static fs::path Settings() { return kFolder / "vk38.dat"; }
  static fs::path Answer() { return kFolder / "JWC_TEMP.TXT"; }

  // OK pressed; `betweenShowAndOk` runs while the dialog is open. At the
  // quick pace there is no dialog, and OK is pressed at once.
  MemoryRun& Press(std::function<void(MemoryFileSystem&)> betweenShowAndOk = {},
                   RunPace pace = RunPace::Dialog) {
    RunOptions options;
    options.Files = &files;
    options.Mode = &RunModeOf(ChainDirection::Vertical, ChainSource::Stored, pace);
    if (betweenShowAndOk) options.BeforeAction = [&](headless::HeadlessUi&, ProgramRun&) { betweenShowAndOk(files); };
    result = RunOnce(kFolder, options);
    return *this;
  }
  // The message boxes the user was shown, confirmations and warnings alike.
  Texts Messages() const {
    Texts texts;
    for (const headless::Event& e : result.Transcript)
      if (e.Kind == headless::EventKind::Message || e.Kind == headless::EventKind::Warning)
        texts.push_back(e.Text);
    return texts;
  }
  // The same, only the warnings.
  Texts Warnings() const {
    Texts texts;
    for (const headless::Event& e : result.Transcript)
      if (e.Kind == headless::EventKind::Warning) texts.push_back(e.Text);
    return texts;
  }
  std::optional<std::string> Saved() const { return files.FileContent(Settings()); }
  std::optional<std::string> Answered() const { return files.FileContent(Answer()); }
};

TEST(FaultInjection, UntouchedRunWritesTheExpectedFiles) {
  MemoryRun run;
  run.Press();
  EXPECT_EQ(run.Messages(), Texts{});
  EXPECT_EQ(run.Saved(), WorkedExampleFile("expected_vk38.dat"));
  EXPECT_EQ(run.Answered(), WorkedExampleFile("expected_JWC_TEMP.TXT"));
}

TEST(FaultInjection, ChangesBetweenShowAndOk) {
  struct Case {
    const char* name;
    std::function<void(MemoryFileSystem&)> change;
    std::optional<std::string> settings;  // nullopt: a folder stands there
    std::optional<std::string> answer;    // nullopt: a folder stands there
    Texts messages;
  };
  const std::string saved = WorkedExampleFile("expected_vk38.dat");
  const std::string answered = WorkedExampleFile("expected_JWC_TEMP.TXT");
  const Case cases[] = {
      {"vk38.dat removed: saved anew, complete", [](MemoryFileSystem& f) { f.Erase(MemoryRun::Settings()); },
       saved, answered, {}},
      {"JWC_TEMP.TXT removed: the answer is written complete",
       [](MemoryFileSystem& f) { f.Erase(MemoryRun::Answer()); }, saved, answered, {}},
      {"vk38.dat replaced by a folder: nothing is drawn, the user is told",
       [](MemoryFileSystem& f) { f.PutFolder(MemoryRun::Settings()); }, std::nullopt, kNothingDrawn,
       {NotSaved(FileFault::InTheWay)}},
      {"JWC_TEMP.TXT replaced by a folder: the folder stays, vk38.dat is put back",
       [](MemoryFileSystem& f) { f.PutFolder(MemoryRun::Answer()); }, WorkedExampleFile("vk38.dat"),
       std::nullopt, {NotWritten(FileFault::InTheWay, SettingsRollback::PutBack)}},
      {"JWC_TEMP.TXT held by another program: vk38.dat is put back",
       [](MemoryFileSystem& f) { f.HoldFile(MemoryRun::Answer()); }, WorkedExampleFile("vk38.dat"),
       WorkedExampleFile("JWC_TEMP.TXT"), {NotWritten(FileFault::InUse, SettingsRollback::PutBack)}},
      {"folder made read-only: both files stay as they were",
       [](MemoryFileSystem& f) { f.MakeReadOnly(); }, WorkedExampleFile("vk38.dat"),
       WorkedExampleFile("JWC_TEMP.TXT"),
       {NotSaved(FileFault::ReadOnly), NotWritten(FileFault::ReadOnly)}},
      {"no room for the longer vk38.dat; the short answer fits",
       [](MemoryFileSystem& f) {
         const std::size_t used = WorkedExampleFile("vk38.dat").size() +
                                  WorkedExampleFile("JWC_TEMP.TXT").size();
         f.LimitSpace(used);
       },
       WorkedExampleFile("vk38.dat"), kNothingDrawn, {NotSaved(FileFault::NoSpace)}},
      {"no room at all: not even the answer \"hq\"",
       [](MemoryFileSystem& f) {
         f.Erase(MemoryRun::Answer());
         f.LimitSpace(WorkedExampleFile("vk38.dat").size());
       },
       WorkedExampleFile("vk38.dat"), std::nullopt,
       {NotSaved(FileFault::NoSpace), NotWritten(FileFault::NoSpace)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryRun run;
    run.Press(c.change);
    EXPECT_EQ(run.Messages(), c.messages);
    EXPECT_EQ(run.Warnings(), c.messages);  // every one a failure of a file
    if (c.settings) {
      EXPECT_EQ(run.Saved(), c.settings);
    } else {
      EXPECT_TRUE(run.files.IsFolder(MemoryRun::Settings()));
    }
    if (c.answer) {
      EXPECT_EQ(run.Answered(), c.answer);
    } else {
      EXPECT_FALSE(run.Answered().has_value());
    }
  }
}

// Whatever the file system names as the cause of a failed save or answer,
// or of a file that is there but cannot be read, the user's message says it
// in the program's words. A file that cannot be read draws nothing and is
// never replaced, in every mode (a new chain may start from the defaults
// only where there is no vk38.dat).
TEST(FaultInjection, EachCauseReachesTheMessage) {
  MemoryRun clean;
  clean.Press();
  const std::vector<std::string>& log = clean.files.Log();
  const auto numberOf = [&log](const std::string& line) {
    return static_cast<std::size_t>(std::find(log.begin(), log.end(), line) - log.begin()) + 1;
  };
  const std::size_t readHost = numberOf("read " + MemoryRun::Answer().generic_string() + ": ok");
  const std::size_t readSettings = numberOf("read " + MemoryRun::Settings().generic_string() + ": ok");
  const std::size_t save = numberOf("replace " + MemoryRun::Settings().generic_string() + ": ok");
  const std::size_t answer = numberOf("replace " + MemoryRun::Answer().generic_string() + ": ok");
  ASSERT_LT(readSettings, save);
  ASSERT_LT(save, answer);
  ASSERT_LE(answer, log.size());
  struct Case {
    FileFault cause;
    const char* writeWords;  // what the message of a failed write says of it; nullptr: no write fails so
    const char* readWords;   // the same for a read; nullptr: no read fails so
  };
  const Case cases[] = {
      {FileFault::ReadOnly, "書き込み禁止になっています", nullptr},
      {FileFault::NoSpace, "ディスクの空きが足りません", nullptr},
      {FileFault::InTheWay, "同じ名前のフォルダ等があって書き込めません",
       "同じ名前のフォルダ等があって読み込めません"},
      {FileFault::NotFound, "フォルダが見つかりません", nullptr},  // a read: no file, see below
      {FileFault::InUse, "他のプログラムがファイルを使用中です", "他のプログラムがファイルを使用中です"},
      {FileFault::NoPermission, nullptr, "ファイルを読み込む権限がありません"},
      {FileFault::Unreadable, nullptr, "ファイルの内容を読み取れません"},
      {FileFault::Other, "ディスクの空きが足りているか確認して下さい",
       "読み込みが許可されているか確認して下さい"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "cause " << static_cast<int>(c.cause));
    // The save or the answer failing: told with its cause, and at the quick
    // pace the same message is the host's error line; nothing is stored.
    const std::pair<std::size_t, std::string> notWritten[] = {
        {save, NotSaved(c.cause)}, {answer, NotWritten(c.cause, SettingsRollback::PutBack)}};
    if (c.writeWords) for (const auto& [operation, message] : notWritten) {
      SCOPED_TRACE(operation);
      MemoryRun run;
      run.files.FailOperation(operation, c.cause);
      run.Press();
      ASSERT_EQ(run.Warnings().size(), 1u);
      EXPECT_EQ(run.Warnings()[0], message);
      EXPECT_NE(run.Warnings()[0].find(c.writeWords), std::string::npos);
      if (operation == answer) {
        EXPECT_EQ(run.Saved(), WorkedExampleFile("vk38.dat"));
      }

      MemoryRun quick;
      quick.files.FailOperation(operation, c.cause);
      quick.Press({}, RunPace::Quick);
      EXPECT_EQ(quick.Answered(), Refusal(message));
      EXPECT_EQ(quick.Saved(), WorkedExampleFile("vk38.dat"));
    }
    if (!c.readWords) continue;
    for (const ChainSource chain :
         {ChainSource::Stored, ChainSource::Picks, ChainSource::Selection, ChainSource::Click}) {
      SCOPED_TRACE(testing::Message() << "chain source " << static_cast<int>(chain));
      RunOptions options;
      options.Mode = &RunModeOf(ChainDirection::Vertical, chain);
      // Either file unreadable: told with its cause, vk38.dat byte for byte, nothing drawn.
      const std::pair<std::size_t, std::string> unreadable[] = {
          {readSettings, SettingsUnreadableMessage(c.cause)},
          {readHost, HostFileUnreadableMessage(c.cause)}};
      for (const auto& [operation, message] : unreadable) {
        SCOPED_TRACE(operation);
        MemoryRun run;
        run.files.FailOperation(operation, c.cause);
        options.Files = &run.files;
        run.result = RunOnce(kFolder, options);
        EXPECT_TRUE(run.result.Refused);
        EXPECT_EQ(run.Messages(), Texts{message});
        EXPECT_NE(run.Messages()[0].find(c.readWords), std::string::npos);
        EXPECT_EQ(run.Saved(), WorkedExampleFile("vk38.dat"));
        EXPECT_EQ(run.Answered(), kNothingDrawn);
        if (chain != ChainSource::Stored) continue;
        MemoryRun quick;
        quick.files.FailOperation(operation, c.cause);
        quick.Press({}, RunPace::Quick);
        EXPECT_TRUE(quick.result.Transcript.empty());
        EXPECT_EQ(quick.Answered(), Refusal(message));
        EXPECT_EQ(quick.Saved(), WorkedExampleFile("vk38.dat"));
      }
    }
  }
}

// OK stored the extended chain, then the answer could not be written: the
// host draws nothing, so vk38.dat goes back to what it held before OK (or
// goes, where there was none), and when even that fails the user learns that
// the stored chain is ahead of the drawing.
TEST(FaultInjection, UnwritableAnswerTakesTheStoredChainBack) {
  struct Case {
    const char* name;
    bool newChain;
    bool settingsBefore;     // a vk38.dat was there at show
    bool restoreFails;       // the putting back fails too (read-only by then)
    std::optional<std::string> settingsAfter;  // nullopt: no file
    SettingsRollback rollback;
  };
  const std::string before = WorkedExampleFile("vk38.dat");
  const std::string after = WorkedExampleFile("expected_vk38.dat");
  const Case cases[] = {
      {"continued chain put back", false, true, false, before, SettingsRollback::PutBack},
      {"continued chain left ahead", false, true, true, after, SettingsRollback::Failed},
      {"new chain over an old file put back", true, true, false, before, SettingsRollback::PutBack},
      {"new chain without a file: its file goes, and the message says so", true, false, false,
       std::nullopt, SettingsRollback::Removed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryFileSystem files;
    if (c.settingsBefore) files.PutFile(MemoryRun::Settings(), before);
    testing_support::HostFile newChainHost;
    newChainHost.Picks = {"0 0", "0 1000", "-500 300", "-600 1200"};
    files.PutFile(MemoryRun::Answer(),
                  c.newChain ? newChainHost.Bytes() : WorkedExampleFile("JWC_TEMP.TXT"));
    RunOptions options;
    options.Files = &files;
    if (c.newChain) options.Mode = &RunModeOf(ChainDirection::Vertical, ChainSource::Picks);
    // Another program holds the exchange file from before OK to the end.
    options.BeforeAction = [&](headless::HeadlessUi&, ProgramRun&) { files.HoldFile(MemoryRun::Answer()); };
    if (c.restoreFails) {
      // The save is the last replace that succeeds; everything after it fails
      // as in a folder that has just become read-only.
      options.BeforeAction = [&](headless::HeadlessUi&, ProgramRun&) {
        files.HoldFile(MemoryRun::Answer());
        const std::size_t save = files.OperationCount() + 1;
        files.BeforeOperation(save + 1, [&files] { files.MakeReadOnly(); });
      };
    }
    const RunResult result = RunOnce(kFolder, options);
    std::vector<std::string> warnings;
    for (const headless::Event& e : result.Transcript)
      if (e.Kind == headless::EventKind::Warning) warnings.push_back(e.Text);
    const FileFault cause = c.restoreFails ? FileFault::ReadOnly : FileFault::InUse;
    EXPECT_EQ(warnings, Texts{AnswerNotWrittenMessage(cause, c.rollback)});
    // Behind the warning the status strip tells the same, not that the file
    // is still being made.
    std::string statusBehind;
    for (const headless::Event& e : result.Transcript) {
      if (e.Kind == headless::EventKind::Warning) break;
      if (e.Kind == headless::EventKind::Status) statusBehind = e.Text;
    }
    EXPECT_EQ(statusBehind, DialogTexts::AnswerNotWritten);
    EXPECT_EQ(files.FileContent(MemoryRun::Settings()), c.settingsAfter);
    EXPECT_FALSE(files.FileContent(MemoryRun::Answer()) == WorkedExampleFile("expected_JWC_TEMP.TXT"));
  }
}

// At the quick pace, when neither the answer nor the error line in its place
// can be written, the host is told nothing and both files stay as they were:
// the chain stored at OK is taken back, the exchange file is the host's own.
TEST(FaultInjection, QuickRunThatCannotAnswerLeavesBothFilesAsTheyWere) {
  MemoryRun clean;
  clean.Press({}, RunPace::Quick);
  const std::vector<std::string>& log = clean.files.Log();
  const std::size_t save = static_cast<std::size_t>(
      std::find(log.begin(), log.end(), "replace " + MemoryRun::Settings().generic_string() + ": ok") -
      log.begin()) + 1;
  ASSERT_LE(save, log.size());
  MemoryRun run;
  // Another program takes hold of the exchange file once the host's has been read.
  run.files.BeforeOperation(save, [&run] { run.files.HoldFile(MemoryRun::Answer()); });
  run.Press({}, RunPace::Quick);
  EXPECT_TRUE(run.result.Transcript.empty());
  EXPECT_EQ(run.Saved(), WorkedExampleFile("vk38.dat"));
  EXPECT_EQ(run.Answered(), WorkedExampleFile("JWC_TEMP.TXT"));
  ASSERT_TRUE(run.result.Quick.has_value());
  EXPECT_FALSE(run.result.Quick->Answered);
}

TEST(FaultInjection, FileThatBreaksOffWhileReadIsToldAndNothingIsReplaced) {
  // Each file breaks off after its first ten bytes: the settings would be
  // the defaults, the picks missing. The user hears that the file could not
  // be read, nothing is drawn, and vk38.dat stays as it was.
  for (const bool settings : {true, false}) {
    SCOPED_TRACE(settings ? "vk38.dat" : "JWC_TEMP.TXT");
    // The exchange file is read first (operation 1), vk38.dat second.
    MemoryRun run;
    if (!settings) run.files.FailReadsAfter(10);
    run.files.BeforeOperation(2, [&run, settings] {
      run.files.FailReadsAfter(settings ? 10 : std::string::npos);
    });
    run.Press();
    EXPECT_EQ(run.Messages(), Texts{settings ? SettingsUnreadableMessage(FileFault::Unreadable)
                                             : HostFileUnreadableMessage(FileFault::Unreadable)});
    EXPECT_EQ(run.Saved(), WorkedExampleFile("vk38.dat"));
    EXPECT_EQ(run.Answered(), kNothingDrawn);
  }
  // Both files at the quick pace: the two messages on the host's one error
  // line, in the order the dialog shows them.
  MemoryRun quick;
  quick.files.FailReadsAfter(10);
  quick.Press({}, RunPace::Quick);
  EXPECT_EQ(quick.Answered(), "he" + HostFileUnreadableMessage(FileFault::Unreadable) + "　" +
                                  SettingsUnreadableMessage(FileFault::Unreadable) + "\r\n");
  EXPECT_EQ(quick.Saved(), WorkedExampleFile("vk38.dat"));
}

TEST(FaultInjection, EachOperationOfARunFailingInTurn) {
  for (const RunPace pace : {RunPace::Dialog, RunPace::Quick}) {
    SCOPED_TRACE(pace == RunPace::Quick ? "quick" : "dialog");
    const bool quick = pace == RunPace::Quick;
    MemoryRun clean;
    clean.Press({}, pace);
    const std::size_t operations = clean.files.OperationCount();
    ASSERT_GE(operations, 4u);  // read both files, save, answer
    const std::string oldSettings = WorkedExampleFile("vk38.dat");
    const std::string newSettings = WorkedExampleFile("expected_vk38.dat");
    const std::string hostFile = WorkedExampleFile("JWC_TEMP.TXT");
    const std::string answer = WorkedExampleFile("expected_JWC_TEMP.TXT");
    // A quick run's drawn answer: OK's, then the notice.
    ASSERT_EQ(clean.Answered().value_or("").substr(0, answer.size()), answer);
    const std::string drawn = *clean.Answered();
    EXPECT_EQ(drawn.substr(answer.size()).starts_with("h#"), quick);
    for (std::size_t n = 1; n <= operations; ++n) {
      MemoryRun run;
      run.files.FailOperation(n);
      run.Press({}, pace);
      SCOPED_TRACE("operation " + std::to_string(n) + ": " + clean.files.Log()[n - 1]);
      const Texts messages = run.Messages();
      auto told = [&](const std::string& text) {
        return std::find(messages.begin(), messages.end(), text) != messages.end() ||
               run.Answered() == Refusal(text);
      };
      // vk38.dat is the old file or the complete new one, and only a stored
      // chain is drawn.
      const std::optional<std::string> saved = run.Saved();
      ASSERT_TRUE(saved == oldSettings || saved == newSettings);
      const std::optional<std::string> answered = run.Answered();
      if (saved == oldSettings) {
        EXPECT_NE(answered, drawn);
      }
      // The answer is complete, "hq" (a quick run: one "he" line), or absent
      // and told; never a host file taken for an answer, since removing it
      // works here. A quick run that could not answer at all leaves both
      // files as they were.
      const bool untouched = quick && answered == hostFile;
      if (untouched) {
        EXPECT_EQ(saved, oldSettings);
      } else if (answered) {
        EXPECT_TRUE(answered == drawn || (!quick && answered == kNothingDrawn) ||
                    (quick && answered->starts_with("he") &&
                     answered->find("\r\n") + 2 == answered->size()))
            << *answered;
      } else {
        EXPECT_TRUE(told(NotWritten(FileFault::Other, SettingsRollback::PutBack)) ||
                    told(NotWritten(FileFault::Other)));
      }
      // A chain left unstored is always told: the save failed, or a file
      // could not be read.
      if (saved == oldSettings && !untouched) {
        EXPECT_TRUE(told(NotSaved(FileFault::Other)) || told(SettingsUnreadableMessage(FileFault::Other)) ||
                    told(HostFileUnreadableMessage(FileFault::Other)) ||
                    told(NotWritten(FileFault::Other, SettingsRollback::PutBack)));
      }
      EXPECT_TRUE(quick || answered != hostFile);
    }
  }
}

TEST(MemoryFileSystem, FaultsHappenWhereTheyAreProgrammed) {
  MemoryFileSystem files;
  files.PutFile("/a", "12345");
  files.FailOperation(2);
  EXPECT_TRUE(files.Exists("/a"));                 // operation 1
  EXPECT_FALSE(files.ReplaceContent("/a", "x"));   // 2: fails
  EXPECT_TRUE(files.ReplaceContent("/a", "xy"));   // 3
  EXPECT_EQ(files.FileContent("/a"), "xy");

  files.LimitSpace(4);
  EXPECT_FALSE(files.ReplaceContent("/b", "abc"));  // 2 + 3 > 4
  EXPECT_TRUE(files.ReplaceContent("/a", "abcd"));  // the old 2 bytes are given back
  EXPECT_FALSE(files.FileContent("/b").has_value());

  files.BeforeOperation(files.OperationCount() + 1, [&] { files.PutFolder("/a"); });
  EXPECT_FALSE(files.Remove("/a"));  // a folder is never removed
  EXPECT_TRUE(files.IsFolder("/a"));
  EXPECT_EQ(files.OpenForReading("/a").Status.Fault, FileFault::InTheWay);
  EXPECT_EQ(files.OpenForReading("/a").Reader, nullptr);
  EXPECT_EQ(files.OpenForReading("/nothing").Status.Fault, FileFault::NotFound);
  EXPECT_EQ(files.Exists("/nothing").Fault, FileFault::NotFound);
  files.FailOperation(files.OperationCount() + 1, FileFault::NoPermission);
  EXPECT_EQ(files.Exists("/a").Fault, FileFault::NoPermission);

  files.PutFile("/c", "0123456789");
  files.FailReadsAfter(4);
  const FileBytes read = ReadWholeFile(files, "/c");
  EXPECT_TRUE(read.Existed());
  EXPECT_EQ(read.Status.Fault, FileFault::Unreadable);
  EXPECT_EQ(read.Bytes, "0123");
  EXPECT_EQ(files.Log().back(), "read /c: ok");
  files.HoldFile("/c");
  EXPECT_EQ(ReadWholeFile(files, "/c").Status.Fault, FileFault::InUse);
}

}  // namespace

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
#include "files/MemoryFileSystem.h"
#include "frontends/headless/HeadlessRun.h"
#include "support/RunFiles.h"

namespace fs = std::filesystem;
using headless::RunOnce;
using headless::RunOptions;
using headless::RunResult;
using testing_support::WorkedExampleFile;
using Texts = std::vector<std::string>;

namespace {

const std::string kNotSaved = DialogTexts::SettingsNotSaved;
const std::string kNotWritten = DialogTexts::AnswerNotWritten;
const std::string kNothingDrawn = "hq\r\n";

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

  // OK pressed; `betweenShowAndOk` runs while the dialog is open.
  MemoryRun& Press(std::function<void(MemoryFileSystem&)> betweenShowAndOk = {}) {
    RunOptions options;
    options.Files = &files;
    if (betweenShowAndOk) options.BeforeAction = [&](headless::HeadlessUi&, ProgramRun&) { betweenShowAndOk(files); };
    result = RunOnce(kFolder, options);
    return *this;
  }
  Texts Messages() const {
    Texts texts;
    for (const headless::Event& e : result.Transcript)
      if (e.Kind == headless::EventKind::Message) texts.push_back(e.Text);
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
       {kNotSaved}},
      {"JWC_TEMP.TXT replaced by a folder: the folder stays, the user is told",
       [](MemoryFileSystem& f) { f.PutFolder(MemoryRun::Answer()); }, saved, std::nullopt,
       {kNotWritten}},
      {"folder made read-only: both files stay as they were",
       [](MemoryFileSystem& f) { f.MakeReadOnly(); }, WorkedExampleFile("vk38.dat"),
       WorkedExampleFile("JWC_TEMP.TXT"), {kNotSaved, kNotWritten}},
      {"no room for the longer vk38.dat; the short answer fits",
       [](MemoryFileSystem& f) {
         const std::size_t used = WorkedExampleFile("vk38.dat").size() +
                                  WorkedExampleFile("JWC_TEMP.TXT").size();
         f.LimitSpace(used);
       },
       WorkedExampleFile("vk38.dat"), kNothingDrawn, {kNotSaved}},
      {"no room at all: not even the answer \"hq\"",
       [](MemoryFileSystem& f) {
         f.Erase(MemoryRun::Answer());
         f.LimitSpace(WorkedExampleFile("vk38.dat").size());
       },
       WorkedExampleFile("vk38.dat"), std::nullopt, {kNotSaved, kNotWritten}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryRun run;
    run.Press(c.change);
    EXPECT_EQ(run.Messages(), c.messages);
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

TEST(FaultInjection, SettingsFileThatBreaksOffWhileReadIsTakenAsMissing) {
  // The file breaks off after its first ten bytes, long before line 23: the
  // precondition fails as for a missing file, and nothing is saved.
  MemoryRun run;
  run.files.FailReadsAfter(10);
  run.Press();
  EXPECT_EQ(run.Messages(), Texts{DialogTexts::CompanionMissing});
  EXPECT_EQ(run.Saved(), WorkedExampleFile("vk38.dat"));
  EXPECT_EQ(run.Answered(), kNothingDrawn);
}

TEST(FaultInjection, EachOperationOfARunFailingInTurn) {
  MemoryRun clean;
  clean.Press();
  const std::size_t operations = clean.files.OperationCount();
  ASSERT_GE(operations, 4u);  // read both files, test vk38.dat, save, answer
  const std::string oldSettings = WorkedExampleFile("vk38.dat");
  const std::string newSettings = WorkedExampleFile("expected_vk38.dat");
  const std::string hostFile = WorkedExampleFile("JWC_TEMP.TXT");
  const std::string answer = WorkedExampleFile("expected_JWC_TEMP.TXT");
  for (std::size_t n = 1; n <= operations; ++n) {
    MemoryRun run;
    run.files.FailOperation(n);
    run.Press();
    SCOPED_TRACE("operation " + std::to_string(n) + ": " + clean.files.Log()[n - 1]);
    const Texts messages = run.Messages();
    auto told = [&](const std::string& text) {
      return std::find(messages.begin(), messages.end(), text) != messages.end();
    };
    // vk38.dat is the old file or the complete new one, and only a stored
    // chain is drawn.
    const std::optional<std::string> saved = run.Saved();
    ASSERT_TRUE(saved == oldSettings || saved == newSettings);
    const std::optional<std::string> answered = run.Answered();
    if (saved == oldSettings) {
      EXPECT_NE(answered, answer);
    }
    // The answer is complete, "hq", or absent and told; never a host file
    // taken for an answer, since removing it works here.
    if (answered) {
      EXPECT_TRUE(answered == answer || answered == kNothingDrawn) << *answered;
    } else {
      EXPECT_TRUE(told(kNotWritten));
    }
    // A chain left unstored is always told: the save failed, or a failed
    // read left no settings (the companion tool's message) or no picked
    // point (the point at the origin lies on the chain: the inside refusal).
    if (saved == oldSettings) {
      EXPECT_TRUE(told(kNotSaved) || told(DialogTexts::CompanionMissing) ||
                  told(DialogTexts::InsideChain));
    }
    EXPECT_NE(answered, hostFile);
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
  EXPECT_EQ(files.OpenForReading("/a"), nullptr);

  files.PutFile("/c", "0123456789");
  files.FailReadsAfter(4);
  const FileBytes read = ReadWholeFile(files, "/c");
  EXPECT_TRUE(read.Opened);
  EXPECT_FALSE(read.Complete);
  EXPECT_EQ(read.Bytes, "0123");
  EXPECT_EQ(files.Log().back(), "read /c: ok");
}

}  // namespace

// The answer hands the user over to the next run of the host exactly when a
// dimension was drawn: "hr" after a continuation (the same launcher asks for
// the next point), "h/vk47_Orvane.bat" after a new chain's first dimension
// and after a chain picked in the drawing was continued;
// every other way the dialog ends leaves the host with "hq" alone, and the
// run of dimensions ends there. Such a run leaves vk38.dat as it found it
// (only the continued chain's zero length stores its chain before it is
// refused), and a new or picked chain without one leaves none.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "dialog/UserTexts.h"
#include "frontends/headless/HeadlessRun.h"
#include "support/RunFiles.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using headless::FinishAction;
using headless::RunOnce;
using headless::RunOptions;
using testing_support::HostFile;
using testing_support::ReadFileBytes;
using testing_support::ScratchDir;
using testing_support::SettingsFile;
using testing_support::SplitCrLf;
using testing_support::WriteFileBytes;

namespace {

struct Case {
  const char* name;
  bool newChain;
  FinishAction action;
  std::function<void(HostFile&, SettingsFile&)> prepare;  // may be empty
  std::vector<headless::SettingChange> changes;
  const char* handover;  // the answer's first line; nullptr: the answer is "hq" alone
  // A folder takes the settings file's place once the dialog is open: OK
  // cannot save the chain.
  bool failedSave = false;
  // A chain picked in the drawing: the host file is this one of the golden
  // picked chain's folder, not the one `prepare` makes.
  const char* pickedHostFile = nullptr;
  bool withoutSettingsFile = false;
  // Drawing nothing, the run still stores the chain (a continued chain's
  // zero length).
  bool storesWithoutDrawing = false;
  // A horizontal chain (its settings file vk47h.dat); the host's axes as
  // they are, so that the stored chain is one along the horizontal axis.
  bool horizontal = false;
};

TEST(HostHandover, OnlyAnOkThatDrewHandsOverToTheNextRun) {
  const auto inside = [](HostFile& host, SettingsFile&) { host.Picks[0] = "0 500"; };
  const auto fewPicks = [](HostFile& host, SettingsFile&) { host.Picks = {"0 0", "0 1000"}; };
  const auto fourPicks = [](HostFile& host, SettingsFile&) {
    host.Picks = {"0 0", "0 1000", "-500 300", "-600 500"};
  };
  const auto fourPicksAlongX = [](HostFile& host, SettingsFile&) {
    host.Picks = {"0 0", "1000 0", "300 -500", "500 -600"};
  };
  // Two measured points at the same level.
  const auto fourPicksLevel = [](HostFile& host, SettingsFile&) {
    host.Picks = {"0 0", "300 0", "-500 300", "-600 500"};
  };
  // Level with the upper end of a long chain at 30 degrees: the new
  // dimension measures nothing.
  const auto zero = [](HostFile& host, SettingsFile& stored) {
    host.Axis = "30";
    host.Picks[0] = "-4877409.537 8807395.127";
    stored.Angle = "30";
    stored.Chain = {"0", "0", "-5033066.345", "8717526.627", "-5033499", "8717277"};
  };
  const Case cases[] = {
      {"continued", false, FinishAction::Ok, {}, {}, "hr"},
      {"new chain", true, FinishAction::Ok, fourPicks, {}, "h/vk47_Orvane.bat"},
      {"Cancel", false, FinishAction::Cancel, {}, {}, nullptr},
      {"close box", false, FinishAction::CloseBox, {}, {}, nullptr},
      {"new chain, Cancel", true, FinishAction::Cancel, fourPicks, {}, nullptr},
      {"new chain, close box", true, FinishAction::CloseBox, fourPicks, {}, nullptr},
      {"inside refusal", false, FinishAction::Ok, inside, {}, nullptr},
      {"missing picks", true, FinishAction::Ok, fewPicks, {}, nullptr},
      {"zero length, then closed", false, FinishAction::Ok, zero, {}, nullptr, false, nullptr, false, true},
      {"new chain, zero length, then closed", true, FinishAction::Ok, fourPicksLevel, {}, nullptr},
      {"new chain without vk38.dat, zero length", true, FinishAction::Ok, fourPicksLevel, {}, nullptr,
       false, nullptr, true},
      {"new chain without vk38.dat, Cancel", true, FinishAction::Cancel, fourPicks, {}, nullptr, false,
       nullptr, true},
      {"refused value, then closed", false, FinishAction::Ok, {}, {{"MarkScale", "0"}}, nullptr},
      {"failed save, then closed", false, FinishAction::Ok, {}, {}, nullptr, true},
      {"failed save of a new chain", true, FinishAction::Ok, fourPicks, {}, nullptr, true},
      {"picked chain", false, FinishAction::Ok, {}, {}, "h/vk47_Orvane.bat", false, "JWC_TEMP.TXT"},
      {"picked chain, Cancel", false, FinishAction::Cancel, {}, {}, nullptr, false, "JWC_TEMP.TXT"},
      {"picked chain without vk38.dat, Cancel", false, FinishAction::Cancel, {}, {}, nullptr, false,
       "JWC_TEMP.TXT", true},
      {"picked chain, failed save", false, FinishAction::Ok, {}, {}, nullptr, true, "JWC_TEMP.TXT"},
      // A selection without a vertical dimension line: the ordinary host
      // file carries none.
      {"nothing picked", false, FinishAction::Ok, {}, {}, nullptr, false, ""},
      {"horizontal, continued", false, FinishAction::Ok, {}, {}, "hr", false, nullptr, false,
       false, true},
      {"horizontal new chain", true, FinishAction::Ok, fourPicksAlongX, {}, "h/vk47_Orvane_h.bat",
       false, nullptr, false, false, true},
      {"horizontal new chain without vk47h.dat, Cancel", true, FinishAction::Cancel,
       fourPicksAlongX, {}, nullptr, false, nullptr, true, false, true},
      {"horizontal, inside refusal", false, FinishAction::Ok, inside, {}, nullptr, false, nullptr,
       false, false, true},
      {"continued without vk38.dat", false, FinishAction::Ok, {}, {}, nullptr, false, nullptr, true},
      {"horizontal, continued without vk47h.dat", false, FinishAction::Ok, {}, {}, nullptr, false,
       nullptr, true, false, true},
      {"horizontal, failed save", false, FinishAction::Ok, {}, {}, nullptr, true, nullptr, false,
       false, true},
  };
  const fs::path pickedChain = fs::path(ORVANE_SOURCE_DIR) / "tests" / "data" / "picked_chain";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HostFile host;
    SettingsFile stored;
    if (c.prepare) c.prepare(host, stored);
    const bool picked = c.pickedHostFile != nullptr;
    const ChainDirection direction =
        c.horizontal ? ChainDirection::Horizontal : ChainDirection::Vertical;
    const ChainSource source =
        c.newChain ? ChainSource::Picks : (picked ? ChainSource::Selection : ChainSource::Stored);
    // The case's files in a folder of their own, and its run at a pace.
    struct Run {
      ScratchDir dir;
      fs::path settings;
      std::vector<headless::Event> seen;
      std::string answer;
    };
    const auto run = [&](Run& r, RunPace pace) {
      const RunMode& mode = RunModeOf(direction, source, pace);
      WriteFileBytes(r.dir / "JWC_TEMP.TXT", picked && *c.pickedHostFile
                                                 ? ReadFileBytes(pickedChain / c.pickedHostFile)
                                                 : host.Bytes());
      r.settings = r.dir / mode.SettingsFile;
      if (!c.withoutSettingsFile) WriteFileBytes(r.settings, stored.Bytes());
      RunOptions options;
      if (c.failedSave)
        options.BeforeAction = [&r](headless::HeadlessUi&, ProgramRun&) {
          fs::remove(r.settings);
          fs::create_directory(r.settings);
        };
      options.Mode = &mode;
      options.Action = c.action;
      options.Changes = c.changes;
      r.seen = RunOnce(r.dir.Path(), options).Transcript;
      r.answer = ReadFileBytes(r.dir / "JWC_TEMP.TXT");
    };
    Run dialog;
    run(dialog, RunPace::Dialog);
    const RunMode& mode = RunModeOf(direction, source);
    const fs::path& settings = dialog.settings;
    const std::vector<headless::Event>& seen = dialog.seen;
    // A failed save names the file that could not be saved.
    if (c.failedSave) {
      EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [&mode](const headless::Event& e) {
        return e.Kind == headless::EventKind::Warning &&
               e.Text.rfind(std::string(mode.SettingsFile) + "を保存出来ません", 0) == 0;
      }));
    }

    // The same case at the quick pace. A new or picked chain shows its
    // dialog as before and hands over to the quick continuation; a
    // continuation, OK pressed at once on the stored settings, answers as
    // that OK with the notice last, or refuses with "he" alone, storing
    // nothing. (The dialog's own ends and a save that fails once the dialog
    // is open have no quick counterpart.)
    if (c.action == FinishAction::Ok && c.changes.empty() && !c.failedSave) {
      Run quick;
      run(quick, RunPace::Quick);
      const RunMode& quickMode = RunModeOf(direction, source, RunPace::Quick);
      if (quickMode.ShowsDialog) {
        EXPECT_EQ(quick.seen, dialog.seen);
        const std::string goOn = "h/" + RunModeOf(direction, ChainSource::Stored, RunPace::Quick).Launcher;
        const std::string head = c.handover ? std::string(c.handover) + "\r\n" : "";
        EXPECT_EQ(quick.answer, c.handover ? goOn + "\r\n" + dialog.answer.substr(head.size())
                                           : dialog.answer);
      } else if (c.handover) {
        EXPECT_TRUE(quick.seen.empty());
        const std::string drawn = dialog.answer.ends_with("\r\n") ? dialog.answer : dialog.answer + "\r\n";
        ASSERT_EQ(quick.answer.substr(0, drawn.size()), drawn);
        const std::vector<std::string> notice = SplitCrLf(quick.answer.substr(drawn.size()));
        ASSERT_EQ(notice.size(), 1u);
        const ChainWords& words = WordsOf(direction);
        EXPECT_TRUE(notice[0].starts_with(std::string("h#") + words.GrowsUpper) ||
                    notice[0].starts_with(std::string("h#") + words.GrowsLower))
            << notice[0];
        EXPECT_EQ(ReadFileBytes(quick.settings), ReadFileBytes(settings));
      } else {
        const std::vector<std::string> refusal = SplitCrLf(quick.answer);
        ASSERT_EQ(refusal.size(), 1u) << quick.answer;
        EXPECT_EQ(refusal[0].rfind("he", 0), 0u) << refusal[0];
        EXPECT_GT(refusal[0].size(), 2u);
        if (c.withoutSettingsFile)
          EXPECT_FALSE(fs::exists(quick.settings));
        else
          EXPECT_EQ(ReadFileBytes(quick.settings), stored.Bytes());
      }
    }

    const std::vector<std::string> answer = SplitCrLf(dialog.answer);
    ASSERT_FALSE(answer.empty());
    if (!c.handover) {
      EXPECT_EQ(answer, std::vector<std::string>{"hq"});
      if (c.withoutSettingsFile) {
        EXPECT_FALSE(fs::exists(settings));
      } else if (!c.failedSave) {
        EXPECT_EQ(ReadFileBytes(settings) == stored.Bytes(), !c.storesWithoutDrawing);
      }
      continue;
    }
    EXPECT_EQ(answer[0], c.handover);
    // Once, at the head, before anything drawn; the rest is the dimension.
    for (std::size_t i = 1; i < answer.size(); ++i)
      EXPECT_NE(answer[i].rfind('h', 0), 0u) << answer[i];
    EXPECT_GT(answer.size(), 10u);
  }
}

}  // namespace

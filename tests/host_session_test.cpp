// The package's launchers as the host reads them, and whole sessions of a
// user clicking out a chain with them, run by the host double against the
// headless program: the drawing the host ends with, to the byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "dimension/RunModes.h"
#include "support/hostdouble/HostDouble.h"
#include "support/PreviewTestSupport.h"
#include "support/RunFiles.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using namespace host_double;
using testing_support::ReadFileBytes;
using testing_support::ScratchDir;
using testing_support::Utf8ToSjis;
using testing_support::WriteFileBytes;
using preview_testing::Inspect;
using preview_testing::Picture;

namespace {

const fs::path kSessions = fs::path(ORVANE_SOURCE_DIR) / "tests/data/host_sessions";
const fs::path kHeadless = fs::path(ORVANE_BINARY_DIR) / "frontends/headless/orvane-headless";
const fs::path kPreview = fs::path(ORVANE_BINARY_DIR) / "orvane-preview";

std::string Launcher(const std::string& name) { return testing_support::PackagedText(name); }

// Each run mode's launcher as the host reads it: its selection step, a
// prompt a point, and the program called with the row's words.
TEST(LauncherDirectives, ThePackagesLaunchersAskForTheirRowsPoints) {
  for (const RunMode& mode : RunModes()) {
    SCOPED_TRACE(mode.Launcher);
    const host_double::Launcher l = ReadLauncher(Launcher(mode.Launcher));
    EXPECT_TRUE(l.ForThisHost);
    EXPECT_TRUE(l.OwnFolder);
    EXPECT_EQ(l.Selection, mode.RangeSelection ? 1 : (mode.WholeDrawing ? 4 : 0));
    EXPECT_TRUE(l.HatchAttributes && l.LineWidths && l.TextBasePoints);
    EXPECT_EQ(l.Prompts.size(), mode.Picks.size());
    std::vector<bool> lines;
    for (PickRole role : mode.Picks) lines.push_back(AsksForLine(role));
    EXPECT_EQ(l.LinePrompts, lines);
    EXPECT_TRUE(l.Ignored.empty());
    const ProgramCall call = SplitProgramLine(l.ProgramLine, "C:\\jww\\");
    EXPECT_EQ(call.Program, "C:\\jww\\vk47_Orvane.exe");
    EXPECT_EQ(call.Arguments, std::vector<std::string>(mode.Words.begin(), mode.Words.end()));
  }
}

TEST(LauncherDirectives, TheHostsRulesForDirectives) {
  const std::string head = "REM memo\r\nREM #jww\r\n";
  // A "#" past the 10th byte is no directive; nor is anything after "#e".
  const host_double::Launcher far =
      ReadLauncher(head + "REM       #h0\r\nREM #1 p\r\nREM #e\r\nREM #cd\r\nrun.exe\r\n");
  EXPECT_EQ(far.Memo, "memo");
  EXPECT_EQ(far.Selection, 1) << "without #h the user range-selects first";
  EXPECT_EQ(far.Ignored, std::vector<std::string>{"REM       #h0"});
  EXPECT_FALSE(far.OwnFolder);
  EXPECT_EQ(far.Prompts, std::vector<std::string>{"p"});
  EXPECT_EQ(far.ProgramLine, "run.exe");
  // A "#" as the 10th byte still counts.
  EXPECT_EQ(ReadLauncher(head + "rem      #h0\nx.exe\n").Selection, 0);
  // "#<n>ln" asks for a line, in the prompts' order; "#ln" alone is no prompt.
  const host_double::Launcher line = ReadLauncher(head + "REM #ln x\r\nREM #1ln p\r\nx.exe\r\n");
  EXPECT_EQ(line.Prompts, std::vector<std::string>{"p"});
  EXPECT_EQ(line.LinePrompts, std::vector<bool>{true});
  for (const std::string& bad : {std::string("REM memo\r\nREM #cd\r\nx.exe\r\n"),
                                 head + "REM #2 p\r\nx.exe\r\n", head + "REM #2ln p\r\nx.exe\r\n",
                                 head + "REM #e\r\n"})
    EXPECT_THROW(ReadLauncher(bad), std::runtime_error) << bad;
}

class HostSession : public ::testing::Test {
 protected:
  ScratchDir dir;
  fs::path folder = dir / "program";
  fs::path hostFolder = dir / "host";

  void SetUp() override {
    fs::create_directories(folder);
    fs::create_directories(hostFolder);
    for (const RunMode& mode : RunModes())
      WriteFileBytes(folder / mode.Launcher, Launcher(mode.Launcher));
  }
};

TEST_F(HostSession, ScriptedSessionsEndWithTheirGoldenDrawing) {
  struct Case {
    const char* session;
    std::size_t steps;      // the steps the session uses
    std::size_t handovers;  // answers that hand over to the next run
    const char* golden;
    std::size_t notices = 0;  // the host's notices ("h#") and errors ("he") shown
    std::size_t errors = 0;
  };
  const Case cases[] = {
      {"clicked_chain.session", 5, 4, "clicked_chain_drawing.txt"},
      {"ended_at_prompt.session", 5, 4, "clicked_chain_drawing.txt"},
      {"refusal.session", 3, 2, "refusal_drawing.txt"},
      // Both directions, one command after the other; the horizontal chain
      // picked again.
      {"both_directions.session", 10, 5, "both_directions_drawing.txt"},
      // At the quick pace the same clicks draw the same chain.
      {"quick_chain.session", 5, 4, "clicked_chain_drawing.txt", 3, 1},
      {"quick_both_directions.session", 10, 5, "both_directions_drawing.txt", 2, 1},
      // Both chains clicked again on their dimension lines and continued;
      // a click on an extension line draws nothing.
      {"one_click_picks.session", 14, 5, "one_click_picks_drawing.txt"},
      // Both chains clicked and continued further, with the dialog every
      // time, and with it at the click alone (the quick pace after it); a
      // point inside the horizontal chain refused at either pace.
      {"one_click_continued.session", 14, 7, "one_click_continued_drawing.txt"},
      {"quick_one_click_picks.session", 14, 7, "one_click_continued_drawing.txt", 2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.session);
    for (const char* stored : {"vk38.dat", "vk47h.dat"}) fs::remove(folder / stored);
    HostDouble host(folder, hostFolder, HeadlessRunner(kHeadless));
    const SessionResult result =
        host.Run(ReadSession(ReadFileBytes(kSessions / c.session)));
    EXPECT_EQ(result.StepsTaken, c.steps);
    std::size_t handovers = 0;
    for (const std::string& line : result.Transcript)
      if (line.rfind("answer: ", 0) == 0 && line.find(", then vk47_Orvane") != std::string::npos)
        ++handovers;
    EXPECT_EQ(handovers, c.handovers);
    const auto shown = [&result](const char* what) {
      return static_cast<std::size_t>(std::count_if(
          result.Transcript.begin(), result.Transcript.end(),
          [what](const std::string& line) { return line.rfind(what, 0) == 0; }));
    };
    EXPECT_EQ(shown("host shows the notice: "), c.notices);
    EXPECT_EQ(shown("host shows the error: "), c.errors);
    EXPECT_EQ(host.DrawingBytes(), ReadFileBytes(kSessions / c.golden));
    // Nothing went astray into the host's own folder.
    EXPECT_TRUE(fs::is_empty(hostFolder));
  }
}

TEST_F(HostSession, TheClickedOutChainIsDrawnAsOnePicture) {
  const fs::path drawing = kSessions / "clicked_chain_drawing.txt";
  const std::string command = "'" + kPreview.string() + "' '" + drawing.string() + "' '" +
                              (dir / "chain.svg").string() + "' >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const Picture picture = Inspect(ReadFileBytes(dir / "chain.svg"));
  std::vector<std::string> values;
  for (const auto* text : picture.Find("drawing", "text", "text")) values.push_back(text->Text);
  EXPECT_EQ(values, (std::vector<std::string>{"3000", "2500", "1800", "1500"}));
}

TEST_F(HostSession, TheNewChainHandsOverOnceThenTheSameLauncherRepeats) {
  HostDouble host(folder, hostFolder, HeadlessRunner(kHeadless));
  const SessionResult result =
      host.Run(ReadSession(ReadFileBytes(kSessions / "clicked_chain.session")));
  std::vector<std::string> launchers;
  for (const std::string& line : result.Transcript)
    if (line.rfind("launcher: ", 0) == 0) launchers.push_back(line.substr(10, line.find(' ', 10) - 10));
  EXPECT_EQ(launchers, (std::vector<std::string>{"vk47_Orvane_new.bat", "vk47_Orvane.bat",
                                                 "vk47_Orvane.bat", "vk47_Orvane.bat",
                                                 "vk47_Orvane.bat"}));
  // The host wrote the last run's points and no entity (no selection step).
  const std::string written = host.HostFileBytes(ReadLauncher(Launcher("vk47_Orvane.bat")),
                                                 {"0 9000", "-2150 8000"});
  EXPECT_EQ(written.rfind("hq\r\n", 0), 0u);
  EXPECT_NE(written.find("\r\nhp1 0 9000\r\nhp2 -2150 8000\r\n"), std::string::npos);
  EXPECT_EQ(written.find('#'), std::string::npos);
  // A launcher without "#cd" has the exchange file in the host's folder,
  // where the program never looks: the host reads its own "hq" back.
  WriteFileBytes(folder / "no_cd.bat", "REM x\r\nREM #jww\r\nREM #h0\r\nREM #1 p\r\nREM #e\r\n"
                                       "\"%~dp0vk47_Orvane.exe\"\r\n");
  const std::size_t before = host.Drawing().size();
  const SessionResult astray = host.Run(ReadSession("start no_cd.bat\nok 0 20000\n"));
  EXPECT_EQ(astray.Transcript.back(), "answer: hq, nothing drawn");
  EXPECT_EQ(host.Drawing().size(), before);
  EXPECT_TRUE(fs::exists(hostFolder / "JWC_TEMP.TXT"));
}

}  // namespace

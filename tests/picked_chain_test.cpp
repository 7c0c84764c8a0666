// A chain picked in the drawing: the program's own output, read back as the
// host writes a range selection, is found as the chain that was stored, and
// its continuation is the continuation of the stored chain.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "support/DimensionTestSupport.h"
#include "dialog/DialogModel.h"
#include "dialog/SettingsTable.h"
#include "dimension/OkNotice.h"
#include "dimension/OkPlan.h"
#include "dimension/PickedChain.h"
#include "dimension/RunModes.h"
#include "exchange/ExchangeReader.h"
#include "exchange/HostState.h"
#include "frontends/headless/HeadlessRun.h"
#include "support/hostdouble/HostDouble.h"
#include "helpers/NumberFormat.h"
#include "support/RunFiles.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using dimension_testing::Axes;
using headless::Event;
using headless::RunOnce;
using headless::RunOptions;
using headless::SettingChange;
using headless::TranscriptLines;
using headless::WithoutNotices;
using testing_support::HostFile;
using testing_support::ReadFileBytes;
using testing_support::RealFiles;
using testing_support::ScratchDir;
using testing_support::SettingsFile;
using testing_support::SplitCrLf;
using testing_support::WriteFileBytes;
using Lines = std::vector<std::string>;

namespace {

const Lines kDrawn = {"status: 処理中です", "status: ファイル生成中です", "closed"};

// Paper positions in the host's axes, turned into drawing coordinates as the
// host would write them.
struct Sheet {
  double Axis = 0;
  double Scale = 1;
  PlanePoint Origin{1234.5, -678.25};
  PlanePoint Point(double u, double v) const { return Axes(Axis).At(Origin, u * Scale, v * Scale); }
  std::string At(double u, double v) const {
    const PlanePoint p = Point(u, v);
    return FormatGeneral(p.X) + " " + FormatGeneral(p.Y);
  }
  HostFile Host(std::vector<std::string> picks) const {
    HostFile host;
    host.Axis = FormatGeneral(Axis);
    host.Scales.clear();
    for (int group = 0; group < 16; ++group)
      host.Scales += (group ? " " : "") + FormatGeneral(Scale);
    host.Picks = std::move(picks);
    return host;
  }
};

// The dialog's choices a chain is drawn with.
struct Marks {
  int Start = 0;
  int End = 0;
  bool Figure = false;
  std::vector<SettingChange> Changes() const {
    return {{"StartMark", std::to_string(Start)},
            {"EndMark", std::to_string(End)},
            {"AsDimensionFigure", Figure ? "1" : "0"}};
  }
};

// One run of the program in `dir`; the transcript without the notices.
Lines RunIn(const fs::path& dir, const std::string& host,
            const std::optional<std::string>& settings, RunOptions options = {}) {
  WriteFileBytes(dir / "JWC_TEMP.TXT", host);
  if (settings) WriteFileBytes(dir / "vk38.dat", *settings);
  return TranscriptLines(WithoutNotices(RunOnce(dir, options).Transcript));
}

// A chain the program draws: started between the object points at u =
// `object` (levels 0 and 40 on paper) with its dimension line at u = `line`,
// continued above to 70 and below by a dimension of 4 (too short for most
// marks, which are then reversed with overshoots). Each run's answer is
// kept, as the entities of the drawing; vk38.dat holds the chain.
struct DrawnChain {
  std::vector<std::string> Answers;
  std::string Stored;
  std::string Selection() const {
    std::string all;
    for (const std::string& answer : Answers) all += answer;
    return all;
  }
};

DrawnChain DrawChain(const Sheet& sheet, const Marks& marks, double object = 0, double line = -25) {
  ScratchDir dir;
  SettingsFile settings;
  settings.Scale = FormatGeneral(sheet.Scale);
  RunOptions start;
  start.Mode = &RunModeOf(ChainDirection::Vertical, ChainSource::Picks);
  start.Changes = marks.Changes();
  DrawnChain chain;
  const std::vector<std::vector<std::string>> runs = {
      {sheet.At(object, 0), sheet.At(object, 40), sheet.At(line, 10), sheet.At(line - 5, 20)},
      {sheet.At(object + 5, 70), sheet.At(line - 5, 55)},
      {sheet.At(object - 3, -4), sheet.At(line - 5, -10)}};
  for (std::size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(RunIn(dir.Path(), sheet.Host(runs[i]).Bytes(),
                    i ? std::nullopt : std::optional(settings.Bytes()), i ? RunOptions{} : start),
              kDrawn);
    chain.Answers.push_back(ReadFileBytes(dir / "JWC_TEMP.TXT"));
  }
  chain.Stored = ReadFileBytes(dir / "vk38.dat");
  return chain;
}

// The host state of a host file (header, picks and the selection).
HostState ReadHost(const std::string& hostFile) {
  ScratchDir dir;
  WriteFileBytes(dir / "JWC_TEMP.TXT", hostFile);
  HostState host;
  ResetHostState(host);
  ReadExchangeFile(RealFiles(), dir / "JWC_TEMP.TXT", host);
  return host;
}

// The chain found in a host file at the host's axes.
std::optional<PickedChain> Found(const std::string& hostFile, PlanePoint valuePosition) {
  const HostState host = ReadHost(hostFile);
  return SearchPickedChain(host, host.AxisAngle, valuePosition).Chain;
}

// The stored chain's levels along the vertical axis and its dimension line's
// place across it.
struct Levels {
  double Lower = 0, Upper = 0, Across = 0;
};
Levels StoredLevels(const std::string& settingsFile, const Sheet& sheet) {
  const Lines lines = SplitCrLf(settingsFile);
  EXPECT_EQ(lines.size(), 31u);
  auto point = [&](int line) {
    return PlanePoint{std::stod(lines[line - 1]), std::stod(lines[line])};
  };
  const Axes axes(sheet.Axis);
  const PlanePoint o{0, 0};
  const double a = axes.AlongV(o, point(26));
  const double b = axes.AlongV(o, point(28));
  return {std::min(a, b), std::max(a, b), axes.AlongU(o, point(30))};
}
Levels FoundLevels(const PickedChain& chain, const Sheet& sheet) {
  const Axes axes(sheet.Axis);
  const PlanePoint o{0, 0};
  return {axes.AlongV(o, chain.Lower), axes.AlongV(o, chain.Upper), axes.AlongU(o, chain.Lower)};
}
void ExpectSameLevels(const Levels& found, const Levels& expected) {
  for (auto [f, e] :
       {std::pair{found.Lower, expected.Lower}, std::pair{found.Upper, expected.Upper},
        std::pair{found.Across, expected.Across}})
    EXPECT_NEAR(f, e, 1e-9 * (1 + std::fabs(e)));
}

// The settings file with the found chain in place of the stored one, at the
// host's scale and axis angle; its dimension line through the end that the
// continuation above or below goes on from.
std::string StoredAsFound(const std::string& settingsFile, const PickedChain& chain,
                          const Sheet& sheet, bool above) {
  Lines lines = SplitCrLf(settingsFile);
  const PlanePoint ref = above ? chain.Upper : chain.Lower;
  lines[23] = FormatGeneral(sheet.Scale);
  lines[24] = FormatGeneral(sheet.Axis);
  const double values[] = {chain.Lower.X, chain.Lower.Y, chain.Upper.X,
                           chain.Upper.Y, ref.X,         ref.Y};
  for (int i = 0; i < 6; ++i) lines[25 + i] = FormatGeneral(values[i]);
  return testing_support::JoinLines(lines);
}

// A picked chain's answer as the ordinary continuation of the same chain
// gives it: the run after a pick goes on with the usual launcher, the usual
// launcher repeats itself; the drawn lines after that head are the same.
std::string AsContinuation(const std::string& pickedAnswer) {
  const std::string head = "h/vk47_Orvane.bat\r\n";
  EXPECT_EQ(pickedAnswer.rfind(head, 0), 0u) << "no hand-over to the usual launcher";
  if (pickedAnswer.rfind(head, 0) != 0) return pickedAnswer;
  return "hr\r\n" + pickedAnswer.substr(head.size());
}

// Two answers alike line for line: the same words, and numbers that agree
// to a billionth of their size.
void ExpectAlike(const std::string& answer, const std::string& expected) {
  const Lines got = SplitCrLf(answer);
  const Lines want = SplitCrLf(expected);
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    if (got[i] == want[i]) continue;
    std::istringstream a(got[i]), b(want[i]);
    std::string x, y;
    while (a >> x) {
      ASSERT_TRUE(static_cast<bool>(b >> y)) << got[i] << " / " << want[i];
      char* end = nullptr;
      const double vx = std::strtod(x.c_str(), &end);
      if (*end != '\0' || end == x.c_str()) {
        EXPECT_EQ(x, y) << got[i] << " / " << want[i];
        continue;
      }
      EXPECT_NEAR(vx, std::stod(y), 1e-9 * (1 + std::fabs(vx))) << got[i] << " / " << want[i];
    }
    EXPECT_FALSE(static_cast<bool>(b >> y)) << got[i] << " / " << want[i];
  }
}

// The lines of a drawing run that lie across the axis at paper level `v`
// (with the "z3" line before each): the extension line there.
std::string ExtensionLinesAt(const std::string& answer, const Sheet& sheet, double v) {
  const Lines lines = SplitCrLf(answer);
  const Axes axes(sheet.Axis);
  std::string kept;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::vector<double> n = dimension_testing::Numbers(lines[i]);
    if (lines[i - 1] != "z3" || n.size() != 4 ||
        lines[i].find_first_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos)
      continue;
    const double level = v * sheet.Scale;
    const PlanePoint o = sheet.Origin;
    if (std::fabs(axes.AlongV(o, {n[0], n[1]}) - level) < 1e-6 * sheet.Scale &&
        std::fabs(axes.AlongV(o, {n[2], n[3]}) - level) < 1e-6 * sheet.Scale)
      kept += "z3\r\n" + lines[i] + "\r\n";
  }
  return kept;
}

TEST(PickedChain, OwnOutputIsFoundAsTheStoredChainAndContinuedAlike) {
  // Every end mark kind at either end, with both figure modes, at each
  // axis angle and scale.
  int cases = 0;
  std::set<int> starts, ends;
  for (const double axis : {0.0, 30.0, 90.0, 180.0})
    for (const double scale : {1.0, 20.0, 500.0})
      for (const bool figure : {false, true}) {
        const int kind = cases % 12;
        const Sheet sheet{axis, scale};
        const Marks marks{kind, (cases * 5 + 3) % 12, figure};
        starts.insert(marks.Start);
        ends.insert(marks.End);
        SCOPED_TRACE(testing::Message() << "axis " << axis << " scale " << scale << " figure "
                                        << figure << " marks " << marks.Start << "/" << marks.End);
        const DrawnChain chain = DrawChain(sheet, marks);
        // Above the chain or below it, value beside the dimension line.
        const bool above = cases % 2 == 0;
        const std::vector<std::string> picks = {sheet.At(2, above ? 100 : -30),
                                                sheet.At(-30, above ? 80 : -20)};
        const std::string pickHost = sheet.Host(picks).Bytes() + chain.Selection();

        const std::optional<PickedChain> found =
            Found(pickHost, sheet.Point(-30, above ? 80 : -20));
        ASSERT_TRUE(found);
        ExpectSameLevels(FoundLevels(*found, sheet), StoredLevels(chain.Stored, sheet));

        ScratchDir stored, asFound, picked;
        RunOptions pick;
        pick.Mode = &RunModeOf(ChainDirection::Vertical, ChainSource::Selection);
        EXPECT_EQ(RunIn(picked.Path(), pickHost, chain.Stored, pick), kDrawn);
        // Byte for byte the ordinary continuation of the found chain stored
        // at the host's scale and axes, its dimension line taken through
        // the end it goes on from.
        EXPECT_EQ(RunIn(asFound.Path(), sheet.Host(picks).Bytes(),
                        StoredAsFound(chain.Stored, *found, sheet, above)),
                  kDrawn);
        EXPECT_EQ(AsContinuation(ReadFileBytes(picked / "JWC_TEMP.TXT")),
                  ReadFileBytes(asFound / "JWC_TEMP.TXT"));
        EXPECT_EQ(ReadFileBytes(picked / "vk38.dat"), ReadFileBytes(asFound / "vk38.dat"));
        // And, but for the last digit of points derived from the chain's
        // old end, the continuation of the chain as the drawing runs
        // stored it; the chain stored after it reaches as far.
        EXPECT_EQ(RunIn(stored.Path(), sheet.Host(picks).Bytes(), chain.Stored), kDrawn);
        ExpectAlike(AsContinuation(ReadFileBytes(picked / "JWC_TEMP.TXT")),
                    ReadFileBytes(stored / "JWC_TEMP.TXT"));
        ExpectSameLevels(StoredLevels(ReadFileBytes(picked / "vk38.dat"), sheet),
                         StoredLevels(ReadFileBytes(stored / "vk38.dat"), sheet));
        ++cases;
      }
  EXPECT_EQ(cases, 4 * 3 * 2);
  EXPECT_EQ(starts.size(), 12u);
  EXPECT_EQ(ends.size(), 12u);
}

TEST(PickedChain, FoundAmongOtherEntitiesPartlySelectedAndBesideAnotherChain) {
  for (const double axis : {0.0, 30.0})
    for (const bool figure : {false, true}) {
      const Sheet sheet{axis, 50};
      SCOPED_TRACE(testing::Message() << "axis " << axis << " figure " << figure);
      const DrawnChain left = DrawChain(sheet, Marks{0, 0, figure});
      const DrawnChain right = DrawChain(sheet, Marks{3, 7, figure}, 200, 240);
      // A horizontal dimension: a vertical one at axes turned by 90 degrees.
      const DrawnChain horizontal = DrawChain(Sheet{axis + 90, 50}, Marks{0, 0, figure}, -60, -90);
      // Lines without the dimension flag (one right on the dimension line),
      // texts and a circle.
      const std::string unrelated =
          "lc1\r\n" + sheet.At(-25, -50) + " " + sheet.At(-25, 150) + "\r\n" + sheet.At(-40, 30) +
          " " + sheet.At(300, 30) + "\r\nch " + sheet.At(-30, 20) + " 1 0 \"ABC\r\ncs " +
          sheet.At(-26, 20) + " 0 10 \"1,234\r\nci " + sheet.At(10, 10) + " 500\r\n";
      const std::string host = sheet.Host({sheet.At(0, 90), sheet.At(-30, 80)}).Bytes();
      const Levels leftLevels = StoredLevels(left.Stored, sheet);
      const Levels rightLevels = StoredLevels(right.Stored, sheet);

      const std::string all =
          host + horizontal.Selection() + unrelated + right.Selection() + left.Selection();
      const std::optional<PickedChain> nearLeft = Found(all, sheet.Point(-30, 80));
      ASSERT_TRUE(nearLeft);
      ExpectSameLevels(FoundLevels(*nearLeft, sheet), leftLevels);
      const std::optional<PickedChain> nearRight = Found(all, sheet.Point(250, 80));
      ASSERT_TRUE(nearRight);
      ExpectSameLevels(FoundLevels(*nearRight, sheet), rightLevels);

      // Only the upper dimension of the left chain, with the extension line
      // at its lower end that the range takes too: the chain from 40 to 70.
      const std::string outer =
          host + left.Answers[1] + ExtensionLinesAt(left.Answers[0], sheet, 40) + unrelated;
      const std::optional<PickedChain> upper = Found(outer, sheet.Point(-30, 80));
      ASSERT_TRUE(upper);
      Levels expected = leftLevels;
      expected.Lower = Axes(axis).AlongV({0, 0}, sheet.Point(0, 40));
      ExpectSameLevels(FoundLevels(*upper, sheet), expected);
    }
}

// A chain as the host's own dimension command draws it, on paper in the
// host's axes: dimension line segments at u = Line between the measured
// levels, the measured object at u = Object.
struct HostDrawnChain {
  double Line = -10;
  std::vector<double> Levels = {0, 30, 45, 72.8};
  double Object = 0;
  enum class Ends { Dots, Markers, Bare } Marks = Ends::Dots;
  // Extension lines at the two outer ends only, at every measured point, or
  // none (left outside the selection).
  enum class Extensions { Outer, All, Cut } Reach = Extensions::Outer;
  bool Values = true;
  // Values written with their base point at the bottom centre ("cc1", as
  // the host writes texts with "#zc") rather than at their start.
  bool Centred = false;
  // How far the extension lines reach beyond the dimension line: with none,
  // those of neighbouring chains overlap on one line, each ending on its
  // chain's dimension line.
  double Overshoot = 1;
  // A chain of the other direction: drawn on the axes turned back by 90
  // degrees (u' = -v, v' = u).
  bool Crosswise = false;
};

// The levels a host-drawn chain stands at on `sheet`, as FoundLevels gives
// those of a chain found.
Levels DrawnLevels(const HostDrawnChain& chain, const Sheet& sheet) {
  const Axes axes(sheet.Axis);
  const PlanePoint o{0, 0};
  return {axes.AlongV(o, sheet.Point(chain.Line, chain.Levels.front())),
          axes.AlongV(o, sheet.Point(chain.Line, chain.Levels.back())),
          axes.AlongU(o, sheet.Point(chain.Line, 0))};
}

// A selection of a host-drawn plan: chains, grid lines and hatching, and a
// value the program drew beside the first chain (its underline and leader).
struct HostDrawing {
  bool Flags = true;  // written with "#zz": "z3" before every part of a dimension
  std::vector<HostDrawnChain> Chains;
  bool GridAndHatch = false;
  bool Underline = false;

  std::string Selection(const Sheet& sheet) const {
    const std::string z3 = Flags ? "z3\r\n" : "";
    const std::string z1 = Flags ? "z1\r\n" : "";
    auto lineOn = [](const Sheet& on, double u1, double v1, double u2, double v2) {
      return on.At(u1, v1) + " " + on.At(u2, v2) + "\r\n";
    };
    auto line = [&](double u1, double v1, double u2, double v2) {
      return lineOn(sheet, u1, v1, u2, v2);
    };
    auto upwardOn = [](const Sheet& on) {
      const Axes axes(on.Axis);
      return FormatGeneral(axes.Vx) + " " + FormatGeneral(axes.Vy);
    };
    const std::string upward = upwardOn(sheet);
    const Sheet across{sheet.Axis - 90, sheet.Scale, sheet.Origin};
    // Values in text style 2 (2.5 wide and high on paper), reading upwards
    // 1 mm beside the line.
    std::string out = "lc1\r\ncn2\r\n";
    for (const HostDrawnChain& c : Chains) {
      const Sheet& on = c.Crosswise ? across : sheet;
      auto segment = [&](double u1, double v1, double u2, double v2) {
        return lineOn(on, u1, v1, u2, v2);
      };
      const std::string reading = upwardOn(on);
      const double towards = c.Object > c.Line ? 1 : -1;
      const std::size_t n = c.Levels.size();
      for (std::size_t i = 0; i < n; ++i) {
        const double v = c.Levels[i];
        if (i + 1 < n) out += z3 + segment(c.Line, v, c.Line, c.Levels[i + 1]);
        if (c.Reach == HostDrawnChain::Extensions::All ||
            (c.Reach == HostDrawnChain::Extensions::Outer && (i == 0 || i + 1 == n)))
          out += z3 + segment(c.Object - 2 * towards, v, c.Line - c.Overshoot * towards, v);
        if (c.Marks == HostDrawnChain::Ends::Dots) out += z3 + "pt " + on.At(c.Line, v) + "\r\n";
        if (c.Marks == HostDrawnChain::Ends::Markers)
          out += z3 + "pt " + on.At(c.Line, v) + " 1 0 7\r\n";
        if (c.Values && i + 1 < n) {
          const std::string text = FormatGeneral((c.Levels[i + 1] - v) * sheet.Scale);
          const double middle = (v + c.Levels[i + 1]) / 2;
          const double start = c.Centred ? middle : middle - text.size() * 1.25 / 2;
          out += std::string(c.Centred ? "cc1\r\n" : "cc0\r\n") + z3 + "cs " +
                 on.At(c.Line - 1, start) + " " + reading + " \"" + text + "\r\n";
        }
      }
    }
    if (GridAndHatch) {
      // Grid lines along the axis and across it, a hatched strip between
      // two lines across the axis.
      for (const double u : {5.0, 40.0}) out += line(u, -10, u, 90);
      for (const double v : {0.0, 45.0, 72.8}) out += line(-30, v, 50, v);
      out += line(10, 10, 20, 10) + line(10, 20, 20, 20);
      for (const double u : {12.0, 14.0, 16.0, 18.0}) out += z1 + line(u, 10, u, 20);
    }
    if (Underline) {
      // The value 4500 continued beside the first chain, its underline
      // along the axis and a leader across it from the dimension line.
      const double u = Chains.front().Line;
      out += z3 + "cs " + sheet.At(u + 5.5, 50) + " " + upward + " \"4500\r\n" + z3 +
             line(u + 6, 49.5, u + 6, 55.5) + z3 + line(u, 49.5, u + 6, 49.5);
    }
    return out;
  }
};

// A vertical chain's words as a horizontal chain's run has them.
std::string InHorizontalWords(std::string text) {
  const std::pair<std::string, std::string> words[] = {
      {"垂直", "\x01"}, {"水平", "垂直"}, {"\x01", "水平"}, {"横に寸法値", "上下に寸法値"}};
  for (const auto& [from, to] : words)
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
      text.replace(at, from.size(), to);
  return text;
}

// A one-click pick of a chain in a drawing, as the user makes it with the
// packaged click launcher of `direction` and the host double: the host sends
// the whole drawing with the clicked line tagged. A horizontal chain's
// drawing is the vertical one at the host's axes turned by 90 degrees. The
// chain found from the clicked line is `want` (or none), the notice's first
// line `told` (unless empty), the message OK shows `message` (a click on no
// dimension line: what was clicked and what to click; unless empty), and the
// answer draws and hands over to the continuation, or draws nothing.
void ExpectClicked(const Sheet& sheet, const std::string& selection,
                   const std::vector<std::pair<double, double>>& paper, ChainDirection direction,
                   const HostDrawnChain* want, const std::string& told,
                   const std::string& message, OkOutcome outcome) {
  const bool horizontal = direction == ChainDirection::Horizontal;
  SCOPED_TRACE(horizontal ? "horizontal" : "vertical");
  const RunMode& mode = RunModeOf(direction, ChainSource::Click);
  ScratchDir dir;
  const fs::path folder = dir / "program";
  fs::create_directories(folder);
  // Every launcher, as shipped: the answer hands over.
  for (const RunMode& any : RunModes())
    WriteFileBytes(folder / any.Launcher, testing_support::PackagedText(any.Launcher));
  const std::string launcher = testing_support::PackagedText(mode.Launcher);
  host_double::HostSettings settings;
  settings.AxisAngle = FormatGeneral(sheet.Axis + (horizontal ? 90 : 0));
  settings.GroupScales.clear();
  for (int group = 0; group < 16; ++group)
    settings.GroupScales += (group ? " " : "") + FormatGeneral(sheet.Scale);
  settings.TextWidths = settings.TextHeights = "3 2.5 2 4 5 6 7 8 9 10";
  // The tag before the flag lines in one direction, after them in the other;
  // a click more than 2 mm on paper from every line finds none.
  settings.PickTagBeforeFlags = horizontal;
  settings.ClickReach = 2 * sheet.Scale;
  host_double::HostDouble host(
      folder, dir / "host",
      host_double::HeadlessRunner(fs::path(ORVANE_BINARY_DIR) / "frontends/headless/orvane-headless"),
      settings);
  host.Draw(SplitCrLf(selection));
  std::vector<std::string> picks;
  for (const auto& [u, v] : paper) picks.push_back(sheet.At(u, v));

  // The chain the program finds in what the host writes.
  const HostState state =
      ReadHost(host.HostFileBytes(host_double::ReadLauncher(launcher), picks));
  const ChainSearch search = SearchClickedChain(state, mode.ConstructionAxis(state.AxisAngle),
                                                PickedLine(state, mode.PickOf(PickRole::ChainLine)));
  ASSERT_EQ(search.Chain.has_value(), want != nullptr);
  if (want) ExpectSameLevels(FoundLevels(*search.Chain, sheet), DrawnLevels(*want, sheet));

  // The session: the launcher, the three points, Enter.
  std::string script = "start " + mode.Launcher + "\nok";
  for (const std::string& p : picks) script += " " + p;
  const host_double::SessionResult result = host.Run(host_double::ReadSession(script + "\n"));
  const std::vector<std::string>& shown = result.Transcript;
  // The transcript's first line that starts with `what`.
  const auto first = [&shown](std::string_view what) {
    return std::find_if(shown.begin(), shown.end(),
                        [what](const std::string& line) { return line.starts_with(what); });
  };
  const auto notice = first("  notice: ");
  ASSERT_NE(notice, shown.end());
  if (!told.empty()) {
    EXPECT_EQ(testing_support::Utf8ToSjis(notice->substr(10)),
              horizontal ? InHorizontalWords(told) : told);
  }
  if (!message.empty()) {
    const auto shownMessage = first("  message: ");
    ASSERT_NE(shownMessage, shown.end());
    EXPECT_EQ(testing_support::Utf8ToSjis(shownMessage->substr(11)),
              horizontal ? InHorizontalWords(message) : message);
  }
  const auto answer = first("answer: ");
  ASSERT_NE(answer, shown.end());
  if (outcome == OkOutcome::Draw)
    EXPECT_TRUE(answer->ends_with(" lines drawn, then " + mode.Handover.substr(2))) << *answer;
  else
    EXPECT_EQ(*answer, "answer: hq, nothing drawn");
  // A refused pick stores nothing: no settings file where there was none.
  if (outcome != OkOutcome::Draw) {
    EXPECT_FALSE(fs::exists(folder / mode.SettingsFile));
  }
}

TEST(PickedChain, HostDrawnChainsAreFoundOrRefusedForWhatWasSeen) {
  using Ends = HostDrawnChain::Ends;
  using Reach = HostDrawnChain::Extensions;
  const Sheet plan{0, 100, {-7000, -4000}};           // 1:100, chains 700 apart
  const Sheet detail{0, 20, {0, 0}};                  // 1:20, chains 100 apart
  const Sheet turned{30, 100, {-5.0e6, 8.8e6}};       // turned axes, far away
  const Sheet quarter{90, 100, {2500, 1200}};         // the axis along the drawing's x
  const HostDrawnChain inner{-10}, middle{-17, {0, 45, 72.8}}, overall{-24, {0, 72.8}};
  auto three = [&](Ends marks, Reach reach, bool values = true) {
    std::vector<HostDrawnChain> chains = {inner, middle, overall};
    for (HostDrawnChain& c : chains) {
      c.Marks = marks;
      c.Reach = reach;
      c.Values = values;
    }
    return chains;
  };
  HostDrawnChain above = inner;  // a second chain on the inner chain's line
  above.Levels = {90, 110};
  HostDrawnChain close1{-10, {0, 12, 30}}, close2{-15, {0, 30}}, close3{-20, {0, 30}};
  // Dimensions as short as their values are long, the values centred.
  HostDrawnChain centred{-10, {0, 3, 6}};
  centred.Marks = Ends::Bare;
  centred.Reach = Reach::Cut;
  centred.Centred = true;
  const std::string none = "、どれも寸法線ではありません";
  // Neighbouring chains whose extension lines overlap on one line, each
  // ending on its own dimension line; and two such chains of the other
  // direction below them (their extension lines, along the axis, run from
  // v = -7 to the dimension lines at v = -15 and v = -22, at u = 0 and 40).
  auto overlapping = [&](std::vector<HostDrawnChain> chains) {
    for (HostDrawnChain& c : chains) c.Overshoot = 0;
    return chains;
  };
  HostDrawnChain crossNear{15, {0, 20, 40}, 5}, crossFar{22, {0, 40}, 5};
  crossNear.Crosswise = crossFar.Crosswise = true;
  const std::vector<HostDrawnChain> crosswise = overlapping({crossNear, crossFar});
  std::vector<HostDrawnChain> wholePlan = overlapping(three(Ends::Dots, Reach::Outer));
  wholePlan.insert(wholePlan.end(), crosswise.begin(), crosswise.end());
  // For the horizontal pick: the host's axes at 0, the construction's at -90.
  const Sheet planAcross{-90, 100, {-7000, -4000}};
  const auto horizontal = ChainDirection::Horizontal;

  struct Case {
    std::string Name;
    Sheet On;
    HostDrawing Drawing;
    std::pair<double, double> Value;  // picked point 2, on paper
    int Chain;                        // which of the drawing's chains, or -1
    // The notice's first line: the chain found, or what was seen.
    std::string Told;
    std::pair<double, double> Point = {0, 90};  // picked point 1, on paper
    OkOutcome Outcome = OkOutcome::Draw;
    // The pick's direction: a horizontal pick's host axis is turned by 90
    // degrees from the construction's axes that the case is drawn on.
    ChainDirection Direction = ChainDirection::Vertical;
    // A one-click pick: where the user clicks (the line nearest to it is the
    // one the host tags), then Point and Value. Run through the host double
    // with the packaged click launcher of each direction, the drawing as the
    // host's whole data (both directions, whatever Direction says).
    std::optional<std::pair<double, double>> Click = std::nullopt;
  };
  const Case cases[] = {
      {"three chains 700 apart, z3, dots, extension lines at the outer ends", plan,
       {true, three(Ends::Dots, Reach::Outer)}, {-13, 36}, 0,
       "選択した寸法線 X=-8000　Y -4000～3280　長さ 7280（3本中）"},
      {"the middle one", plan, {true, three(Ends::Dots, Reach::Outer)}, {-20, 36}, 1, ""},
      {"the overall one, the value beyond it", plan, {true, three(Ends::Dots, Reach::Outer)},
       {-30, 80}, 2, "選択した寸法線 X=-9400　Y -4000～3280　長さ 7280（3本中）"},
      {"without z3", plan, {false, three(Ends::Dots, Reach::Outer)}, {-13, 36}, 0, ""},
      {"without z3 or dots, extension lines everywhere", plan,
       {false, three(Ends::Bare, Reach::All)}, {-20, 36}, 1, ""},
      {"without z3, point markers, the extension lines cut by the range", plan,
       {false, three(Ends::Markers, Reach::Cut)}, {-13, 36}, 0, ""},
      {"z3 and values alone, the extension lines cut", plan,
       {true, three(Ends::Bare, Reach::Cut)}, {-20, 36}, 1, ""},
      {"z3 and values alone, the values centred on short dimensions", plan, {true, {centred}},
       {-13, 3}, 0, "選択した寸法線 X=-8000　Y -4000～-3400　長さ 600（1本中）", {0, 10}},
      {"values alone", plan, {false, three(Ends::Bare, Reach::Cut)}, {-13, 36}, -1,
       "範囲選択の中の垂直方向の線 3本は" + none +
           "（横に寸法値のある線 3本、補助線か点が2か所以上にある線 0本）。",
       {0, 90}, OkOutcome::NoChain},
      {"dots and extension lines without values", plan,
       {false, three(Ends::Dots, Reach::Outer, false)}, {-13, 36}, -1,
       "範囲選択の中の垂直方向の線 3本は" + none +
           "（横に寸法値のある線 0本、補助線か点が2か所以上にある線 3本）。",
       {0, 90}, OkOutcome::NoChain},
      {"grid lines and hatching", plan, {false, {}, true}, {15, 15}, -1,
       "範囲選択の中の垂直方向の線 6本は" + none +
           "（横に寸法値のある線 0本、補助線か点が2か所以上にある線 4本）。",
       {0, 90}, OkOutcome::NoChain},
      {"grid lines and hatching beside chains, the value by the hatching", plan,
       {true, three(Ends::Dots, Reach::Outer), true}, {15, 15}, 0, ""},
      {"the same without z3", plan, {false, three(Ends::Dots, Reach::Outer), true}, {15, 15}, 0,
       "選択した寸法線 X=-8000　Y -4000～3280　長さ 7280（3本中）"},
      {"a value's underline nearer the value position", plan,
       {true, three(Ends::Dots, Reach::Outer), false, true}, {-3, 52}, 0,
       "選択した寸法線 X=-8000　Y -4000～3280　長さ 7280（3本中）"},
      {"1:20, chains 100 apart", detail, {true, {close1, close2, close3}}, {-16.5, 20}, 1,
       "選択した寸法線 X=-300　Y 0～600　長さ 600（3本中）", {0, 40}},
      {"turned axes far from the origin", turned, {true, three(Ends::Dots, Reach::Outer)},
       {-20, 36}, 1,
       "選択した寸法線 (-5001472.2, 8799150)～(-5005112.2, 8805454.7)　長さ 7280（3本中）"},
      {"the axis along the drawing's x", quarter, {false, three(Ends::Dots, Reach::Outer)},
       {-13, 36}, 0, "選択した寸法線 Y=200　X -4780～2500　長さ 7280（3本中）"},
      {"a point at an inner measured point without an extension line", plan,
       {true, three(Ends::Dots, Reach::Outer)}, {-13, 36}, 0, "", {0, 30}, OkOutcome::Inside},
      {"a point on the chain's end", plan, {true, three(Ends::Dots, Reach::Outer)}, {-13, 36}, 0,
       "", {5, 72.8}, OkOutcome::Inside},
      {"a point inside another chain on the line", plan, {true, {inner, middle, above}},
       {-13, 36}, 0, "選択した寸法線 X=-8000　Y -4000～3280　長さ 7280（3本中）", {0, 100},
       OkOutcome::Inside},
      {"a point beyond another chain on the line", plan, {true, {inner, middle, above}},
       {-13, 36}, 0, "", {0, 120}, OkOutcome::Inside},
      {"a point short of another chain on the line", plan, {true, {inner, middle, above}},
       {-13, 36}, 0, "", {0, 85}},
      {"extension lines of neighbouring chains overlapping", plan,
       {true, overlapping(three(Ends::Dots, Reach::Outer))}, {-20, 36}, 1,
       "選択した寸法線 X=-8700　Y -4000～3280　長さ 7280（3本中）"},
      {"only the other direction's chains, their extension lines overlapping", plan,
       {true, crosswise}, {-13, 36}, -1,
       "範囲選択の中の垂直方向の線 2本は" + none +
           "（横に寸法値のある線 0本、補助線か点が2か所以上にある線 2本）。",
       {0, 90}, OkOutcome::NoChain},
      {"a whole plan, both directions", plan, {true, wholePlan}, {-13, 36}, 0,
       "選択した寸法線 X=-8000　Y -4000～3280　長さ 7280（3本中）"},
      {"a whole plan, the value position by the overlapping extension lines", plan,
       {true, wholePlan}, {1, -18}, 0, "", {0, 90}},
      {"horizontal: only the other direction's chains", planAcross, {true, crosswise},
       {-13, 36}, -1,
       "範囲選択の中の水平方向の線 2本は" + none +
           "（上下に寸法値のある線 0本、補助線か点が2か所以上にある線 2本）。",
       {0, 90}, OkOutcome::NoChain, horizontal},
      {"horizontal: a whole plan, both directions", planAcross, {true, wholePlan}, {-20, 36}, 1,
       "選択した寸法線 Y=-2300　X -7000～280　長さ 7280（3本中）", {0, 90}, OkOutcome::Draw,
       horizontal},
      {"horizontal: the value position by the overlapping extension lines", planAcross,
       {true, wholePlan}, {1, -18}, 0, "", {0, 90}, OkOutcome::Draw, horizontal},
      {"click: an inner piece of the inner chain", plan, {true, three(Ends::Dots, Reach::Outer)},
       {-13, 36}, 0, "選択した寸法線 X=-8000　Y -4000～3280　長さ 7280（3本中）", {0, 90},
       OkOutcome::Draw, ChainDirection::Vertical, std::pair{-10.0, 37.0}},
      {"click: the outer chain, below it", plan, {true, three(Ends::Dots, Reach::Outer)},
       {-30, -20}, 2, "選択した寸法線 X=-9400　Y -4000～3280　長さ 7280（3本中）", {0, -30},
       OkOutcome::Draw, ChainDirection::Vertical, std::pair{-24.0, 10.0}},
      {"click: a chain with a neighbouring chain on its line", plan,
       {true, {inner, middle, above}}, {-13, 100}, 2,
       "選択した寸法線 X=-8000　Y 5000～7000　長さ 2000（3本中）", {0, 120}, OkOutcome::Draw, ChainDirection::Vertical,
       std::pair{-10.0, 100.0}},
      {"click: its neighbour, continued short of it", plan, {true, {inner, middle, above}},
       {-13, 80}, 0, "", {0, 85}, OkOutcome::Draw, ChainDirection::Vertical, std::pair{-10.0, 37.0}},
      {"click: its neighbour, continued into it", plan, {true, {inner, middle, above}},
       {-13, 80}, 0, "選択した寸法線 X=-8000　Y -4000～3280　長さ 7280（3本中）", {0, 100},
       OkOutcome::Inside, ChainDirection::Vertical, std::pair{-10.0, 37.0}},
      {"click: without z3", plan, {false, three(Ends::Dots, Reach::Outer)}, {-20, 36}, 1,
       "選択した寸法線 X=-8700　Y -4000～3280　長さ 7280（3本中）", {0, 90}, OkOutcome::Draw, ChainDirection::Vertical,
       std::pair{-17.0, 20.0}},
      {"click: an extension line", plan, {true, three(Ends::Dots, Reach::Outer)}, {-13, 36}, -1,
       "クリックした線は寸法の補助線（または水平寸法の寸法線）で、垂直寸法の寸法線ではありませ"
       "ん。",
       {0, 90}, OkOutcome::NoChain, ChainDirection::Vertical, std::pair{-5.0, 72.8}},
      {"click: a value's underline", plan, {true, three(Ends::Dots, Reach::Outer), false, true},
       {-3, 52}, -1, "クリックした線は寸法値の下線で、垂直寸法の寸法線ではありません。", {0, 90},
       OkOutcome::NoChain, ChainDirection::Vertical, std::pair{-4.0, 52.0}},
      {"click: a wall along the axis, not flagged", plan,
       {true, three(Ends::Dots, Reach::Outer), true}, {-13, 36}, -1,
       "クリックした線は寸法ではない線（壁など）で、垂直寸法の寸法線ではありません。", {0, 90},
       OkOutcome::NoChain, ChainDirection::Vertical, std::pair{40.0, 50.0}},
      {"click: a wall across the axis", plan, {true, three(Ends::Dots, Reach::Outer), true},
       {-13, 36}, -1,
       "クリックした線は水平方向の線（壁など）で、垂直寸法の寸法線ではありません。", {0, 90},
       OkOutcome::NoChain, ChainDirection::Vertical, std::pair{45.0, 45.0}},
      {"click: turned axes far from the origin", turned, {true, three(Ends::Dots, Reach::Outer)},
       {-20, 36}, 1,
       "選択した寸法線 (-5001472.2, 8799150)～(-5005112.2, 8805454.7)　長さ 7280（3本中）",
       {0, 90}, OkOutcome::Draw, ChainDirection::Vertical, std::pair{-17.0, 60.0}},
      {"click: a whole plan, both directions", plan, {true, wholePlan}, {-13, 36}, 0,
       "選択した寸法線 X=-8000　Y -4000～3280　長さ 7280（3本中）", {0, 90}, OkOutcome::Draw,
       ChainDirection::Vertical, std::pair{-10.0, 37.0}},
      {"click: overlapping extension lines of the other direction's chains", plan,
       {true, wholePlan}, {-13, 36}, -1,
       "クリックした線は寸法値の無い寸法の線（補助線や引出線）で、垂直寸法の寸法線ではありませ"
       "ん。",
       {0, 90}, OkOutcome::NoChain, ChainDirection::Vertical, std::pair{0.0, -12.0}},
      {"click: nothing at the point, no line tagged", plan, {true, three(Ends::Dots, Reach::Outer)},
       {-13, 36}, -1, "クリックした位置に線が見つかりません。", {0, 90}, OkOutcome::NoChain,
       ChainDirection::Vertical, std::pair{-45.0, 120.0}},
      {"click: a dimension line of the other direction", plan, {true, wholePlan}, {-13, 36}, -1,
       "クリックした線は寸法の補助線（または水平寸法の寸法線）で、垂直寸法の寸法線ではありませ"
       "ん。",
       {0, 90}, OkOutcome::NoChain, ChainDirection::Vertical, std::pair{20.0, -15.0}},
  };
  const std::string select =
      "延長する垂直寸法の寸法線を、寸法値と補助線か点ごと（または寸法図形を）範囲選択して下さい。";
  const std::string selectAcross =
      "延長する水平寸法の寸法線を、寸法値と補助線か点ごと（または寸法図形を）範囲選択して下さい。";
  const std::string click =
      "延長する垂直寸法の寸法線（横に寸法値のある垂直方向の線）をクリックして下さい。";
  DialogSettings values = InitialSettings();
  values.TextStyle = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const HostDrawing& drawing = c.Drawing;
    if (c.Click) {
      for (const ChainDirection direction : {ChainDirection::Vertical, ChainDirection::Horizontal})
        ExpectClicked(c.On, drawing.Selection(c.On), {*c.Click, c.Point, c.Value}, direction,
                      c.Chain < 0 ? nullptr : &drawing.Chains[static_cast<std::size_t>(c.Chain)],
                      c.Told, c.Chain < 0 ? c.Told + click : "", c.Outcome);
      continue;
    }
    const RunMode& pick = RunModeOf(c.Direction, ChainSource::Selection);
    HostFile header = c.On.Host(
        {c.On.At(c.Point.first, c.Point.second), c.On.At(c.Value.first, c.Value.second)});
    if (c.Direction == ChainDirection::Horizontal) header.Axis = FormatGeneral(c.On.Axis + 90);
    const HostState host = ReadHost(header.Bytes() + drawing.Selection(c.On));
    const double axis = pick.ConstructionAxis(host.AxisAngle);
    const ChainSearch search =
        SearchPickedChain(host, axis, c.On.Point(c.Value.first, c.Value.second));
    if (c.Chain < 0) {
      EXPECT_FALSE(search.Chain);
      EXPECT_EQ(NoChainMessage(search, c.Direction),
                c.Told + (c.Direction == ChainDirection::Horizontal ? selectAcross : select));
    } else {
      ASSERT_TRUE(search.Chain);
      ExpectSameLevels(FoundLevels(*search.Chain, c.On),
                       DrawnLevels(drawing.Chains[static_cast<std::size_t>(c.Chain)], c.On));
    }
    // Through any piece of the chain found, the search finds that chain;
    // through a piece of a line that is no dimension line, none; and the
    // other direction's dimension lines lie across the axis.
    for (std::size_t k = 0; k < drawing.Chains.size(); ++k) {
      const HostDrawnChain& through = drawing.Chains[k];
      const Sheet on{c.On.Axis - (through.Crosswise ? 90 : 0), c.On.Scale, c.On.Origin};
      for (std::size_t i = 0; i + 1 < through.Levels.size(); ++i) {
        const ChainSearch clicked =
            SearchChainThrough(host, axis, on.Point(through.Line, through.Levels[i]),
                               on.Point(through.Line, through.Levels[i + 1]));
        EXPECT_EQ(clicked.Lines.size(), search.Lines.size());
        EXPECT_EQ(clicked.Through.has_value(), !through.Crosswise);
        if (c.Chain < 0 || through.Crosswise) {
          EXPECT_FALSE(clicked.Chain);
        }
        if (static_cast<int>(k) != c.Chain) continue;
        ASSERT_TRUE(clicked.Chain);
        ExpectSameLevels(FoundLevels(*clicked.Chain, c.On), FoundLevels(*search.Chain, c.On));
        EXPECT_EQ(clicked.Chain->DimensionLines, search.Chain->DimensionLines);
      }
    }
    EXPECT_EQ(PlanOk(values, host, pick).Outcome, c.Outcome);
    if (!c.Told.empty()) {
      EXPECT_EQ(OkNoticeLines(values, host, pick).front(), c.Told);
    }
  }
}

// The golden files that the Windows program started through its pick
// launcher is held to as well (without a settings file): a chain the
// program drew (started, then continued below), selected and continued
// further below.
TEST(PickedChain, GoldenFilesWithOrWithoutASettingsFile) {
  const fs::path golden = fs::path(ORVANE_SOURCE_DIR) / "tests" / "data" / "picked_chain";
  ScratchDir dir;
  fs::copy_file(golden / "JWC_TEMP.TXT", dir / "JWC_TEMP.TXT");
  RunOptions pick;
  pick.Mode = &RunModeOf(ChainDirection::Vertical, ChainSource::Selection);
  EXPECT_EQ(TranscriptLines(WithoutNotices(RunOnce(dir.Path(), pick).Transcript)), kDrawn);
  EXPECT_EQ(ReadFileBytes(dir / "JWC_TEMP.TXT"), ReadFileBytes(golden / "expected_JWC_TEMP.TXT"));
  EXPECT_EQ(ReadFileBytes(dir / "vk38.dat"), ReadFileBytes(golden / "expected_vk38.dat"));

  // A settings file with the dialog's defaults and another chain, stored at
  // other axes and another scale, gives its settings and window position
  // only: the picked chain counts as stored at the host's axes, so that its
  // old end gets no second extension line.
  SettingsFile other;
  other.Angle = "45";
  other.Scale = "20";
  WriteFileBytes(dir / "vk38.dat", other.Bytes());
  fs::remove(dir / "JWC_TEMP.TXT");
  fs::copy_file(golden / "JWC_TEMP.TXT", dir / "JWC_TEMP.TXT");
  EXPECT_EQ(TranscriptLines(WithoutNotices(RunOnce(dir.Path(), pick).Transcript)), kDrawn);
  EXPECT_EQ(ReadFileBytes(dir / "JWC_TEMP.TXT"), ReadFileBytes(golden / "expected_JWC_TEMP.TXT"));
  Lines saved = SplitCrLf(ReadFileBytes(dir / "vk38.dat"));
  const Lines expected = SplitCrLf(ReadFileBytes(golden / "expected_vk38.dat"));
  ASSERT_EQ(saved.size(), 31u);
  EXPECT_EQ(Lines(saved.begin(), saved.begin() + 2), (Lines{"120", "80"}));
  EXPECT_EQ(Lines(saved.begin() + 2, saved.end()), Lines(expected.begin() + 2, expected.end()));
}

class PickRefusal : public ::testing::Test {
 protected:
  ScratchDir dir;
  Lines Run(const std::string& host, const std::optional<std::string>& settings,
            ChainDirection direction = ChainDirection::Vertical) {
    const RunMode& mode = RunModeOf(direction, ChainSource::Selection);
    WriteFileBytes(dir / "JWC_TEMP.TXT", host);
    if (settings) WriteFileBytes(dir / mode.SettingsFile, *settings);
    RunOptions pick;
    pick.Mode = &mode;
    return TranscriptLines(RunOnce(dir.Path(), pick).Transcript);
  }
};

TEST_F(PickRefusal, WithoutADimensionLineOfItsDirectionTheMessageSaysWhatWasSeenAndWhatToSelect) {
  const Sheet sheet{0, 1};
  HostFile host = sheet.Host({sheet.At(0, 90), sheet.At(-30, 80)});
  const std::string header = host.Bytes();
  // A horizontal pick at the host's axis angle 90 looks for what a vertical
  // one looks for at 0: the same selections hold none.
  host.Axis = "90";
  const std::string turnedHeader = host.Bytes();
  const DrawnChain horizontal = DrawChain(Sheet{90, 1}, Marks{}, -60, -90);
  // Two neighbouring horizontal chains as the host draws them, their
  // extension lines overlapping, each ending on its own dimension line.
  HostDrawnChain near{15, {0, 20, 40}, 5}, far{22, {0, 40}, 5};
  for (HostDrawnChain* c : {&near, &far}) {
    c->Overshoot = 0;
    c->Crosswise = true;
  }
  const struct {
    std::string Selection;
    std::string Seen;  // the first sentence: what the selection holds
  } cases[] = {
      // plain lines, texts and circles
      {"0 0 0 1000\r\n-500 0 -500 1000\r\nch 0 0 1 0 \"ABC\r\nci 0 0 5\r\n",
       "範囲選択の中の垂直方向の線 2本は、どれも寸法線ではありません"
       "（横に寸法値のある線 0本、補助線か点が2か所以上にある線 0本）。"},
      // flagged segments along the axis that no extension line reaches (an
      // underline, a leader), and extension lines alone
      {"z3\r\n-600 100 -600 130\r\nz3\r\n-500 500 -600 100\r\nz3\r\n0 0 -502 0\r\n",
       "範囲選択の中の垂直方向の線 1本は、どれも寸法線ではありません"
       "（横に寸法値のある線 0本、補助線か点が2か所以上にある線 0本）。"},
      // a horizontal dimension: its four extension lines run along the axis
      {horizontal.Selection(),
       "範囲選択の中の垂直方向の線 4本は、どれも寸法線ではありません"
       "（横に寸法値のある線 0本、補助線か点が2か所以上にある線 0本）。"},
      // and the host's own: the overlapping extension lines between the two
      // dimension lines are no dimension line
      {HostDrawing{true, {near, far}}.Selection(sheet),
       "範囲選択の中の垂直方向の線 2本は、どれも寸法線ではありません"
       "（横に寸法値のある線 0本、補助線か点が2か所以上にある線 2本）。"},
      {"", "範囲選択の中に垂直方向の線がありません。"},
  };
  const std::string select =
      "延長する垂直寸法の寸法線を、寸法値と補助線か点ごと（または寸法図形を）範囲選択して下さい。";
  // A horizontal pick tells the same in its own words.
  const auto horizontalWords = [](std::string text) {
    for (const auto& [v, h] : {std::pair{"垂直", "水平"}, std::pair{"横に", "上下に"}})
      for (std::size_t at = text.find(v); at != std::string::npos; at = text.find(v, at))
        text.replace(at, std::string(v).size(), h);
    return text;
  };
  const std::string stored = SettingsFile{}.Bytes();
  for (const ChainDirection direction : {ChainDirection::Vertical, ChainDirection::Horizontal})
    for (const auto& c : cases)
      for (const bool withSettings : {true, false}) {
        const bool horizontal = direction == ChainDirection::Horizontal;
        const fs::path settings = dir / (horizontal ? "vk47h.dat" : "vk38.dat");
        SCOPED_TRACE(c.Selection + (withSettings ? " with " : " without ") + settings.string());
        fs::remove(settings);
        const std::string seen = horizontal ? horizontalWords(c.Seen) : c.Seen;
        const std::string what = horizontal ? horizontalWords(select) : select;
        EXPECT_EQ(Run((horizontal ? turnedHeader : header) + c.Selection,
                      withSettings ? std::optional(stored) : std::nullopt, direction),
                  (Lines{"notice: " + seen, "notice: " + what, "message: " + seen + what,
                         "closed"}));
        EXPECT_EQ(ReadFileBytes(dir / "JWC_TEMP.TXT"), "hq\r\n");
        if (withSettings)
          EXPECT_EQ(ReadFileBytes(settings), stored);
        else
          EXPECT_FALSE(fs::exists(settings));
        EXPECT_FALSE(horizontal && fs::exists(dir / "vk38.dat"));
      }
}

TEST_F(PickRefusal, APointInsideThePickedChainIsRefusedAndTheNoticeShowsTheChain) {
  const Sheet sheet{0, 1, {0, 0}};
  const DrawnChain chain = DrawChain(sheet, Marks{});
  const std::string inside = DialogTexts::InsideChain;
  const std::string stored = SettingsFile{}.Bytes();
  EXPECT_EQ(
      Run(sheet.Host({sheet.At(0, 69), sheet.At(-30, 50)}).Bytes() + chain.Selection(), stored),
      (Lines{"notice: 選択した寸法線 X=-25　Y -4～70　長さ 74（1本中）", "notice: " + inside, "message: " + inside,
             "closed"}));
  EXPECT_EQ(ReadFileBytes(dir / "JWC_TEMP.TXT"), "hq\r\n");
  EXPECT_EQ(ReadFileBytes(dir / "vk38.dat"), stored);

  // Beyond its end the notice tells what OK draws, after the chain.
  EXPECT_EQ(
      Run(sheet.Host({sheet.At(0, 100), sheet.At(-30, 80)}).Bytes() + chain.Selection(), stored),
      (Lines{"notice: 選択した寸法線 X=-25　Y -4～70　長さ 74（1本中）", "notice: 上へ延長　長さ 30",
             "notice: 寸法値「30」", "status: 処理中です", "status: ファイル生成中です",
             "closed"}));
}

// A horizontal chain at the host's axis angle θ is built as the vertical
// chain at θ - 90: the same picked points on a host file whose "hk" line says
// θ - 90 give the same answer byte for byte, but for the launcher that the
// answer hands over to; the chain found by a pick and the refusals are the
// same. Its settings and chain live in vk47h.dat, which holds what vk38.dat
// holds for the vertical chain but for the host's own axis angle, and
// vk38.dat is never touched.
TEST(HorizontalChain, BuiltAsTheVerticalChainAtTheAxisTurnedBack) {
  const RunMode& vNew = RunModeOf(ChainDirection::Vertical, ChainSource::Picks);
  const RunMode& vPick = RunModeOf(ChainDirection::Vertical, ChainSource::Selection);
  const RunMode& hGoOn = RunModeOf(ChainDirection::Horizontal, ChainSource::Stored);
  const RunMode& hNew = RunModeOf(ChainDirection::Horizontal, ChainSource::Picks);
  const RunMode& hPick = RunModeOf(ChainDirection::Horizontal, ChainSource::Selection);
  const std::string companion = "the companion's own\r\n";
  int cases = 0;
  for (const double axis : {0.0, 30.0, 90.0, 180.0, 270.0})
    for (const double scale : {1.0, 20.0, 500.0})
      for (const bool figure : {false, true}) {
        SCOPED_TRACE(testing::Message() << "axis " << axis << " scale " << scale << " figure "
                                        << figure);
        const Sheet sheet{axis - 90, scale};  // the construction's axes
        const Marks marks{cases % 12, (cases * 5 + 3) % 12, figure};
        ScratchDir vertical, horizontal;
        SettingsFile settings;
        settings.Scale = FormatGeneral(scale);
        WriteFileBytes(vertical / "vk38.dat", settings.Bytes());
        WriteFileBytes(horizontal / "vk47h.dat", settings.Bytes());
        WriteFileBytes(horizontal / "vk38.dat", companion);
        std::string selection;
        // One step of the user in both folders: the same points, the vertical
        // run on the turned axes, the horizontal on the host's.
        auto step = [&](const std::vector<std::string>& picks, const RunMode& vMode,
                        const RunMode& hMode,
                        const std::string& extra) -> std::pair<std::vector<Event>, std::vector<Event>> {
          RunOptions v, h;
          v.Mode = &vMode;
          h.Mode = &hMode;
          v.Changes = h.Changes = marks.Changes();
          HostFile vHost = sheet.Host(picks), hHost = vHost;
          hHost.Axis = FormatGeneral(axis);
          WriteFileBytes(vertical / "JWC_TEMP.TXT", vHost.Bytes() + extra);
          WriteFileBytes(horizontal / "JWC_TEMP.TXT", hHost.Bytes() + extra);
          const std::vector<Event> vSeen = RunOnce(vertical.Path(), v).Transcript;
          const std::vector<Event> hSeen = RunOnce(horizontal.Path(), h).Transcript;
          // Only the words differ: the notice tells the same in horizontal terms.
          Lines told = TranscriptLines(vSeen);
          for (std::string& line : told)
            for (const auto& [v, h] : {std::pair{"上へ延長", "右へ延長"}, std::pair{"下へ延長", "左へ延長"},
                                       std::pair{"新しい垂直寸法", "新しい水平寸法"}})
              if (const std::size_t at = line.find(v); at != std::string::npos)
                line.replace(at, std::string(v).size(), h);
          EXPECT_EQ(TranscriptLines(hSeen), told);
          std::string vAnswer = ReadFileBytes(vertical / "JWC_TEMP.TXT");
          std::string hAnswer = ReadFileBytes(horizontal / "JWC_TEMP.TXT");
          for (auto [answer, mode] : {std::pair{&vAnswer, &vMode}, std::pair{&hAnswer, &hMode}}) {
            const std::string head = std::string(mode->Handover) + "\r\n";
            EXPECT_EQ(answer->rfind(head, 0), 0u) << *answer;
            answer->erase(0, head.size());
          }
          EXPECT_EQ(hAnswer, vAnswer);
          selection += vAnswer;
          // The stored chains alike but for the host's axis angle.
          Lines vStored = SplitCrLf(ReadFileBytes(vertical / "vk38.dat"));
          Lines hStored = SplitCrLf(ReadFileBytes(horizontal / "vk47h.dat"));
          EXPECT_EQ(hStored.size(), 31u);
          if (hStored.size() == 31u && vStored.size() == 31u) {
            EXPECT_EQ(hStored[24], FormatGeneral(axis));
            EXPECT_EQ(vStored[24], FormatGeneral(axis - 90));
            hStored[24] = vStored[24];
            EXPECT_EQ(hStored, vStored);
          }
          EXPECT_EQ(ReadFileBytes(horizontal / "vk38.dat"), companion);
          return std::pair{vSeen, hSeen};
        };
        // Started, continued past the upper end and past the lower end.
        step({sheet.At(0, 0), sheet.At(0, 40), sheet.At(-25, 10), sheet.At(-30, 20)}, vNew, hNew, "");
        step({sheet.At(5, 70), sheet.At(-30, 55)}, DefaultRunMode(), hGoOn, "");
        step({sheet.At(-3, -4), sheet.At(-30, -10)}, DefaultRunMode(), hGoOn, "");
        // Picked again in the drawing (the chain found is told alike) and
        // continued; then a point inside the stored chain, refused alike.
        const auto hSeen =
            step({sheet.At(2, 100), sheet.At(-30, 80)}, vPick, hPick, selection).second;
        ASSERT_FALSE(hSeen.empty());
        EXPECT_EQ(hSeen.front().Text.rfind("選択した寸法線 ", 0), 0u);
        RunOptions h;
        h.Mode = &hGoOn;
        HostFile inside = sheet.Host({sheet.At(0, 50), sheet.At(-30, 80)});
        inside.Axis = FormatGeneral(axis);
        WriteFileBytes(horizontal / "JWC_TEMP.TXT", inside.Bytes());
        const std::string stored = ReadFileBytes(horizontal / "vk47h.dat");
        EXPECT_EQ(TranscriptLines(WithoutNotices(RunOnce(horizontal.Path(), h).Transcript)),
                  (Lines{"message: 直前作図した水平寸法線の内側を指定する事は出来ません。", "closed"}));
        EXPECT_EQ(ReadFileBytes(horizontal / "JWC_TEMP.TXT"), "hq\r\n");
        EXPECT_EQ(ReadFileBytes(horizontal / "vk47h.dat"), stored);
        EXPECT_EQ(ReadFileBytes(horizontal / "vk38.dat"), companion);
        ++cases;
      }
  EXPECT_EQ(cases, 5 * 3 * 2);
}

}  // namespace

// Any bytes as vk38.dat, loaded by the show sequence: every value must be
// what the file's line gives by the rules of its kind (checked against the
// reference parsers), and a save of what was loaded must give a file of 31
// lines that loads back to the same settings and saves again to the same
// bytes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/SettingsFile.h"
#include "app/ProgramRun.h"
#include "exchange/HostState.h"
#include "frontends/headless/HeadlessUi.h"
#include "helpers/NumberFormat.h"
#include "support/Check.h"
#include "dialog/DialogValues.h"
#include "files/MemoryFileSystem.h"
#include "support/References.h"

namespace fs = std::filesystem;
using fuzz_support::Quoted;
using fuzz_support::ReferenceInt;
using fuzz_support::ReferenceReal;

namespace {

// The file's first 31 lines as a reader of LF or CR LF lines sees them; a
// line past the end of the file is empty.
std::vector<std::string> FileLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (lines.size() < 31 && start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string line(bytes.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  lines.resize(31);
  return lines;
}

bool SameReal(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A list line: negative numbers select entry 0, numbers past the end none.
std::int32_t ListIndex(const std::string& line, int entries) {
  std::int32_t n = ReferenceInt(line);
  if (n < 0) n = 0;
  return n < entries ? n : -1;
}

std::int32_t RadioIndex(const std::string& line) {
  const std::int32_t n = ReferenceInt(line);
  return n < 0 ? 0 : (n > 1 ? 1 : n);
}

void CheckLoaded(const std::vector<std::string>& l, const DialogSettings& s, const headless::DialogState& dialog) {
  const auto where = [&](int line) { return "line " + std::to_string(line) + " " + Quoted(l[static_cast<std::size_t>(line - 1)]); };
  FUZZ_CHECK(s.WindowLeft == ReferenceInt(l[0]), where(1));
  FUZZ_CHECK(s.WindowTop == ReferenceInt(l[1]), where(2));
  const Control lists[] = {Control::StartMark, Control::EndMark, Control::TextStyle, Control::Precision,
                           Control::Rounding};
  const std::int32_t listFields[] = {s.StartMark, s.EndMark, s.TextStyle, s.Precision, s.Rounding};
  for (int i = 0; i < 5; ++i) {
    const int entries = static_cast<int>(dialog[lists[i]].Entries.size());
    const std::int32_t expected = ListIndex(l[static_cast<std::size_t>(2 + i)], entries);
    FUZZ_CHECK(listFields[i] == expected && dialog[lists[i]].Selected == expected, where(3 + i));
  }
  const Control texts[] = {Control::MarkScale, Control::Prefix, Control::Suffix, Control::TextLineGap, Control::ExtLineOffset,
                           Control::ExtLineOvershoot, Control::ArrowLength, Control::ArrowAngle, Control::ReverseArrowOvershoot};
  const std::string* textFields[] = {&s.MarkScale,        &s.Prefix,      &s.Suffix,
                                     &s.TextLineGap,      &s.ExtLineOffset, &s.ExtLineOvershoot,
                                     &s.ArrowLength,      &s.ArrowAngle,  &s.ReverseArrowOvershoot};
  for (int i = 0; i < 9; ++i) {
    const std::string& line = l[static_cast<std::size_t>(7 + i)];
    FUZZ_CHECK(*textFields[i] == line && dialog[texts[i]].Text == line, where(8 + i));
  }
  FUZZ_CHECK(s.ZeroDisplay == RadioIndex(l[16]) && dialog[Control::ZeroDisplay].Selected == s.ZeroDisplay, where(17));
  FUZZ_CHECK(s.ValueUnit == RadioIndex(l[17]) && dialog[Control::ValueUnit].Selected == s.ValueUnit, where(18));
  const bool flags[] = {s.ThousandsCommas, s.AppendUnit, s.FullWidth, s.AsDimensionFigure};
  const Control boxes[] = {Control::ThousandsCommas, Control::AppendUnit, Control::FullWidth, Control::AsDimensionFigure};
  for (int i = 0; i < 4; ++i) {
    const bool expected = ReferenceInt(l[static_cast<std::size_t>(18 + i)]) != 0;
    FUZZ_CHECK(flags[i] == expected && dialog[boxes[i]].Checked == expected, where(19 + i));
  }
  const std::int32_t group = ReferenceInt(l[22]);
  FUZZ_CHECK(s.LastLayerGroup == (group >= 0 && group <= 15 ? group : 0), where(23));
  const double scale = ReferenceReal(l[23]);
  FUZZ_CHECK(SameReal(s.LastGroupScale, scale > 1e-10 ? scale : 1.0), where(24));
  FUZZ_CHECK(SameReal(s.LastAxisAngle, ReferenceReal(l[24])), where(25));
  const double chain[] = {s.LastPoint1X, s.LastPoint1Y, s.LastPoint2X, s.LastPoint2Y, s.LastRefX, s.LastRefY};
  for (int i = 0; i < 6; ++i) FUZZ_CHECK(SameReal(chain[i], ReferenceReal(l[static_cast<std::size_t>(25 + i)])), where(26 + i));
  // The file exists and was read past line 23: the dialog waits at the
  // stored position.
  FUZZ_CHECK(dialog.WindowLeft == s.WindowLeft && dialog.WindowTop == s.WindowTop, "window not moved");
}

// The files of the three programs of one input, in memory.
MemoryFileSystem files;

// Shows the dialog for a program in `folder` and returns its state.
struct Shown {
  headless::HeadlessUi Ui;
  std::optional<ProgramRun> Session;
};
void Show(Shown& shown, const fs::path& folder) {
  shown.Session.emplace(shown.Ui, files, folder / "vk47_Orvane.exe");
  shown.Session->Show();
  FUZZ_CHECK(!shown.Ui.Closed(), "an existing settings file was refused");
}

// Saves the dialog as the OK action does: the controls as they stand, with
// the host's values of the moment; the saved bytes.
std::optional<std::string> Save(Shown& shown, const fs::path& folder) {
  DialogSettings settings = shown.Session->Settings();
  ReadDialogPart(shown.Ui, settings);
  const HostState& host = shown.Session->Host();
  const std::int32_t group = host.Initial.Group;
  SaveSettings(files, folder / "vk38.dat", settings, group,
               host.GroupScales[static_cast<std::size_t>(group)], host.AxisAngle);
  return files.FileContent(folder / "vk38.dat");
}

// A real saved in the general number form (15 significant digits) and read
// back. The one exception: a value within half a unit of the fifteenth digit
// below the largest double is written as 1.79769313486232E308, which lies
// beyond the doubles and reads back as 0, the reader's rule for numbers out
// of range.
bool BeyondTheDoubles(double v) {
  const std::string text = FormatGeneral(v);
  return text == "1.79769313486232E308" || text == "-1.79769313486232E308";
}
bool Close(double a, double b) {
  if (BeyondTheDoubles(a)) return b == 0;
  return std::fabs(a - b) <= 1e-14 * std::fmax(std::fabs(a), std::fabs(b)) || std::fabs(a - b) < 1e-300;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  files = MemoryFileSystem();
  const fs::path first = "/first", second = "/second", third = "/third";
  files.PutFile(first / "vk38.dat", std::string(bytes));

  Shown loaded;
  Show(loaded, first);
  CheckLoaded(FileLines(bytes), loaded.Session->Settings(), loaded.Ui.State());

  // What was loaded, saved and loaded again.
  const auto saved = Save(loaded, second);
  FUZZ_CHECK(saved.has_value(), "nothing saved");
  std::size_t lineEnds = 0;
  for (std::size_t i = saved->find("\r\n"); i != std::string::npos; i = saved->find("\r\n", i + 2)) ++lineEnds;
  FUZZ_CHECK(lineEnds == 31 && saved->size() >= 2 && saved->substr(saved->size() - 2) == "\r\n" &&
                 std::count(saved->begin(), saved->end(), '\n') == 31,
             "saved file is not 31 CR LF lines: " + Quoted(*saved));

  Shown reloaded;
  Show(reloaded, second);
  const DialogSettings& a = loaded.Session->Settings();
  const DialogSettings& b = reloaded.Session->Settings();
  // A list without selection is saved as -1, which loads as entry 0.
  const auto reloadedIndex = [](std::int32_t saved) { return saved < 0 ? 0 : saved; };
  FUZZ_CHECK(a.WindowLeft == b.WindowLeft && a.WindowTop == b.WindowTop &&
                 reloadedIndex(a.StartMark) == b.StartMark && reloadedIndex(a.EndMark) == b.EndMark &&
                 reloadedIndex(a.TextStyle) == b.TextStyle && reloadedIndex(a.Precision) == b.Precision &&
                 reloadedIndex(a.Rounding) == b.Rounding && a.MarkScale == b.MarkScale && a.Prefix == b.Prefix &&
                 a.Suffix == b.Suffix && a.TextLineGap == b.TextLineGap && a.ExtLineOffset == b.ExtLineOffset &&
                 a.ExtLineOvershoot == b.ExtLineOvershoot && a.ArrowLength == b.ArrowLength &&
                 a.ArrowAngle == b.ArrowAngle && a.ReverseArrowOvershoot == b.ReverseArrowOvershoot &&
                 a.ZeroDisplay == b.ZeroDisplay && a.ValueUnit == b.ValueUnit &&
                 a.ThousandsCommas == b.ThousandsCommas && a.AppendUnit == b.AppendUnit &&
                 a.FullWidth == b.FullWidth && a.AsDimensionFigure == b.AsDimensionFigure,
             "the saved dialog part loads back differently: " + Quoted(*saved));
  FUZZ_CHECK(Close(a.LastPoint1X, b.LastPoint1X) && Close(a.LastPoint1Y, b.LastPoint1Y) &&
                 Close(a.LastPoint2X, b.LastPoint2X) && Close(a.LastPoint2Y, b.LastPoint2Y) &&
                 Close(a.LastRefX, b.LastRefX) && Close(a.LastRefY, b.LastRefY),
             "the saved chain loads back differently: " + Quoted(*saved));

  // Saved once more, the file stays the same, but for lists that had no
  // selection and reals beyond the 15-digit range the first time.
  const auto again = Save(reloaded, third);
  const bool noSelection = a.StartMark < 0 || a.EndMark < 0 || a.TextStyle < 0 || a.Precision < 0 || a.Rounding < 0;
  bool beyond = false;
  for (double v : {a.LastPoint1X, a.LastPoint1Y, a.LastPoint2X, a.LastPoint2Y, a.LastRefX, a.LastRefY})
    beyond = beyond || BeyondTheDoubles(v);
  FUZZ_CHECK(noSelection || beyond || again == saved, "a second save differs: " + Quoted(*saved) + " then " + Quoted(again.value_or("")));
  return 0;
}

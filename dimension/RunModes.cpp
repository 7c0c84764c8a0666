#include "dimension/RunModes.h"

#include <cctype>
#include <stdexcept>

#include "dialog/UserTexts.h"

namespace {

using enum PickRole;

constexpr std::string_view kProgramStem = "vk47_Orvane";
constexpr std::string_view kRepeat = "hr";  // the host runs the same launcher again

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::string LauncherName(const DirectionRow& direction, const ChainSourceRow& source,
                         const PaceRow& pace) {
  return std::string(kProgramStem) + std::string(direction.LauncherPart) +
         std::string(source.LauncherPart) + std::string(pace.LauncherPart) + ".bat";
}

RunMode MakeMode(const DirectionRow& direction, const ChainSourceRow& source,
                 const PaceRow& pace) {
  RunMode mode{&direction, direction.Direction, source.Source, pace.Pace, direction.SettingsFile,
               source.Picks, {}, {}, {}, false, false, false, false, {}};
  for (std::string_view word : {direction.Word, source.Word, pace.Word})
    if (!word.empty()) mode.Words.push_back(word);
  mode.Launcher = LauncherName(direction, source, pace);
  mode.NeedsStoredChain = source.Source == ChainSource::Stored;
  mode.RangeSelection = source.Source == ChainSource::Selection;
  mode.WholeDrawing = source.Source == ChainSource::Click;
  mode.ShowsDialog = pace.Pace == RunPace::Dialog || !mode.NeedsStoredChain;
  // A continuation repeats its own launcher; a chain just started, or
  // picked in the drawing, is continued by the continuation of its
  // direction at its pace.
  if (mode.NeedsStoredChain) {
    mode.Handover = kRepeat;
  } else {
    for (const ChainSourceRow& stored : ChainSourceRows())
      if (stored.Source == ChainSource::Stored)
        mode.Handover = "h/" + LauncherName(direction, stored, pace);
  }
  const char* note = mode.ShowsDialog ? pace.MemoNoteOfHandover : pace.MemoNote;
  mode.Memo = std::string(source.MemoBefore) + WordsOf(direction.Direction).Dimension + source.MemoAfter + "（" + note +
              "寸法値は引出線付き）";
  return mode;
}

}  // namespace

const std::vector<DirectionRow>& DirectionRows() {
  static const std::vector<DirectionRow> rows = {
      {ChainDirection::Vertical, "", "", "vk38.dat", "", 0.0},
      {ChainDirection::Horizontal, "/h", "--horizontal", "vk47h.dat", "_h", -90.0},
  };
  return rows;
}

const std::vector<ChainSourceRow>& ChainSourceRows() {
  static const std::vector<ChainSourceRow> rows = {
      {ChainSource::Stored, "", "", {Measured, ValuePosition}, "", "", "を外側へ追加"},
      {ChainSource::Picks, "/new", "--new", {Measured, Measured, DimensionLine, ValuePosition},
       "_new", "", "の連続を新しく開始"},
      {ChainSource::Selection, "/pick", "--pick", {Measured, ValuePosition}, "_pick",
       "範囲選択した", "の連続を外側へ延長"},
      {ChainSource::Click, "/click", "--click", {ChainLine, Measured, ValuePosition}, "_click",
       "クリックした", "の連続を外側へ延長"},
  };
  return rows;
}

const std::vector<PaceRow>& PaceRows() {
  static const std::vector<PaceRow> rows = {
      {RunPace::Dialog, "", "", "", "", ""},
      {RunPace::Quick, "/quick", "--quick", "_quick", "ダイアログなし、", "続きはダイアログなし、"},
  };
  return rows;
}

const std::vector<RunMode>& RunModes() {
  static const std::vector<RunMode> modes = [] {
    std::vector<RunMode> all;
    for (const PaceRow& pace : PaceRows())
      for (const DirectionRow& direction : DirectionRows())
        for (const ChainSourceRow& source : ChainSourceRows())
          all.push_back(MakeMode(direction, source, pace));
    return all;
  }();
  return modes;
}

const RunMode& DefaultRunMode() { return RunModes().front(); }

const RunMode& RunModeOf(ChainDirection direction, ChainSource chain, RunPace pace) {
  for (const RunMode& mode : RunModes())
    if (mode.Direction == direction && mode.Chain == chain && mode.Pace == pace) return mode;
  throw std::logic_error("no run mode of that direction, chain and pace");
}

int RunMode::PickOf(PickRole role) const {
  for (std::size_t i = 0; i < Picks.size(); ++i)
    if (Picks[i] == role) return static_cast<int>(i) + 1;
  throw std::logic_error("the run mode picks no such point");
}

double RunMode::ConstructionAxis(double hostAxisAngle) const {
  // No turn leaves the angle as it is (a -0 stays -0).
  return DirectionOf->AxisTurn == 0.0 ? hostAxisAngle : hostAxisAngle + DirectionOf->AxisTurn;
}

const std::vector<RunModeWord>& RunModeWords() {
  static const std::vector<RunModeWord> words = [] {
    std::vector<RunModeWord> all;
    auto add = [&all](std::string_view program, std::string_view headless) {
      if (!program.empty()) all.push_back({program, headless});
    };
    for (const DirectionRow& row : DirectionRows()) add(row.Word, row.Headless);
    for (const ChainSourceRow& row : ChainSourceRows()) add(row.Word, row.Headless);
    for (const PaceRow& row : PaceRows()) add(row.Word, row.Headless);
    return all;
  }();
  return words;
}

const RunMode* RunModeOfWords(const std::vector<std::string_view>& words) {
  for (const RunMode& mode : RunModes()) {
    bool same = mode.Words.size() == words.size();
    for (std::string_view word : mode.Words) {
      bool found = false;
      for (std::string_view given : words) found = found || SameWord(word, given);
      same = same && found;
    }
    if (same) return &mode;
  }
  return nullptr;
}

std::vector<std::string_view> CommandLineWords(std::string_view commandLine) {
  constexpr std::string_view kSeparators = " \t\"";
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < commandLine.size()) {
    const std::size_t start = commandLine.find_first_not_of(kSeparators, at);
    if (start == std::string_view::npos) break;
    std::size_t end = commandLine.find_first_of(kSeparators, start);
    if (end == std::string_view::npos) end = commandLine.size();
    words.push_back(commandLine.substr(start, end - start));
    at = end;
  }
  return words;
}

std::vector<std::string> LauncherNames() {
  std::vector<std::string> names;
  for (const RunMode& mode : RunModes()) names.push_back(mode.Launcher);
  return names;
}

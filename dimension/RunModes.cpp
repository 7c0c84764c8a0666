#include "dimension/RunModes.h"

#include <cctype>
#include <stdexcept>

namespace {

using enum PickRole;

constexpr std::string_view kRepeat = "hr";  // the host runs the same launcher again
constexpr std::string_view kGoOnVertical = "h/vk47_Orvane.bat";
constexpr std::string_view kGoOnHorizontal = "h/vk47_Orvane_h.bat";

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace

const std::vector<RunMode>& RunModes() {
  // A continuation repeats its own launcher; a chain just started, or picked
  // in the drawing, is continued by the usual launcher of its direction.
  static const std::vector<RunMode> rows = {
      {{}, {Measured, ValuePosition}, ChainSource::Stored, kRepeat, true,
       ChainDirection::Vertical, "vk38.dat", "vk47_Orvane.bat",
       "垂直寸法を外側へ追加（寸法値は引出線付き）", false},
      {{"/new"}, {Measured, Measured, DimensionLine, ValuePosition}, ChainSource::Picks,
       kGoOnVertical, false, ChainDirection::Vertical, "vk38.dat", "vk47_Orvane_new.bat",
       "垂直寸法の連続を新しく開始（寸法値は引出線付き）", false},
      {{"/pick"}, {Measured, ValuePosition}, ChainSource::Selection, kGoOnVertical, false,
       ChainDirection::Vertical, "vk38.dat", "vk47_Orvane_pick.bat",
       "範囲選択した垂直寸法の連続を外側へ延長（寸法値は引出線付き）", true},
      {{"/h"}, {Measured, ValuePosition}, ChainSource::Stored, kRepeat, true,
       ChainDirection::Horizontal, "vk47h.dat", "vk47_Orvane_h.bat",
       "水平寸法を外側へ追加（寸法値は引出線付き）", false},
      {{"/h", "/new"}, {Measured, Measured, DimensionLine, ValuePosition}, ChainSource::Picks,
       kGoOnHorizontal, false, ChainDirection::Horizontal, "vk47h.dat", "vk47_Orvane_h_new.bat",
       "水平寸法の連続を新しく開始（寸法値は引出線付き）", false},
      {{"/h", "/pick"}, {Measured, ValuePosition}, ChainSource::Selection, kGoOnHorizontal, false,
       ChainDirection::Horizontal, "vk47h.dat", "vk47_Orvane_h_pick.bat",
       "範囲選択した水平寸法の連続を外側へ延長（寸法値は引出線付き）", true},
  };
  return rows;
}

const RunMode& DefaultRunMode() { return RunModes().front(); }

const RunMode& RunModeOf(ChainDirection direction, ChainSource chain) {
  for (const RunMode& mode : RunModes())
    if (mode.Direction == direction && mode.Chain == chain) return mode;
  throw std::logic_error("no run mode of that direction and chain");
}

int RunMode::PickOf(PickRole role) const {
  for (std::size_t i = 0; i < Picks.size(); ++i)
    if (Picks[i] == role) return static_cast<int>(i) + 1;
  throw std::logic_error("the run mode picks no such point");
}

double RunMode::ConstructionAxis(double hostAxisAngle) const {
  return Direction == ChainDirection::Horizontal ? hostAxisAngle - 90.0 : hostAxisAngle;
}

const std::vector<RunModeWord>& RunModeWords() {
  static const std::vector<RunModeWord> words = {
      {"/h", "--horizontal"},
      {"/new", "--new"},
      {"/pick", "--pick"},
  };
  return words;
}

const RunMode& RunModeOfCommandLine(const std::function<bool(std::string_view word)>& has) {
  const RunMode* chosen = &DefaultRunMode();
  for (const RunMode& mode : RunModes()) {
    bool all = true;
    for (std::string_view word : mode.Words) all = all && has(word);
    if (all && mode.Words.size() >= chosen->Words.size()) chosen = &mode;
  }
  return *chosen;
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

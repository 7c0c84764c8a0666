#pragma once
// The ways the program is started, one row a launcher: everything that makes
// one run mode differ from another is in its row, and the rest of the program
// asks the row, never for a mode by name. A new mode is a new row (and its
// launcher in the package).
#include <functional>
#include <string_view>
#include <vector>

#include "dialog/RunKinds.h"

// Where the chain that a run continues comes from.
enum class ChainSource {
  Stored,     // the settings file: the chain drawn so far
  Picks,      // none yet: the run starts one from its picked points
  Selection,  // the drawing: the chain the user range-selected
  Click,      // the drawing: the chain whose dimension line the user clicked
};

struct RunMode {
  // The program's own command-line words that choose the row ("/h", "/new";
  // in any case); none for the usual launcher.
  std::vector<std::string_view> Words;
  // The points the launcher asks for, in order (picked point 1 first).
  std::vector<PickRole> Picks;
  ChainSource Chain;
  // The answer's first line after a drawn dimension: where the user goes on.
  std::string_view Handover;
  // The show sequence refuses to open the dialog without a usable settings
  // file (there is no chain to continue).
  bool NeedsStoredChain;
  ChainDirection Direction;
  // The file beside the program that holds the settings and the chain.
  const char* SettingsFile;
  // The launcher (batch file) in the package that starts the program so, and
  // its memo line, which the host shows in its file list (Shift-JIS).
  const char* Launcher;
  const char* Memo;
  // The host's selection step before the points: none ("#h0") or a range
  // ("#h1", asked for by the launcher's "#hc" line).
  bool RangeSelection;

  // The number of the picked point of `role` (the first of them), from 1.
  int PickOf(PickRole role) const;
  // The host's axis angle turned so that the chain's dimension line runs
  // along the vertical axis of the construction: a horizontal chain is built
  // as a vertical one at 90 degrees less.
  double ConstructionAxis(double hostAxisAngle) const;
};

// Every row, the usual launcher first.
const std::vector<RunMode>& RunModes();
// The usual launcher's row: the vertical chain stored in vk38.dat.
const RunMode& DefaultRunMode();
// The row of a direction and a chain source.
const RunMode& RunModeOf(ChainDirection direction, ChainSource chain);

// A program word and the headless front end's option that stands for it.
struct RunModeWord {
  std::string_view Program;   // "/h"
  std::string_view Headless;  // "--horizontal"
};
const std::vector<RunModeWord>& RunModeWords();

// The row that a command line chooses, given which words it holds: of the
// rows whose words are all there, the one with the most words (the later row
// when two have as many).
const RunMode& RunModeOfCommandLine(const std::function<bool(std::string_view word)>& has);
// The row whose words are exactly `words` (program words, any case), or
// nullptr when no row has them all and only them.
const RunMode* RunModeOfWords(const std::vector<std::string_view>& words);

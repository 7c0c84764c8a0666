#pragma once
// The ways the program is started. A run mode is one direction of chain, one
// source of the chain it continues and one pace, each a row of its own small
// table below; every combination is a mode and has its launcher. What a mode
// is made of (its command-line words, its points, its launcher's name and
// memo, its hand-over) is worked out from its three rows, never written per
// mode, and the rest of the program asks the mode, never for one by name.
// A new direction, chain source or pace is a new row of its table (and the
// launchers that the product then asks for in the package).
#include <string>
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

// How the user goes through a chain: with the dialog at every dimension, or
// with OK at once on the stored settings once the chain has started.
enum class RunPace { Dialog, Quick };

// A kind of chain: its dimension line runs along the host's vertical axis or
// its horizontal one.
struct DirectionRow {
  ChainDirection Direction;
  std::string_view Word;      // the program's command-line word ("/h"), or none
  std::string_view Headless;  // the headless runner's option for it
  // The file beside the program that holds the settings and the chain.
  const char* SettingsFile;
  // Between "vk47_Orvane" and the rest of each launcher's name ("_h").
  std::string_view LauncherPart;
  // Degrees added to the host's axis angle so that the chain's dimension
  // line runs along the vertical axis of the construction.
  double AxisTurn;
};

// Where a run's chain comes from.
struct ChainSourceRow {
  ChainSource Source;
  std::string_view Word;      // "/new", or none (the stored chain)
  std::string_view Headless;  // "--new"
  // The points the launcher asks for, in order (picked point 1 first).
  std::vector<PickRole> Picks;
  std::string_view LauncherPart;  // "_new"
  // The launcher's memo line around the kind of dimension ("垂直寸法").
  const char* MemoBefore;
  const char* MemoAfter;
};

// The pace of a chain.
struct PaceRow {
  RunPace Pace;
  std::string_view Word;          // "/quick", or none (the dialog)
  std::string_view Headless;      // "--quick"
  std::string_view LauncherPart;  // "_quick"
  // The memo's note of the pace: for a run that goes on without the dialog,
  // and for one that shows it and hands over to such runs.
  const char* MemoNote;
  const char* MemoNoteOfHandover;
};

const std::vector<DirectionRow>& DirectionRows();
const std::vector<ChainSourceRow>& ChainSourceRows();
const std::vector<PaceRow>& PaceRows();

// One run mode: what a row of each table makes together.
struct RunMode {
  const DirectionRow* DirectionOf;  // its direction's row (the axis turn)

  // Copied from the rows, for the many callers that ask them.
  ChainDirection Direction;
  ChainSource Chain;
  RunPace Pace;
  const char* SettingsFile;
  std::vector<PickRole> Picks;

  // Derived. The program's command-line words that choose the mode
  // (direction, source, pace; any case); none for the usual launcher.
  std::vector<std::string_view> Words;
  // The launcher (batch file) in the package that starts the program so, and
  // its memo line, which the host shows in its file list (Shift-JIS).
  std::string Launcher;
  std::string Memo;
  // The show sequence refuses to go on without a usable settings file (there
  // is no chain to continue): the stored chain is the source.
  bool NeedsStoredChain;
  // The host's selection step before the points: none ("#h0") or a range
  // ("#h1", asked for by the launcher's "#hc" line): the selection is the
  // source.
  bool RangeSelection;
  // The host's data of the whole drawing, without a range ("#h4"): the
  // clicked line is the source, and the chain it belongs to, with every
  // other dimension line on its line, is read from the drawing.
  bool WholeDrawing;
  // The dialog opens: always at the dialog's pace, and at the quick pace
  // where a chain starts (its settings are chosen there).
  bool ShowsDialog;
  // The answer's first line after a drawn dimension: a continuation runs its
  // own launcher again ("hr"); any other source goes on with the
  // continuation of its direction and pace ("h/NAME.BAT").
  std::string Handover;

  // The chain comes from the drawing: range-selected or clicked.
  bool ChainFromDrawing() const {
    return Chain == ChainSource::Selection || Chain == ChainSource::Click;
  }
  // The number of the picked point of `role` (the first of them), from 1.
  int PickOf(PickRole role) const;
  // The host's axis angle turned so that the chain's dimension line runs
  // along the vertical axis of the construction: a horizontal chain is built
  // as a vertical one at 90 degrees less.
  double ConstructionAxis(double hostAxisAngle) const;
};

// Every mode: paces, then directions, then sources in their tables' order,
// so the usual launcher comes first.
const std::vector<RunMode>& RunModes();
// The usual launcher's mode: the vertical chain stored in vk38.dat, with the
// dialog.
const RunMode& DefaultRunMode();
// The mode of a direction, a chain source and a pace.
const RunMode& RunModeOf(ChainDirection direction, ChainSource chain,
                         RunPace pace = RunPace::Dialog);

// A program word and the headless front end's option that stands for it,
// from every row of the three tables.
struct RunModeWord {
  std::string_view Program;   // "/h"
  std::string_view Headless;  // "--horizontal"
};
const std::vector<RunModeWord>& RunModeWords();

// The one rule that chooses the mode for every front end: the mode whose
// words are exactly `words` (program words, any case, each once, in any
// order), or nullptr for any other set of words (an unknown word, two of one
// table, a word twice).
const RunMode* RunModeOfWords(const std::vector<std::string_view>& words);
// A command line's words as the program gets them: separated by blanks, tabs
// and double quotes.
std::vector<std::string_view> CommandLineWords(std::string_view commandLine);
// Every launcher's name, in the modes' order, for the message that refuses
// a command line no mode has.
std::vector<std::string> LauncherNames();

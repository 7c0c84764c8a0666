// orvane-headless: one whole run of the program without a screen.
#include <charconv>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "dimension/RunModes.h"
#include "frontends/headless/HeadlessRun.h"
#include "tools/text/ShiftJisCodec.h"

namespace fs = std::filesystem;
using namespace headless;

namespace {

constexpr const char* kUsage =
    "usage: orvane-headless [--horizontal] [--new | --pick] [--quick]\n"
    "                       [--cancel | --close] [--move LEFT,TOP]\n"
    "                       [--set NAME=VALUE]... FOLDER\n"
    "\n"
    "Runs the program once as if its program file lay in FOLDER: it reads\n"
    "FOLDER/JWC_TEMP.TXT and FOLDER/vk38.dat, shows the dialog, and on closing\n"
    "writes FOLDER/JWC_TEMP.TXT.\n"
    "\n"
    "  --horizontal      a chain of horizontal dimensions, with its settings and\n"
    "                    chain in FOLDER/vk47h.dat in place of vk38.dat (as the\n"
    "                    launchers vk47_Orvane_h*.bat start the program with /h);\n"
    "                    alone it continues the stored chain, with --new or\n"
    "                    --pick as below\n"
    "  --new             start a new chain: picked points 1 and 2 are measured,\n"
    "                    3 lies on the dimension line, 4 is the value position\n"
    "                    (as the launcher vk47_Orvane_new.bat starts the program)\n"
    "  --pick            continue the dimension chain selected in the\n"
    "                    drawing (the selection in JWC_TEMP.TXT) instead of the\n"
    "                    stored one (as the launcher vk47_Orvane_pick.bat starts\n"
    "                    the program)\n"
    "  --quick           the quick pace: alone or with --horizontal, no dialog;\n"
    "                    OK at once with the stored settings, and the answer\n"
    "                    hands over with hr and ends with an h# notice, or is\n"
    "                    one he line (as vk47_Orvane_quick.bat starts the\n"
    "                    program); with --new or --pick the dialog is shown\n"
    "                    and its answer hands over to the quick continuation\n"
    "                    (as vk47_Orvane_new_quick.bat)\n"
    "  --cancel          press Cancel\n"
    "  --close           close the window by its close box\n"
    "                    (without either, OK is pressed; when OK leaves the\n"
    "                    dialog open, after a refused value or a zero length,\n"
    "                    the dialog is then closed as by its close box)\n"
    "  --move LEFT,TOP   move the window there first (screen pixels)\n"
    "  --set NAME=VALUE  change a setting control first, by its setting name:\n"
    "                    StartMark EndMark TextStyle Precision Rounding\n"
    "                    (entry number), ZeroDisplay ValueUnit (button number),\n"
    "                    ThousandsCommas AppendUnit FullWidth AsDimensionFigure\n"
    "                    (1 or 0), MarkScale Prefix Suffix TextLineGap\n"
    "                    ExtLineOffset ExtLineOvershoot ArrowLength ArrowAngle\n"
    "                    ReverseArrowOvershoot (text, UTF-8, typed as a user\n"
    "                    types it)\n"
    "\n"
    "Prints what the user would have seen, one event a line (UTF-8):\n"
    "  message: TEXT   warning: TEXT   focus: CONTROL   status: TEXT   closed\n"
    "(warning: a failure of the program's own files)\n"
    "(nothing at the quick pace without its dialog: the host shows the he or\n"
    "h# line of FOLDER/JWC_TEMP.TXT)\n"
    "and the notice pane's lines, which tell what OK would do, after the\n"
    "dialog is shown, after each --set and after an OK that leaves the\n"
    "dialog open:\n"
    "  notice: TEXT\n";

[[noreturn]] void BadArguments(const std::string& problem) {
  std::cerr << "orvane-headless: " << problem << "\n" << kUsage;
  std::exit(2);
}

// The program's command-line word that a mode option stands for, or nullptr.
const std::string_view* ProgramWordOf(std::string_view option) {
  for (const RunModeWord& word : RunModeWords())
    if (word.Headless == option) return &word.Program;
  return nullptr;
}

// The argument after an option, or a usage error.
std::string_view OptionValue(int argc, char** argv, int& i) {
  if (i + 1 >= argc) BadArguments(std::string(argv[i]) + " needs a value");
  return argv[++i];
}

}  // namespace

int main(int argc, char** argv) {
  RunOptions options;
  std::vector<std::string_view> modeWords;  // the program words of the mode options
  std::string modeOptions;                   // those options as given
  std::optional<std::string> action;  // the option that chose the action
  std::optional<fs::path> folder;
  bool optionsEnded = false;

  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!optionsEnded && (arg == "--help" || arg == "-h")) {
      std::cout << kUsage;
      return 0;
    }
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (const std::string_view* word = optionsEnded ? nullptr : ProgramWordOf(arg)) {
      // Each launcher's word, as the program gets it ("--new" for "/new").
      bool given = false;
      for (std::string_view w : modeWords) given = given || w == *word;
      if (!given) modeWords.push_back(*word);
      modeOptions += (modeOptions.empty() ? "" : " ") + std::string(arg);
    } else if (!optionsEnded && (arg == "--cancel" || arg == "--close")) {
      if (action && *action != arg) BadArguments("--cancel and --close exclude each other");
      action = std::string(arg);
      options.Action = arg == "--cancel" ? FinishAction::Cancel : FinishAction::CloseBox;
    } else if (!optionsEnded && arg == "--move") {
      const std::string_view value = OptionValue(argc, argv, i);
      const std::size_t comma = value.find(',');
      const std::optional<int> left =
          comma == std::string_view::npos ? std::nullopt : headless::ParseWhole(value.substr(0, comma));
      const std::optional<int> top =
          comma == std::string_view::npos ? std::nullopt : headless::ParseWhole(value.substr(comma + 1));
      if (!left || !top) BadArguments("--move takes LEFT,TOP, two whole numbers");
      options.MoveWindowTo = WindowMove{*left, *top};
    } else if (!optionsEnded && arg == "--set") {
      const std::string_view value = OptionValue(argc, argv, i);
      const std::size_t equals = value.find('=');
      if (equals == std::string_view::npos) BadArguments("--set takes NAME=VALUE");
      const std::optional<std::string> text = codec::Utf8ToShiftJis(value.substr(equals + 1));
      if (!text) BadArguments("the value of --set cannot be written in Shift-JIS");
      SettingChange change{std::string(value.substr(0, equals)), *text};
      const std::string problem = CheckSettingChange(change);
      if (!problem.empty()) BadArguments(problem);
      options.Changes.push_back(std::move(change));
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      BadArguments("unknown option " + std::string(arg));
    } else {
      if (folder) BadArguments("only one FOLDER may be given");
      folder = fs::path(arg);
    }
  }
  if (!folder) BadArguments("FOLDER is missing");
  options.Mode = RunModeOfWords(modeWords);
  if (!options.Mode) {
    std::string launchers;
    for (const std::string& name : LauncherNames()) launchers += "\n  " + name;
    BadArguments(modeOptions + ": no launcher starts the program so; the launchers are:" + launchers);
  }
  if (!options.Mode->ShowsDialog && (action || options.MoveWindowTo || !options.Changes.empty()))
    BadArguments(modeOptions + " shows no dialog: --cancel, --close, --move and --set have nothing to act on");
  std::error_code ec;
  if (!fs::is_directory(*folder, ec)) BadArguments("no folder at " + folder->string());

  RunResult result;
  try {
    result = RunOnce(*folder, options);
  } catch (const std::exception& e) {
    std::cerr << "orvane-headless: " << e.what() << "\n";
    return 1;
  }
  for (const std::string& line : TranscriptLines(result.Transcript))
    std::cout << codec::ShiftJisToUtf8Lossy(line).value_or(line) << "\n";
  std::cout.flush();
  return std::cout ? 0 : 1;
}

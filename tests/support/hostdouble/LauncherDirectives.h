#pragma once
// A launcher (batch file) as the host reads it: the memo on its first line,
// the "REM #" directives up to "#e", and the line that runs the program.
#include <string>
#include <string_view>
#include <vector>

namespace host_double {

// The host takes a directive only where its "#" stands within a line's
// first 10 bytes.
inline constexpr std::size_t kDirectiveColumns = 10;

struct Launcher {
  std::string Memo;           // the first line after "REM ", shown in the file list
  bool ForThisHost = false;   // #jww: a launcher of this host, exchange in its own format
  bool OwnFolder = false;     // #cd: the exchange file lies in the launcher's folder
  int Selection = 1;          // #h0..#h4; without one the user range-selects (#h1)
                              // (#h4: the whole drawing, without a range)
  bool WithSelection() const { return Selection != 0; }
  bool HatchAttributes = false;  // #zz
  bool LineWidths = false;       // #zw: the host writes "lw" lines
  bool TextBasePoints = false;   // #zc
  std::vector<std::string> Prompts;  // #1..#n in order: the text of each point prompt
  // Of each prompt, whether it asks for a line ("#1ln"): the host writes the
  // point as "hp1ln" and tags the line clicked with "hhp1ln".
  std::vector<bool> LinePrompts;
  std::vector<std::string> Ignored;  // REM lines whose "#" stands too far right
  std::string ProgramLine;           // the first line that is neither REM nor blank
};

// Reads a launcher's bytes (Shift-JIS, CR LF or LF). Throws
// std::runtime_error for what the host would not run: no "#jww", prompts
// out of order, no program line.
Launcher ReadLauncher(std::string_view bytes);

// The program line split as the command processor does: the program (quotes
// removed, "%~dp0" replaced by `folder`) and its arguments.
struct ProgramCall {
  std::string Program;
  std::vector<std::string> Arguments;
};
ProgramCall SplitProgramLine(std::string_view line, std::string_view folder);

}  // namespace host_double

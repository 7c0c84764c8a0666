#pragma once
// A double of the host for tests: it runs a scripted session of the user
// with the package's launchers the way the host does. It reads a launcher's
// directives, asks for its points (the script gives them), writes
// JWC_TEMP.TXT, runs the launcher's program, reads the answer, draws it into
// its own record of the drawing, and goes on where the answer says ("hr": the
// same launcher again, "h/NAME.BAT": that launcher), until the answer says
// nothing more or the user presses Esc. It shows what the host shows of the
// answer: "he" an error (and nothing of the answer is drawn), "h#" a notice.
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "dimension/RunModes.h"
#include "support/hostdouble/LauncherDirectives.h"

namespace host_double {

// How the user ends the program's dialog; None: the run shows no dialog
// (the quick pace).
enum class DialogEnd { Ok, Escape, None };

// One step of the user: the points clicked at the launcher's prompts, then
// Enter or Esc in the dialog; or Esc at the first point prompt; or another
// launcher picked in the menu once the command has ended (a prompt still
// open is left with Esc first).
struct Step {
  enum Kind { Ok, EscapeInDialog, EscapeAtPrompt, Start } What = Ok;
  std::vector<std::string> Picks;  // "X Y" in drawing units, one per prompt
  std::string Launcher;            // Start: the launcher picked
};

struct Session {
  std::string FirstLauncher;  // the launcher the user picks in the menu
  std::vector<Step> Steps;
};

// Reads a session script: "start NAME.BAT", then one step a line: "ok" or
// "esc" with the points' coordinates (X Y X Y ...), "stop" (Esc at the
// point prompt), or "start NAME.BAT" again (the next command). Blank lines
// and lines from "#" on are skipped. Throws std::runtime_error on anything
// else.
Session ReadSession(const std::string& text);

// The host's state that it writes before every run.
struct HostSettings {
  std::string AxisAngle = "0";
  std::string GroupScales = "1 1 50 100 1 1 1 1 1 1 1 1 1 1 1 1";
  std::string TextWidths = "2 2.5 3 4 5 6 7 8 9 10";
  std::string TextHeights = "2 2.5 3 4 5 6 7 8 9 10";
  std::string TextSpacings = "0 0 0.5 0 0 0 0 0 0 0";
  std::string TextColours = "1 2 3 4 5 6 7 8 9 10";
  std::string Group = "2";  // hexadecimal digit
  std::string Layer = "5";
  int Colour = 3;
  int LineType = 1;
  int LineWidth = 0;
  int TextStyle = 3;
  std::string Font = "ＭＳ ゴシック";  // Shift-JIS (the literal is compiled so); empty: none
  // Where the host writes the tag of a clicked line ("hhp1ln"): right
  // before the line, after its flag lines, or before them.
  bool PickTagBeforeFlags = false;
  // How near to a segment line a click must be for the host to find it, in
  // drawing units; a click farther from every line (or on a drawing without
  // one) is written as the point alone, no line tagged.
  double ClickReach = std::numeric_limits<double>::infinity();
};

// A run of the launcher's program as the host starts it.
struct RunRequest {
  std::filesystem::path LauncherFolder;
  std::string LauncherName;
  ProgramCall Call;  // from the program line
  // The mode the program's words choose, as the program itself chooses it
  // (RunModeOfWords); nullptr: no mode has them.
  const RunMode* Mode = nullptr;
  DialogEnd End = DialogEnd::Ok;
};
// Runs the program and returns once it has ended; what it showed, one line
// each, goes into the transcript.
using Runner = std::function<std::vector<std::string>(const RunRequest& request)>;

struct SessionResult {
  std::size_t StepsTaken = 0;          // steps of the script the session used
  std::vector<std::string> Transcript;  // what happened, one line each (Shift-JIS)
};

class HostDouble {
 public:
  // `launcherFolder` holds the launchers and is the program's folder;
  // `hostFolder` stands for the host's own folder, where the exchange file
  // goes for a launcher without "#cd".
  HostDouble(std::filesystem::path launcherFolder, std::filesystem::path hostFolder,
             Runner runner, HostSettings settings = {});

  SessionResult Run(const Session& session);

  // Lines drawn before the session (yesterday's drawing: attribute, flag
  // and entity lines as an exchange file has them).
  void Draw(const std::vector<std::string>& lines);

  // The drawing as the host holds it: the answers' drawing lines in the
  // order drawn (attribute, entity and flag lines, without the host's
  // control lines), ready to be written as an exchange file.
  const std::vector<std::string>& Drawing() const { return drawing_; }
  // The host's settings (axis, scales, text styles) and Drawing() as an
  // exchange file, CR LF after every line.
  std::string DrawingBytes() const;

  // What the host writes into JWC_TEMP.TXT before starting the program. A
  // line prompt's point is written as "hp<n>ln", and the line of the
  // drawing nearest to it (a segment line of four numbers, within the
  // settings' ClickReach) is tagged
  // "hhp<n>ln" among the data (a launcher without data, "#h0", gets the
  // point alone).
  std::string HostFileBytes(const Launcher& launcher, const std::vector<std::string>& picks) const;

 private:
  // Draws the answer; returns the launcher to go on with ("" to stop).
  std::string DrawAnswer(const std::string& answer, const std::string& current,
                         std::vector<std::string>& transcript);

  std::filesystem::path launcherFolder_;
  std::filesystem::path hostFolder_;
  Runner runner_;
  HostSettings settings_;
  std::vector<std::string> drawing_;
};

// The runner for the headless program: orvane-headless with the option of
// each run-mode word that the launcher passes ("--new" for "/new", ...),
// "--cancel" for Esc in the dialog, and the program's folder.
Runner HeadlessRunner(std::filesystem::path headlessProgram);
// A runner that hands the run to a command: COMMAND FOLDER LAUNCHER
// ok|esc|none (the Windows program under Wine, through the launcher itself;
// none: a run without a dialog).
Runner CommandRunner(std::vector<std::string> command);

}  // namespace host_double

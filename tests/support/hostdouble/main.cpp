// orvane-host-double: a scripted session of the user with the package's
// launchers, run by a double of the host; for tests and the demo.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "support/hostdouble/HostDouble.h"

namespace fs = std::filesystem;
using namespace host_double;

namespace {

constexpr const char* kUsage =
    "usage: orvane-host-double (--headless PROGRAM | --runner COMMAND) [--drawn BEFORE]\n"
    "                          FOLDER SESSION DRAWING\n"
    "\n"
    "Runs the session script SESSION with the launchers in FOLDER (the\n"
    "program's folder) as the host does, and writes the drawing it ends with\n"
    "to DRAWING (host command lines, Shift-JIS, CR LF). With --drawn, the\n"
    "drawing starts with the lines of BEFORE (attribute, flag and entity\n"
    "lines as an exchange file has them: yesterday's drawing). Each run of a\n"
    "launcher's program goes to orvane-headless PROGRAM, or to the command\n"
    "COMMAND (words split at blanks) with FOLDER, the launcher's name and\n"
    "ok or esc (none for a run without a dialog). Prints what happened, one\n"
    "line each, with what the host shows of the answers (he, h#).\n";

[[noreturn]] void Usage() {
  std::cerr << kUsage;
  std::exit(2);
}

std::vector<std::string> SplitWords(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

}  // namespace

int main(int argc, char** argv) {
  Runner runner;
  std::string drawn;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--headless" || arg == "--runner") && i + 1 < argc) {
      runner = arg == "--headless" ? HeadlessRunner(argv[++i]) : CommandRunner(SplitWords(argv[++i]));
    } else if (arg == "--drawn" && i + 1 < argc) {
      drawn = argv[++i];
    } else if (!arg.empty() && arg[0] == '-') {
      Usage();
    } else {
      positional.push_back(arg);
    }
  }
  if (!runner || positional.size() != 3) Usage();
  try {
    std::ifstream script(positional[1]);
    if (!script) throw std::runtime_error("cannot read " + positional[1]);
    std::ostringstream text;
    text << script.rdbuf();
    HostDouble host(positional[0], fs::current_path(), runner);
    if (!drawn.empty()) {
      std::ifstream before(drawn, std::ios::binary);
      if (!before) throw std::runtime_error("cannot read " + drawn);
      std::vector<std::string> lines;
      for (std::string line; std::getline(before, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
      }
      host.Draw(lines);
    }
    const SessionResult result = host.Run(ReadSession(text.str()));
    for (const std::string& line : result.Transcript) std::cout << line << "\n";
    std::cout << "steps taken: " << result.StepsTaken << "\n";
    std::ofstream drawing(positional[2], std::ios::binary | std::ios::trunc);
    drawing << host.DrawingBytes();
    if (!drawing.flush()) throw std::runtime_error("cannot write " + positional[2]);
  } catch (const std::exception& e) {
    std::cerr << "orvane-host-double: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

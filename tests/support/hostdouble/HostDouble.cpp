#include "support/hostdouble/HostDouble.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "dimension/RunModes.h"
#include "tools/text/ShiftJisCodec.h"

extern char** environ;

namespace fs = std::filesystem;

namespace host_double {

namespace {

constexpr const char* kExchangeFile = "JWC_TEMP.TXT";

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::string Utf8(const std::string& sjis) {
  return codec::ShiftJisToUtf8Lossy(sjis).value_or(sjis);
}

// The answer's lines: CR LF ends a line; the last may lack it.
std::vector<std::string> AnswerLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// Runs argv with its standard output into a file; returns the exit status.
int Spawn(const std::vector<std::string>& argv, const fs::path& output) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  const int failed = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed) throw std::runtime_error("cannot start " + argv[0]);
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) throw std::runtime_error("lost " + argv[0]);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> RunAndRead(const std::vector<std::string>& argv) {
  const fs::path output = fs::temp_directory_path() /
                          ("orvane-host-double-" + std::to_string(getpid()) + ".out");
  const int status = Spawn(argv, output);
  std::vector<std::string> lines;
  std::istringstream in(ReadBytes(output));
  fs::remove(output);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  if (status != 0)
    throw std::runtime_error(argv[0] + " ended with exit status " + std::to_string(status));
  return lines;
}

bool IsFlagLine(const std::string& line) {
  return line.size() == 2 && line[0] == 'z' && line[1] >= '1' && line[1] <= '5';
}

// The numbers of a segment line ("x1 y1 x2 y2"), or none.
std::optional<std::array<double, 4>> Segment(const std::string& line) {
  const std::vector<std::string> words = Words(line);
  if (words.size() != 4) return std::nullopt;
  std::array<double, 4> n{};
  for (std::size_t i = 0; i < 4; ++i) {
    char* end = nullptr;
    n[i] = std::strtod(words[i].c_str(), &end);
    if (end == words[i].c_str() || *end != '\0') return std::nullopt;
  }
  return n;
}

// The segment line of the drawing nearest to the point "X Y" and no farther
// than `reach`: the one the host finds where the user clicks (none: nothing
// there).
std::optional<std::size_t> NearestLine(const std::vector<std::string>& drawing,
                                       const std::string& point, double reach) {
  const std::vector<std::string> xy = Words(point);
  const double x = std::stod(xy.at(0)), y = std::stod(xy.at(1));
  std::optional<std::size_t> nearest;
  double best = 0;
  for (std::size_t i = 0; i < drawing.size(); ++i) {
    const std::optional<std::array<double, 4>> n = Segment(drawing[i]);
    if (!n) continue;
    const auto [x1, y1, x2, y2] = *n;
    const double dx = x2 - x1, dy = y2 - y1, length2 = dx * dx + dy * dy;
    const double t =
        length2 > 0 ? std::clamp(((x - x1) * dx + (y - y1) * dy) / length2, 0.0, 1.0) : 0.0;
    const double distance = std::hypot(x - (x1 + t * dx), y - (y1 + t * dy));
    if (distance <= reach && (!nearest || distance < best)) {
      nearest = i;
      best = distance;
    }
  }
  return nearest;
}

}  // namespace

Session ReadSession(const std::string& text) {
  Session session;
  std::istringstream in(text);
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    const std::size_t comment = line.find('#');
    if (comment != std::string::npos) line.erase(comment);
    const std::vector<std::string> words = Words(line);
    if (words.empty()) continue;
    const std::string where = "session line " + std::to_string(number);
    if (words[0] == "start") {
      if (words.size() != 2) throw std::runtime_error(where + ": \"start NAME.BAT\" expected");
      if (session.FirstLauncher.empty())
        session.FirstLauncher = words[1];
      else
        session.Steps.push_back(Step{Step::Start, {}, words[1]});
      continue;
    }
    if (session.FirstLauncher.empty()) throw std::runtime_error(where + ": no \"start\" before");
    Step step;
    if (words[0] == "ok") {
      step.What = Step::Ok;
    } else if (words[0] == "esc") {
      step.What = Step::EscapeInDialog;
    } else if (words[0] == "stop" && words.size() == 1) {
      step.What = Step::EscapeAtPrompt;
    } else {
      throw std::runtime_error(where + ": expected ok, esc or stop");
    }
    if (words.size() % 2 == 0) throw std::runtime_error(where + ": a point needs X and Y");
    for (std::size_t i = 1; i < words.size(); i += 2)
      step.Picks.push_back(words[i] + " " + words[i + 1]);
    session.Steps.push_back(step);
  }
  if (session.FirstLauncher.empty()) throw std::runtime_error("the session starts no launcher");
  return session;
}

HostDouble::HostDouble(fs::path launcherFolder, fs::path hostFolder, Runner runner,
                       HostSettings settings)
    : launcherFolder_(std::move(launcherFolder)),
      hostFolder_(std::move(hostFolder)),
      runner_(std::move(runner)),
      settings_(std::move(settings)) {}

std::string HostDouble::HostFileBytes(const Launcher& launcher,
                                      const std::vector<std::string>& picks) const {
  const HostSettings& s = settings_;
  std::vector<std::string> lines = {
      "hq",  // "not done": stays unless the program answers
      "hk " + s.AxisAngle,
      "hs " + s.GroupScales,
      "hcw " + s.TextWidths,
      "hch " + s.TextHeights,
      "hcd " + s.TextSpacings,
      "hcc " + s.TextColours,
      "lg" + s.Group,
      "ly" + s.Layer,
      "lc" + std::to_string(s.Colour),
      "lt" + std::to_string(s.LineType),
  };
  if (launcher.LineWidths) lines.push_back("lw" + std::to_string(s.LineWidth));
  lines.push_back("cn" + std::to_string(s.TextStyle));
  // The quote keeps a font name with a blank whole.
  if (!s.Font.empty()) lines.push_back("cn\"$" + s.Font);
  // The tag of a line clicked at a line prompt, to go before a line of the
  // drawing: right before the line, or before the flag lines that go with it.
  std::vector<std::vector<std::string>> tags(drawing_.size());
  for (std::size_t i = 0; i < picks.size(); ++i) {
    const bool line = i < launcher.LinePrompts.size() && launcher.LinePrompts[i];
    lines.push_back("hp" + std::to_string(i + 1) + (line ? "ln " : " ") + picks[i]);
    if (!line || !launcher.WithSelection()) continue;
    const std::optional<std::size_t> found = NearestLine(drawing_, picks[i], s.ClickReach);
    if (!found) continue;
    std::size_t at = *found;
    while (s.PickTagBeforeFlags && at > 0 && IsFlagLine(drawing_[at - 1])) --at;
    tags[at].push_back("hhp" + std::to_string(i + 1) + "ln");
  }
  // A selection step: the user's range takes the whole drawing, as does the
  // data of the whole drawing.
  if (launcher.WithSelection()) {
    lines.push_back("#");
    for (std::size_t i = 0; i < drawing_.size(); ++i) {
      lines.insert(lines.end(), tags[i].begin(), tags[i].end());
      lines.push_back(drawing_[i]);
    }
  }
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

void HostDouble::Draw(const std::vector<std::string>& lines) {
  drawing_.insert(drawing_.end(), lines.begin(), lines.end());
}

std::string HostDouble::DrawingBytes() const {
  // The host's settings first, so that the file is drawn at its scales.
  const HostSettings& s = settings_;
  std::string bytes = "hk " + s.AxisAngle + "\r\nhs " + s.GroupScales + "\r\nhcw " + s.TextWidths +
                      "\r\nhch " + s.TextHeights + "\r\nhcd " + s.TextSpacings + "\r\nhcc " +
                      s.TextColours + "\r\n";
  for (const std::string& line : drawing_) bytes += line + "\r\n";
  return bytes;
}

std::string HostDouble::DrawAnswer(const std::string& answer, const std::string& current,
                                   std::vector<std::string>& transcript) {
  const std::vector<std::string> lines = AnswerLines(answer);
  if (lines.empty() || lines[0] == "hq") {
    transcript.push_back("answer: hq, nothing drawn");
    return {};
  }
  // An error line: the host shows it, and nothing of the answer is drawn.
  for (const std::string& line : lines)
    if (line.rfind("he", 0) == 0) {
      transcript.push_back("host shows the error: " + Utf8(line.substr(2)));
      transcript.push_back("answer: he, nothing drawn");
      return {};
    }
  std::string next;
  std::size_t drawn = 0;
  for (const std::string& line : lines) {
    if (line.empty() || line[0] != 'h') {
      drawing_.push_back(line);
      ++drawn;
    } else if (line.rfind("h#", 0) == 0) {
      transcript.push_back("host shows the notice: " + Utf8(line.substr(2)));
    } else if (line == "hr") {
      next = current;
    } else if (line.rfind("h/", 0) == 0) {
      // The launcher's name ends at a carriage return or a blank.
      next = line.substr(2, line.find(' ') == std::string::npos ? std::string::npos
                                                                 : line.find(' ') - 2);
    } else {
      throw std::runtime_error("answer: unexpected control line " + line);
    }
  }
  transcript.push_back("answer: " + std::to_string(drawn) + " lines drawn" +
                       (next.empty() ? std::string() : ", then " + next));
  return next;
}

SessionResult HostDouble::Run(const Session& session) {
  SessionResult result;
  std::vector<std::string>& transcript = result.Transcript;
  std::string name = session.FirstLauncher;
  // The next command, once the one before has ended.
  auto nextCommand = [&] {
    if (result.StepsTaken < session.Steps.size() &&
        session.Steps[result.StepsTaken].What == Step::Start) {
      name = session.Steps[result.StepsTaken++].Launcher;
      transcript.push_back("menu: " + name);
    }
  };
  while (!name.empty()) {
    const Launcher launcher = ReadLauncher(ReadBytes(launcherFolder_ / name));
    transcript.push_back("launcher: " + name + " (" + Utf8(launcher.Memo) + ")");
    if (result.StepsTaken == session.Steps.size()) {
      transcript.push_back("the script ends at the point prompt");
      break;
    }
    const Step& step = session.Steps[result.StepsTaken];
    if (step.What == Step::EscapeAtPrompt || step.What == Step::Start) {
      if (step.What == Step::EscapeAtPrompt) ++result.StepsTaken;
      transcript.push_back("point 1: Esc, the command ends");
      name.clear();
      nextCommand();
      continue;
    }
    ++result.StepsTaken;
    if (step.Picks.size() != launcher.Prompts.size())
      throw std::runtime_error("step " + std::to_string(result.StepsTaken) + " gives " +
                               std::to_string(step.Picks.size()) + " points for " +
                               std::to_string(launcher.Prompts.size()) + " prompts");
    for (std::size_t i = 0; i < step.Picks.size(); ++i)
      transcript.push_back("point " + std::to_string(i + 1) + ": " + step.Picks[i] + "  (" +
                           Utf8(launcher.Prompts[i]) + ")");

    const fs::path exchange = (launcher.OwnFolder ? launcherFolder_ : hostFolder_) / kExchangeFile;
    WriteBytes(exchange, HostFileBytes(launcher, step.Picks));

    RunRequest request;
    request.LauncherFolder = launcherFolder_;
    request.LauncherName = name;
    request.Call = SplitProgramLine(launcher.ProgramLine, (launcherFolder_ / "").string());
    request.End = step.What == Step::Ok ? DialogEnd::Ok : DialogEnd::Escape;
    request.Mode = RunModeOfWords(std::vector<std::string_view>(request.Call.Arguments.begin(),
                                                                request.Call.Arguments.end()));
    if (request.Mode && !request.Mode->ShowsDialog) {
      if (step.What != Step::Ok)
        throw std::runtime_error("step " + std::to_string(result.StepsTaken) +
                                 ": Esc in a dialog that " + name + " does not show");
      request.End = DialogEnd::None;
    }
    std::string call = fs::path(request.Call.Program).filename().string();
    for (const std::string& argument : request.Call.Arguments) call += " " + argument;
    const char* end = request.End == DialogEnd::Ok     ? ", Enter"
                      : request.End == DialogEnd::None ? ", no dialog"
                                                       : ", Esc";
    transcript.push_back("program: " + call + end);
    for (const std::string& line : runner_(request)) transcript.push_back("  " + line);

    name = DrawAnswer(ReadBytes(exchange), name, transcript);
    if (name.empty()) nextCommand();
  }
  return result;
}

Runner HeadlessRunner(fs::path headlessProgram) {
  return [program = std::move(headlessProgram)](const RunRequest& request) {
    if (fs::path(request.Call.Program).filename() != "vk47_Orvane.exe")
      throw std::runtime_error("the launcher runs " + request.Call.Program);
    std::vector<std::string> argv = {program.string()};
    // The program's words as the launchers' rows have them, each given to
    // the headless program as its option.
    if (!request.Mode) throw std::runtime_error("no run mode has the arguments given");
    for (const std::string& argument : request.Call.Arguments)
      for (const RunModeWord& word : RunModeWords()) {
        std::string lower;
        for (char c : argument) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower == word.Program) argv.push_back(std::string(word.Headless));
      }
    if (request.End == DialogEnd::Escape) argv.push_back("--cancel");
    argv.push_back(fs::path(request.Call.Program).parent_path().string());
    return RunAndRead(argv);
  };
}

Runner CommandRunner(std::vector<std::string> command) {
  return [command = std::move(command)](const RunRequest& request) {
    std::vector<std::string> argv = command;
    argv.push_back(request.LauncherFolder.string());
    argv.push_back(request.LauncherName);
    argv.push_back(request.End == DialogEnd::Ok       ? "ok"
                   : request.End == DialogEnd::None ? "none"
                                                    : "esc");
    return RunAndRead(argv);
  };
}

}  // namespace host_double

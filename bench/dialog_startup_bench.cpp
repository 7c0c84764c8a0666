// Start-up of the Windows program under Wine as the host starts it, beside a
// plain window with the same controls and a minimal window.
//
// The runs themselves are made inside the Wine session by a Windows program,
// startup_launcher.exe (bench/win32/startup_launcher.cpp), which starts each
// subject with CreateProcess, as the host starts a launcher's program, and
// prints one line per run ("run NAME MS"). This driver starts that command,
// shows its lines as they come, and then prints each subject's median,
// least and greatest time, the ratios of the medians to the reference
// subject's, and the machine's load average at the start and the end.
//
// Time on an idle machine is mostly spent in round trips to the Wine server,
// and their cost depends on the load, so the driver also counts the server
// requests each subject makes up to its first paint, a figure that does not
// depend on the machine: the launcher starts each subject once more with
// WINEDEBUG=+server, and the server then traces every request to its
// standard error (TRACE, given here). Named events that the launcher creates
// mark each counted run in the trace ("orvane-bench-start NAME" before the
// start; "orvane-bench-shown NAME pid=P tids=T,..." once the window is shown
// or the run has ended); the requests counted are those of the subject's
// threads between the two marks (the threads the launcher saw, and any whose
// start the trace shows for that process).
//
//   dialog_startup_bench [--trace=TRACE] [--reference=NAME] -- COMMAND...
//
// Exit code 1 when the command fails or a subject was not counted.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Subject {
  std::string Name;
  std::vector<double> Times;  // milliseconds of the counted runs
  long Requests = -1;         // server requests up to the first paint; < 0: not counted
};

std::string LoadAverage() {
  std::ifstream file("/proc/loadavg");
  std::string one, five, fifteen;
  file >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

Subject& SubjectNamed(std::vector<Subject>& subjects, const std::string& name) {
  for (Subject& subject : subjects)
    if (subject.Name == name) return subject;
  subjects.push_back({name, {}, -1});
  return subjects.back();
}

std::set<std::string> Split(const std::string& list) {
  std::set<std::string> items;
  std::stringstream stream(list);
  std::string item;
  while (std::getline(stream, item, ','))
    if (!item.empty()) items.insert(item);
  return items;
}

// Counts each marked run's requests in the server's trace.
void CountRequests(const std::string& tracePath, std::vector<Subject>& subjects) {
  std::ifstream trace(tracePath);
  static const std::regex request(R"(^([0-9a-f]+): [a-z_0-9]+\( )");
  static const std::regex started(R"(^([0-9a-f]+): init(_first)?_thread\(\) = 0 \{ pid=([0-9a-f]+))");
  static const std::regex mark(R"(name=L"orvane-bench-(start|shown) ([^ "]+)( pid=([0-9a-f]+) tids=([0-9a-f,]+))?")");
  std::map<std::string, std::string> processOf;  // thread id -> process id
  std::vector<std::string> since;                // the requesting threads since the last start mark
  std::string line;
  std::smatch match;
  while (std::getline(trace, line)) {
    if (std::regex_search(line, match, mark)) {
      if (match[1] == "start") {
        since.clear();
        continue;
      }
      const std::string pid = match[4];
      const std::set<std::string> threads = Split(match[5]);
      long count = 0;
      for (const std::string& thread : since)
        if (threads.count(thread) || (processOf.count(thread) && processOf[thread] == pid)) ++count;
      SubjectNamed(subjects, match[2]).Requests = count;
      since.clear();
      continue;
    }
    if (std::regex_search(line, match, started)) processOf[match[1]] = match[3];
    if (std::regex_search(line, match, request)) since.push_back(match[1]);
  }
}

int Usage() {
  std::fprintf(stderr,
               "usage: dialog_startup_bench [--trace=TRACE] [--reference=NAME] -- COMMAND...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string tracePath;
  std::string reference;
  int at = 1;
  for (; at < argc; ++at) {
    const std::string arg = argv[at];
    if (arg.rfind("--trace=", 0) == 0)
      tracePath = arg.substr(8);
    else if (arg.rfind("--reference=", 0) == 0)
      reference = arg.substr(12);
    else if (arg == "--") {
      ++at;
      break;
    } else
      return Usage();
  }
  if (at >= argc) return Usage();

  int out[2];
  if (pipe(out) != 0) return 1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  const std::string loadBefore = LoadAverage();
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argv[at], &actions, nullptr, argv + at, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    std::fprintf(stderr, "dialog_startup_bench: cannot start %s\n", argv[at]);
    return 1;
  }

  std::vector<Subject> subjects;
  int warmups = 0;
  FILE* lines = fdopen(out[0], "r");
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, lines)) {
    std::fputs(buffer, stdout);
    std::fflush(stdout);
    std::istringstream words(buffer);
    std::string kind, name;
    double ms = 0;
    if (!(words >> kind >> name >> ms)) continue;
    Subject& subject = SubjectNamed(subjects, name);
    if (kind == "run") subject.Times.push_back(ms);
    if (kind == "warmup") ++warmups;
  }
  std::fclose(lines);
  int status = 0;
  waitpid(pid, &status, 0);
  const std::string loadAfter = LoadAverage();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || subjects.empty()) {
    std::fprintf(stderr, "dialog_startup_bench: the runs failed\n");
    return 1;
  }
  if (!tracePath.empty()) CountRequests(tracePath, subjects);

  const Subject* base = nullptr;
  for (const Subject& subject : subjects)
    if (subject.Name == reference) base = &subject;
  std::printf("\nstart-up to the window shown and painted (a run without a window: to its end),\n"
              "started with CreateProcess inside the running Wine session; %zu runs each, "
              "%d left out first\n\n",
              subjects.front().Times.size(), warmups / static_cast<int>(subjects.size()));
  std::printf("%-10s %9s %9s %9s %10s", "", "median", "least", "greatest", "requests");
  if (base) std::printf("   / %s: %6s %9s", base->Name.c_str(), "time", "requests");
  std::printf("\n");
  bool counted = true;
  for (const Subject& subject : subjects) {
    if (subject.Times.empty()) continue;
    const auto [least, greatest] = std::minmax_element(subject.Times.begin(), subject.Times.end());
    std::printf("%-10s %6.1f ms %6.1f ms %6.1f ms %10ld", subject.Name.c_str(),
                Median(subject.Times), *least, *greatest, subject.Requests);
    if (base && &subject != base) {
      std::printf("   %*s %6.2f", static_cast<int>(base->Name.size() + 3), "",
                  Median(subject.Times) / Median(base->Times));
      if (subject.Requests >= 0 && base->Requests > 0)
        std::printf(" %9.2f", static_cast<double>(subject.Requests) / static_cast<double>(base->Requests));
    }
    std::printf("\n");
    if (!tracePath.empty() && subject.Requests < 0) counted = false;
  }
  std::printf("\nload average (1, 5, 15 min): %s at the start, %s at the end\n", loadBefore.c_str(),
              loadAfter.c_str());
  if (!counted) {
    std::fprintf(stderr, "dialog_startup_bench: a subject's requests were not found in %s\n",
                 tracePath.c_str());
    return 1;
  }
  return 0;
}

// Start-up of the Windows program under Wine beside a plain window.
//
// Starts two Windows programs under Wine in turn, each time from a fresh
// process, and measures how long each takes from the start of its process to
// the moment its window is mapped on the X display (the user sees it): the
// plain window first, then the program, then the program first, and so on,
// so that a change of load on the machine falls on both alike. Each window
// is waited for by its title; the process is then ended, its window gone, and
// the next run waits until the Wine server and the X server have done with
// it. A few runs of each
// at the start are left out: they fill Wine's and the system's caches.
//
//   dialog_startup_bench [--runs=N] [--warmup=N]
//                        PLAIN.exe PLAIN_TITLE PROGRAM.exe PROGRAM_TITLE
//
// Each program starts in its own folder (the folder of its file), which
// holds whatever it reads. Needs DISPLAY (an X server without a window
// manager) and a Wine prefix whose server is already running (WINEPREFIX);
// bench/startup/run-startup-bench.sh sets up both. Prints every run, then
// each program's median, least and greatest time, and the ratio of the
// medians; the load of the machine at the start and the end. Exit code 1
// when a window does not appear within 60 s.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Subject {
  std::string Name;
  std::string Program;
  std::string Title;
  std::vector<double> Times;        // milliseconds from the start to the window
  std::vector<double> ProcessorMs;  // processor time spent meanwhile
};

// The processor time that a process's threads have used, in milliseconds
// (the scheduler's own account, in nanoseconds); 0 when it is gone.
double ProcessorMsOf(pid_t pid) {
  namespace fs = std::filesystem;
  double ns = 0;
  std::error_code error;
  for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
    std::ifstream stat(task.path() / "schedstat");
    double running = 0;
    if (stat >> running) ns += running;
  }
  return ns / 1e6;
}

double ProcessorMsOf(const std::vector<pid_t>& pids) {
  double ms = 0;
  for (pid_t pid : pids) ms += ProcessorMsOf(pid);
  return ms;
}

struct Start {
  double Ms = -1;           // from the start of the process to its window; < 0: none came
  double ProcessorMs = 0;   // processor time of the process and the servers meanwhile
};

double NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

std::string LoadAverage() {
  std::ifstream file("/proc/loadavg");
  std::string one, five, fifteen;
  file >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }  // a window may go at any time

class XScreen {
 public:
  XScreen() : display_(XOpenDisplay(nullptr)) {
    if (!display_) return;
    XSetErrorHandler(IgnoreXErrors);
    root_ = DefaultRootWindow(display_);
    netName_ = XInternAtom(display_, "_NET_WM_NAME", False);
    utf8_ = XInternAtom(display_, "UTF8_STRING", False);
    XSelectInput(display_, root_, SubstructureNotifyMask);
    XSync(display_, False);
  }
  ~XScreen() {
    if (display_) XCloseDisplay(display_);
  }
  bool Open() const { return display_ != nullptr; }

  // Handles the events that have come; returns the window titled `title`
  // that is mapped now, if one is.
  std::optional<Window> MappedWindow(const std::string& title) {
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      switch (event.type) {
        case CreateNotify:
          // Its name may come after it is mapped.
          XSelectInput(display_, event.xcreatewindow.window, PropertyChangeMask);
          break;
        case MapNotify:
          mapped_.insert(event.xmap.window);
          break;
        case UnmapNotify:
          mapped_.erase(event.xunmap.window);
          break;
        case DestroyNotify:
          mapped_.erase(event.xdestroywindow.window);
          break;
        default:
          break;
      }
    }
    for (Window window : mapped_)
      if (NameOf(window) == title) return window;
    return std::nullopt;
  }

  // Waits up to `ms` for every window titled `title` to be gone.
  void WaitGone(const std::string& title, double ms) {
    const double end = NowMs() + ms;
    while (NowMs() < end && MappedWindow(title)) WaitForEvents(20);
  }

  void WaitForEvents(int ms) {
    pollfd fd{ConnectionNumber(display_), POLLIN, 0};
    poll(&fd, 1, ms);
  }

 private:
  std::string NameOf(Window window) {
    std::string name;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window, netName_, 0, 256, False, utf8_, &type, &format, &count,
                           &after, &data) == Success &&
        data) {
      name.assign(reinterpret_cast<char*>(data), count);
      XFree(data);
      if (!name.empty()) return name;
    }
    char* plain = nullptr;
    if (XFetchName(display_, window, &plain) && plain) {
      name = plain;
      XFree(plain);
    }
    return name;
  }

  Display* display_;
  Window root_ = 0;
  Atom netName_ = None;
  Atom utf8_ = None;
  std::set<Window> mapped_;
};

// One start of `subject`: the time from the start of its process to its
// window on the screen, and the processor time that it and `servers` (the
// Wine server, the X server) took meanwhile.
Start TimeOneStart(XScreen& screen, const Subject& subject, const std::vector<pid_t>& servers) {
  namespace fs = std::filesystem;
  const fs::path program = fs::absolute(subject.Program);
  const std::string folder = program.parent_path().string();
  const std::string file = program.string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  // The program starts in its own folder, as the host's launcher starts it.
  const std::string script = "cd \"$1\" && exec wine \"$2\"";
  const char* argv[] = {"sh", "-c", script.c_str(), "sh", folder.c_str(), file.c_str(), nullptr};

  screen.MappedWindow(subject.Title);  // what came before this run
  pid_t pid = 0;
  Start result;
  const double serversBefore = ProcessorMsOf(servers);
  const double start = NowMs();
  const int spawned = posix_spawn(&pid, "/bin/sh", &actions, nullptr,
                                  const_cast<char* const*>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return result;
  while (NowMs() - start < 60000) {
    if (screen.MappedWindow(subject.Title)) {
      result.Ms = NowMs() - start;
      result.ProcessorMs = ProcessorMsOf(pid) + ProcessorMsOf(servers) - serversBefore;
      break;
    }
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) {
      pid = 0;
      break;  // ended without showing its window
    }
    screen.WaitForEvents(1);
  }
  if (pid > 0) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  screen.WaitGone(subject.Title, 5000);
  return result;
}

// Waits (up to 5 s) until the servers have done with the ended process:
// until they take less than a millisecond of processor time in 100 ms.
void WaitForQuietServers(const std::vector<pid_t>& servers) {
  const double end = NowMs() + 5000;
  double before = ProcessorMsOf(servers);
  while (NowMs() < end) {
    usleep(100 * 1000);
    const double now = ProcessorMsOf(servers);
    if (now - before < 1.0) return;
    before = now;
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int Usage() {
  std::fprintf(stderr,
               "usage: dialog_startup_bench [--runs=N] [--warmup=N] [--servers=PID,...] "
               "PLAIN.exe PLAIN_TITLE PROGRAM.exe PROGRAM_TITLE\n");
  return 2;
}

std::vector<pid_t> PidsOf(const std::string& list) {
  std::vector<pid_t> pids;
  std::size_t at = 0;
  while (at < list.size()) {
    std::size_t end = list.find(',', at);
    if (end == std::string::npos) end = list.size();
    if (end > at) pids.push_back(static_cast<pid_t>(std::atoi(list.substr(at, end - at).c_str())));
    at = end + 1;
  }
  return pids;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 15;
  int warmup = 2;
  std::vector<pid_t> servers;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--runs=", 0) == 0)
      runs = std::atoi(arg.c_str() + 7);
    else if (arg.rfind("--warmup=", 0) == 0)
      warmup = std::atoi(arg.c_str() + 9);
    else if (arg.rfind("--servers=", 0) == 0)
      servers = PidsOf(arg.substr(10));
    else
      positional.push_back(arg);
  }
  if (positional.size() != 4 || runs < 1 || warmup < 0) return Usage();
  std::vector<Subject> subjects = {{"plain window", positional[0], positional[1], {}, {}},
                                   {"program", positional[2], positional[3], {}, {}}};
  XScreen screen;
  if (!screen.Open()) {
    std::fprintf(stderr, "dialog_startup_bench: cannot open the display\n");
    return 1;
  }
  const std::string loadBefore = LoadAverage();
  std::printf("start-up to the visible window under Wine, %d runs each (%d left out first)\n",
              runs, warmup);
  for (int round = 0; round < warmup + runs; ++round) {
    // Plain first in one round, the program first in the next.
    for (int k = 0; k < 2; ++k) {
      Subject& subject = subjects[static_cast<std::size_t>((round + k) % 2)];
      const Start one = TimeOneStart(screen, subject, servers);
      if (one.Ms < 0) {
        std::fprintf(stderr, "dialog_startup_bench: no window \"%s\" from %s\n",
                     subject.Title.c_str(), subject.Program.c_str());
        return 1;
      }
      const bool counted = round >= warmup;
      if (counted) {
        subject.Times.push_back(one.Ms);
        subject.ProcessorMs.push_back(one.ProcessorMs);
      }
      std::printf("  %-12s %7.1f ms  (processor %6.1f ms)%s\n", subject.Name.c_str(), one.Ms,
                  one.ProcessorMs, counted ? "" : "  warm-up");
      std::fflush(stdout);
      WaitForQuietServers(servers);
    }
  }
  std::printf("\n%-12s %9s %9s %9s %12s\n", "", "median", "least", "greatest",
              "processor");
  for (const Subject& subject : subjects) {
    const auto [least, greatest] = std::minmax_element(subject.Times.begin(), subject.Times.end());
    std::printf("%-12s %6.1f ms %6.1f ms %6.1f ms %9.1f ms\n", subject.Name.c_str(),
                Median(subject.Times), *least, *greatest, Median(subject.ProcessorMs));
  }
  std::printf("ratio of the medians (program / plain window): %.2f\n",
              Median(subjects[1].Times) / Median(subjects[0].Times));
  std::printf("ratio of the median processor times: %.2f\n",
              Median(subjects[1].ProcessorMs) / Median(subjects[0].ProcessorMs));
  std::printf("load average (1, 5, 15 min): %s at the start, %s at the end\n", loadBefore.c_str(),
              LoadAverage().c_str());
  return 0;
}

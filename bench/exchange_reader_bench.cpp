// Throughput of the exchange file reader.
//
// Generates, in a fresh temporary folder, an exchange file of a realistic mix
// (host settings, attribute lines, picked points, line segments, polylines,
// circles, arcs, texts with Japanese, points, dimension groups) and measures
// in one run:
//   ReadExchangeFile/<n>MB   reading the file into the host drawing state
//                            (and /one_thread: without the second thread that
//                            splits lines ahead);
//   LineSplit/<n>MB          splitting the same bytes (held in memory) into
//                            lines and tokens, without applying them;
//   ReadExchangeFile/<4n>MB  the same content four times over.
// At the end it prints the time ratio of the large and the small read, which
// stays near 4 when reading is linear in the size of the file, and the
// reader's throughput in MB/s (10^6 bytes) beside that of the line split.
//
// Then whole runs: `orvane-headless --cancel` on a program folder holding the
// file (and a settings file), each run beside `wc -l` over the same bytes,
// for the file and the file four times over. A run is a child process; the
// table gives the least wall-clock time of the repeats (other work on the
// machine can only slow a run down), the time ratios to `wc -l` and of the
// large to the small file, and the highest peak resident size of the runs;
// last, what merely taking and writing that much fresh memory costs here,
// and the floor of a run on this machine: a child that reads the file (and
// finds its line ends) in one thread while the other takes and writes that
// much fresh memory, as the records of a run must be, without splitting or
// applying a line.
//
// Last, whole range picks: `orvane-headless --pick` (and `--horizontal
// --pick`) on a host-drawn plan (HostDrawnPlan.h) written whole, as the host
// writes the drawing's readable data: the run reads and searches it all and
// continues one chain; then the same chains picked by one click on their
// dimension line (`--click`). They must take less than a second each.
//
// Options besides Google Benchmark's own: --size-mb=<n> (default 50),
// --whole-runs=<n> repeats of each whole run (default 5, 0 for none),
// --pick-mb=<n> the plan's size (default 20, 0 for none),
// --keep=<folder> writes the files there and leaves them after the end.
// Exit code 1 when a whole run or the floor fails.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "HostDrawnPlan.h"
#include "exchange/ExchangeReader.h"
#include "exchange/HostState.h"
#include "exchange/LineTokenizer.h"
#include "files/StandardFileSystem.h"

namespace {

namespace fs = std::filesystem;

// Writes host-style lines: CR LF line ends, coordinates with up to 15
// significant digits as the host prints them.
class FileWriter {
 public:
  explicit FileWriter(unsigned seed) : random_(seed) {}

  std::string Generate(std::size_t targetBytes) {
    out_.clear();
    out_.reserve(targetBytes + 4096);
    Header();
    while (out_.size() < targetBytes) Group();
    return out_;
  }

 private:
  int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
  void Line(const std::string& text) { out_ += text, out_ += "\r\n"; }

  // A coordinate such as -1234.56789012345 (15 significant digits), or now
  // and then a short round value.
  std::string Number() {
    if (Pick(8) == 0) return std::to_string(Pick(2000) - 1000);
    char text[40];
    const double value = (static_cast<double>(random_()) / random_.max() - 0.5) * 20000.0;
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
  }
  std::string Numbers(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += (i ? " " : "") + Number();
    return text;
  }

  void Header() {
    Line("file=C:\\jww\\設計図 第1版.jww");
    Line("hk 0");
    Line("hs 100 100 50 50 1 1 1 1 1 1 1 1 1 1 1 1");
    Line("hzs 841 594");
    Line("hcw 2 2.5 3 3.5 4 5 6 7 8 10");
    Line("hch 2 2.5 3 3.5 4 5 6 7 8 10");
    Line("hcd 0 0 0.5 0.5 0.5 1 1 1 1 1");
    Line("hcc 1 1 2 2 2 3 3 4 5 6");
    Line("lg0 2");
    Line("lgn一般図");
    Line("ly0 2");
    Line("lyn躯体");
    Line("lc1");
    Line("lt1");
    Line("lw0");
    Line("cn3");
    Line("cn\"$ＭＳ ゴシック");
    Line("hp1 " + Numbers(2));
    Line("hp2- " + Numbers(2));
  }

  // About twenty entities under one set of attribute lines.
  void Group() {
    Line("lg" + std::string(1, "0123456789ABCDEF"[Pick(16)]));
    Line("ly" + std::string(1, "0123456789ABCDEF"[Pick(16)]));
    Line("lc" + std::to_string(1 + Pick(9)));
    Line("lt" + std::to_string(1 + Pick(9)));
    Line("lw" + std::to_string(Pick(3)));
    if (Pick(4) == 0) Line("hhp" + std::to_string(1 + Pick(9)) + (Pick(2) ? "ln" : ""));
    for (int i = 0; i < 20; ++i) Entity();
  }

  void Entity() {
    static const char* const kTexts[] = {"\"寸法 1,250", "\"ＲＣ造 ３階建", "\"W=900 H=2100",
                                         "\"設計ＧＬ＋１５０", "\"階段 昇り", "A-1"};
    const int roll = Pick(100);
    if (roll < 52) {
      if (Pick(10) == 0) Line("z3");
      Line(Numbers(4));
    } else if (roll < 58) {
      Line("pl");
      for (int i = 0; i < 4; ++i) Line(Numbers(4));
      Line("#");
    } else if (roll < 68) {
      Line("ci " + Numbers(3));
    } else if (roll < 78) {
      Line("ci " + Numbers(3) + " " + Numbers(2) + " 1 0");
    } else if (roll < 90) {
      if (Pick(4) == 0) Line("cn" + std::to_string(Pick(11)));
      static const char* const kKinds[] = {"ch", "cs", "cv", "cz"};
      Line(std::string(kKinds[Pick(4)]) + " " + Numbers(2) + " 1 0 " + kTexts[Pick(6)]);
    } else if (roll < 93) {
      Line("pt " + Numbers(2));
    } else if (roll < 96) {
      Line("msg");
      Line(Numbers(4));
      Line("cs " + Numbers(2) + " 0 1 \"" + std::to_string(Pick(9000) + 100));
    } else if (roll < 98) {
      Line("hp" + std::to_string(3 + Pick(90)) + (Pick(2) ? "ci " : " ") + Numbers(2));
    } else {
      Line("sl " + Numbers(8));
    }
  }

  std::mt19937 random_;
  std::string out_;
};

void WriteBytes(const fs::path& path, const std::string& bytes, int times) {
  std::ofstream out(path, std::ios::binary);
  for (int i = 0; i < times; ++i) out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
    std::exit(1);
  }
}

// Reads the file as ReadExchangeFile does; `splitAhead` false keeps the whole
// read in one thread.
void ReadBenchmark(benchmark::State& state, fs::path path, std::size_t bytes, bool splitAhead) {
  BlockPlan plan;
  plan.SplitAhead = splitAhead;
  HostState host;
  for (auto _ : state) {
    ResetHostState(host);
    StandardFileSystem files;
    const OpenedFile in = files.OpenForReading(path);
    if (!in.Status || !ReadExchangeFrom(*in.Reader, plan, host)) state.SkipWithError("the file could not be read");
    benchmark::DoNotOptimize(host.EntityOrder.Count());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["entities"] = static_cast<double>(host.EntityOrder.Count());
}

void SplitBenchmark(benchmark::State& state, const std::string* bytes) {
  LineTokenizer tokenizer;
  for (auto _ : state) {
    std::size_t tokens = 0;
    const char* data = bytes->data();
    const char* const end = data + bytes->size();
    while (data < end) {
      const void* found = std::memchr(data, '\n', static_cast<std::size_t>(end - data));
      const char* lineEnd = found ? static_cast<const char*>(found) : end;
      std::size_t length = static_cast<std::size_t>(lineEnd - data);
      if (length && data[length - 1] == '\r') --length;
      tokens += static_cast<std::size_t>(tokenizer.Split(std::string_view(data, length)));
      data = lineEnd + 1;
    }
    benchmark::DoNotOptimize(tokens);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes->size()));
}

// The console report, plus the ratio of the two read times at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  struct Times {
    double Real = 0, Cpu = 0;  // seconds per iteration
  };
  RatioReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0) {
        const auto n = static_cast<double>(run.iterations);
        times_[run.run_name.function_name] = Times{run.real_accumulated_time / n, run.cpu_accumulated_time / n};
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  Times Of(const std::string& name) const {
    const auto it = times_.find(name);
    return it == times_.end() ? Times{} : it->second;
  }

 private:
  std::map<std::string, Times> times_;
};

// --- Whole runs --------------------------------------------------------------

// A settings file with a stored chain, so that the dialog opens and waits for
// the button as in a real run.
const char* const kSettings =
    "120\r\n80\r\n0\r\n0\r\n0\r\n3\r\n2\r\n1\r\n\r\n\r\n0.5\r\n2\r\n2\r\n3\r\n15\r\n2\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
    "0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n1000\r\n-500\r\n300\r\n";

// <chrono> cannot be used here: its micro sign has no Shift-JIS form.
double WallSeconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

struct ChildRun {
  double Seconds = 0;
  double PeakMiB = 0;  // the child's peak resident size
  bool Succeeded = false;
};

// Starts the program with its standard output sent to `output` (a file
// descriptor, or -1 for /dev/null); the child's pid, or -1.
pid_t Spawn(std::vector<std::string> argv, int output) {
  std::vector<char*> args;
  for (std::string& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (output >= 0) {
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  }
  pid_t child = -1;
  const int spawned = posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return spawned == 0 ? child : -1;
}

// The launcher (this program started with --launch PROGRAM ARGS...): runs the
// program, waits for it and prints its wall-clock time, peak resident size
// (KiB) and exit status. The measuring goes through this small process
// because a child started by the benchmark itself would report the
// benchmark's own peak: the kernel carries the peak of the process image that
// an exec replaces over into the new one.
int Launch(int argc, char** argv) {
  std::vector<std::string> program(argv + 2, argv + argc);
  const double start = WallSeconds();
  const pid_t child = Spawn(program, -1);
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child) return 1;
  const double seconds = WallSeconds() - start;
  std::printf("%.9f %ld %d\n", seconds, usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  return 0;
}

// Runs the program through the launcher and reads what it measured.
ChildRun RunChild(std::vector<std::string> argv) {
  argv.insert(argv.begin(), {"/proc/self/exe", "--launch"});
  ChildRun run;
  int channel[2];
  if (pipe(channel) != 0) return run;
  const pid_t launcher = Spawn(argv, channel[1]);
  close(channel[1]);
  std::string report;
  char piece[256];
  for (ssize_t got; (got = read(channel[0], piece, sizeof piece)) > 0;)
    report.append(piece, static_cast<std::size_t>(got));
  close(channel[0]);
  int status = 0;
  if (launcher < 0 || waitpid(launcher, &status, 0) != launcher || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return run;
  long peakKiB = 0;
  int exitStatus = -1;
  if (std::sscanf(report.c_str(), "%lf %ld %d", &run.Seconds, &peakKiB, &exitStatus) != 3) return run;
  run.PeakMiB = static_cast<double>(peakKiB) / 1024.0;
  run.Succeeded = exitStatus == 0;
  return run;
}

struct WholeRun {
  double WcSeconds = 0, RunSeconds = 0, PeakMiB = 0;
  bool Succeeded = true;
};

// `wc -l` and the program's cancelled run on the same host file, alternately,
// `repeat` times. The program replaces its exchange file when it closes, so
// each run gets a fresh link to the host file in a folder of its own.
WholeRun MeasureWholeRun(const fs::path& hostFile, const fs::path& settings, const fs::path& runFolder,
                         int repeat) {
  WholeRun best;
  for (int i = 0; i < repeat; ++i) {
    const ChildRun wc = RunChild({"wc", "-l", hostFile.string()});
    fs::remove_all(runFolder);
    fs::create_directories(runFolder);
    fs::create_hard_link(hostFile, runFolder / "JWC_TEMP.TXT");
    fs::copy_file(settings, runFolder / "vk38.dat");
    const ChildRun run = RunChild({ORVANE_HEADLESS_PROGRAM, "--cancel", runFolder.string()});
    best.Succeeded = best.Succeeded && wc.Succeeded && run.Succeeded;
    best.WcSeconds = i == 0 ? wc.Seconds : std::min(best.WcSeconds, wc.Seconds);
    best.RunSeconds = i == 0 ? run.Seconds : std::min(best.RunSeconds, run.Seconds);
    best.PeakMiB = std::max(best.PeakMiB, run.PeakMiB);
  }
  fs::remove_all(runFolder);
  return best;
}

// The program's range pick (or one-click pick) on the host file, `repeat`
// times, each in a fresh folder (the run replaces the file with its answer):
// the least time, the highest peak, and whether every run answered with a
// chain continued.
WholeRun MeasurePick(const fs::path& hostFile, bool horizontal, bool click, const fs::path& runFolder,
                     int repeat) {
  WholeRun best;
  for (int i = 0; i < repeat; ++i) {
    fs::remove_all(runFolder);
    fs::create_directories(runFolder);
    fs::create_hard_link(hostFile, runFolder / "JWC_TEMP.TXT");
    std::vector<std::string> argv = {ORVANE_HEADLESS_PROGRAM, click ? "--click" : "--pick", runFolder.string()};
    if (horizontal) argv.insert(argv.begin() + 1, "--horizontal");
    const ChildRun run = RunChild(argv);
    std::string answer(64, '\0');
    std::ifstream(runFolder / "JWC_TEMP.TXT", std::ios::binary).read(answer.data(), 64);
    const bool continued = answer.rfind(horizontal ? "h/vk47_Orvane_h.bat\r\n" : "h/vk47_Orvane.bat\r\n", 0) == 0;
    best.Succeeded = best.Succeeded && run.Succeeded && continued;
    best.RunSeconds = i == 0 ? run.Seconds : std::min(best.RunSeconds, run.Seconds);
    best.PeakMiB = std::max(best.PeakMiB, run.PeakMiB);
  }
  fs::remove_all(runFolder);
  return best;
}

// The floor of a run over the file (see Floor), as a child: the least time of
// `repeat` runs.
ChildRun MeasureFloor(const fs::path& hostFile, double mebibytes, int repeat) {
  ChildRun best;
  for (int i = 0; i < repeat; ++i) {
    const ChildRun run = RunChild({"/proc/self/exe", "--floor", hostFile.string(), std::to_string(mebibytes)});
    if (!run.Succeeded) return run;
    if (i == 0 || run.Seconds < best.Seconds) best = run;
  }
  return best;
}

// Takes `mebibytes` of fresh memory in blocks of 64 KiB, as the record lists
// take theirs, and writes each byte once.
std::vector<std::unique_ptr<char[]>> TakeFreshMemory(double mebibytes) {
  const auto blocks = static_cast<std::size_t>(mebibytes * 16);
  std::vector<std::unique_ptr<char[]>> taken;
  taken.reserve(blocks);
  for (std::size_t i = 0; i < blocks; ++i) {
    taken.push_back(std::make_unique_for_overwrite<char[]>(64 * 1024));
    std::memset(taken.back().get(), 1, 64 * 1024);
  }
  return taken;
}

// The least time, of three, to take `mebibytes` of fresh memory in blocks of
// 64 KiB and write each byte once: what the records of a run cost before a
// byte of the file is read.
double TouchSeconds(double mebibytes) {
  double best = 0;
  for (int round = 0; round < 3; ++round) {
    const double start = WallSeconds();
    const std::vector<std::unique_ptr<char[]>> taken = TakeFreshMemory(mebibytes);
    const double seconds = WallSeconds() - start;
    benchmark::DoNotOptimize(taken.data());
    best = round == 0 ? seconds : std::min(best, seconds);
  }
  return best;
}

void PrintWholeRun(const char* name, double bytes, const WholeRun& r) {
  std::printf("%-28s %8.1f %9.1f %10.1f %7.2f %9.1f %8.1f%s\n", name, bytes / 1e6, r.WcSeconds * 1e3,
              r.RunSeconds * 1e3, r.RunSeconds / r.WcSeconds, bytes / 1e6 / r.RunSeconds, r.PeakMiB,
              r.Succeeded ? "" : "  (a run failed)");
}

// The floor (this program started with --floor FILE MIB): reads the file in
// pieces of 256 KiB and counts its line ends in a second thread while this
// one takes and writes MIB of fresh memory in blocks of 64 KiB; then gives it
// all back and ends. Exit status 0 when the file was read and held a line end.
int Floor(const char* path, double mebibytes) {
  std::size_t lineEnds = 0;
  bool read = false;
  std::thread reader([&] {
    const int fd = open(path, O_RDONLY);
    if (fd < 0) return;
    const auto piece = std::make_unique_for_overwrite<char[]>(256 * 1024);
    ssize_t got = 0;
    while ((got = ::read(fd, piece.get(), 256 * 1024)) > 0) {
      const char* p = piece.get();
      const char* const end = p + got;
      while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)))) != nullptr) {
        ++lineEnds;
        ++p;
      }
    }
    read = got == 0;
    close(fd);
  });
  const std::vector<std::unique_ptr<char[]>> taken = TakeFreshMemory(mebibytes);
  reader.join();
  benchmark::DoNotOptimize(taken.data());
  return read && lineEnds > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::strcmp(argv[1], "--launch") == 0) return Launch(argc, argv);
  if (argc == 4 && std::strcmp(argv[1], "--floor") == 0) return Floor(argv[2], std::atof(argv[3]));
  int sizeMb = 50;
  int wholeRuns = 5;
  int pickMb = 20;
  std::string keep;
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--size-mb=", 10) == 0) {
      sizeMb = std::max(1, std::atoi(argv[i] + 10));
    } else if (std::strncmp(argv[i], "--whole-runs=", 13) == 0) {
      wholeRuns = std::max(0, std::atoi(argv[i] + 13));
    } else if (std::strncmp(argv[i], "--pick-mb=", 10) == 0) {
      pickMb = std::max(0, std::atoi(argv[i] + 10));
    } else if (std::strncmp(argv[i], "--keep=", 7) == 0) {
      keep = argv[i] + 7;
    } else {
      args.push_back(argv[i]);
    }
  }
  int benchArgc = static_cast<int>(args.size());
  benchmark::Initialize(&benchArgc, args.data());
  if (benchmark::ReportUnrecognizedArguments(benchArgc, args.data())) return 1;

  std::random_device entropy;
  const fs::path folder =
      keep.empty() ? fs::temp_directory_path() / ("orvane-bench-" + std::to_string(entropy())) : fs::path(keep);
  fs::create_directories(folder);

  const std::string bytes = FileWriter(47).Generate(static_cast<std::size_t>(sizeMb) << 20);
  const fs::path small = folder / "JWC_TEMP.TXT";
  const fs::path large = folder / "JWC_TEMP_4x.TXT";
  WriteBytes(small, bytes, 1);
  WriteBytes(large, bytes, 4);

  const std::string smallName = "ReadExchangeFile/" + std::to_string(sizeMb) + "MB";
  const std::string largeName = "ReadExchangeFile/" + std::to_string(4 * sizeMb) + "MB";
  // A large file is read only a few times in Google Benchmark's default half
  // second; reading for two seconds evens out the load of a shared machine.
  const double readSeconds = sizeMb >= 16 ? 2.0 : 0.01;
  benchmark::RegisterBenchmark(smallName.c_str(), ReadBenchmark, small, bytes.size(), true)
      ->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(readSeconds);
  benchmark::RegisterBenchmark((smallName + "/one_thread").c_str(), ReadBenchmark, small, bytes.size(), false)
      ->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(readSeconds);
  benchmark::RegisterBenchmark(("LineSplit/" + std::to_string(sizeMb) + "MB").c_str(), SplitBenchmark, &bytes)
      ->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark(largeName.c_str(), ReadBenchmark, large, 4 * bytes.size(), true)
      ->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(readSeconds);

  const std::string splitName = "LineSplit/" + std::to_string(sizeMb) + "MB";
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const RatioReporter::Times t1 = reporter.Of(smallName), t4 = reporter.Of(largeName);
  const RatioReporter::Times split = reporter.Of(splitName);
  const RatioReporter::Times oneThread = reporter.Of(smallName + "/one_thread");
  const double megabytes = static_cast<double>(bytes.size()) / 1e6;
  if (t1.Real > 0) {
    std::printf("%s: %.0f MB/s (10^6 bytes; target 450)", smallName.c_str(), megabytes / t1.Real);
    if (oneThread.Real > 0) std::printf(", in one thread %.0f MB/s", megabytes / oneThread.Real);
    if (split.Real > 0)
      std::printf(", %s: %.0f MB/s, the read takes %.2f times the split", splitName.c_str(),
                  megabytes / split.Real, t1.Real / split.Real);
    std::printf("\n");
  }
  if (t1.Real > 0 && t4.Real > 0) {
    // On a machine shared with other work the wall-clock ratio carries their
    // load too; the processor-time ratio shows the reader's own scaling.
    std::printf("read time ratio %s / %s: %.2f wall clock, %.2f processor time (linear: 4, limit 4.5)\n",
                largeName.c_str(), smallName.c_str(), t4.Real / t1.Real, t4.Cpu / t1.Cpu);
  }
  benchmark::Shutdown();

  bool wholeRunsSucceeded = true;
  if (wholeRuns > 0) {
    const fs::path settings = folder / "vk38.dat";
    std::ofstream(settings, std::ios::binary) << kSettings;
    std::printf("\nwhole runs, best of %d (wall clock)\n", wholeRuns);
    std::printf("%-28s %8s %9s %10s %7s %9s %8s\n", "orvane-headless --cancel", "file MB", "wc -l ms",
                "run ms", "run/wc", "run MB/s", "peak MiB");
    const double smallBytes = static_cast<double>(bytes.size());
    const WholeRun r1 = MeasureWholeRun(small, settings, folder / "run", wholeRuns);
    PrintWholeRun((std::to_string(sizeMb) + " MB").c_str(), smallBytes, r1);
    const WholeRun r4 = MeasureWholeRun(large, settings, folder / "run", wholeRuns);
    PrintWholeRun((std::to_string(4 * sizeMb) + " MB").c_str(), 4 * smallBytes, r4);
    wholeRunsSucceeded = r1.Succeeded && r4.Succeeded;
    std::printf("whole run time ratio %d MB / %d MB: %.2f (linear: 4, limit 4.5); run / wc -l at %d MB: %.2f "
                "(limit 8)\n",
                4 * sizeMb, sizeMb, r4.RunSeconds / r1.RunSeconds, sizeMb, r1.RunSeconds / r1.WcSeconds);
    const double touch = TouchSeconds(r1.PeakMiB);
    std::printf("first use of %.0f MiB of fresh memory (the run's peak) in 64 KiB blocks, here: %.1f ms, "
                "%.2f times wc -l\n",
                r1.PeakMiB, touch * 1e3, touch / r1.WcSeconds);
    const ChildRun floor = MeasureFloor(small, r1.PeakMiB, wholeRuns);
    wholeRunsSucceeded = wholeRunsSucceeded && floor.Succeeded;
    std::printf("floor of a run, here: reading the %d MB file beside that first use, no line split or applied: "
                "%.1f ms, %.2f times wc -l\n",
                sizeMb, floor.Seconds * 1e3, floor.Seconds / r1.WcSeconds);
  }

  if (wholeRuns > 0 && pickMb > 0) {
    const HostDrawnPlan plan = DrawHostPlan(static_cast<std::size_t>(pickMb) << 20);
    std::printf("\nwhole picks (range, one click) of one chain in a host-drawn plan, best of %d "
                "(wall clock; limit 1 s)\n",
                wholeRuns);
    std::printf("%-28s %8s %10s %10s %10s %8s\n", "orvane-headless --pick", "file MB", "lines", "values",
                "run ms", "peak MiB");
    for (const bool horizontal : {false, true}) {
      const fs::path hostFile = folder / (horizontal ? "PICK_H.TXT" : "PICK_V.TXT");
      for (const bool click : {false, true}) {
        const std::string bytes = click ? plan.ClickPick(horizontal) : plan.RangePick(horizontal);
        WriteBytes(hostFile, bytes, 1);
        const WholeRun r = MeasurePick(hostFile, horizontal, click, folder / "run", wholeRuns);
        const char* name = click ? (horizontal ? "  --horizontal --click" : "  --click")
                                 : (horizontal ? "  --horizontal" : "  vertical");
        std::printf("%-28s %8.1f %10zu %10zu %10.1f %8.1f%s\n", name, static_cast<double>(bytes.size()) / 1e6,
                    plan.Lines, plan.Values, r.RunSeconds * 1e3, r.PeakMiB,
                    r.Succeeded ? (r.RunSeconds < 1 ? "" : "  (over a second)") : "  (no chain continued)");
        wholeRunsSucceeded = wholeRunsSucceeded && r.Succeeded;
      }
    }
  }

  if (keep.empty()) {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  return wholeRunsSucceeded ? 0 : 1;
}

// Throughput of the exchange file reader.
//
// Generates, in a fresh temporary folder, an exchange file of a realistic mix
// (host settings, attribute lines, picked points, line segments, polylines,
// circles, arcs, texts with Japanese, points, dimension groups) and measures
// in one run:
//   ReadExchangeFile/<n>MB   reading the file into the host drawing state;
//   LineSplit/<n>MB          splitting the same bytes (held in memory) into
//                            lines and tokens, without applying them;
//   ReadExchangeFile/<4n>MB  the same content four times over.
// At the end it prints the time ratio of the large and the small read, which
// stays near 4 when reading is linear in the size of the file.
//
// Options besides Google Benchmark's own: --size-mb=<n> (default 50).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

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

void ReadBenchmark(benchmark::State& state, fs::path path, std::size_t bytes) {
  for (auto _ : state) {
    ResetHostState();
    StandardFileSystem files;
    if (!ReadExchangeFile(files, path)) state.SkipWithError("the file could not be read");
    benchmark::DoNotOptimize(HostState.EntityOrder.Count());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["entities"] = static_cast<double>(HostState.EntityOrder.Count());
  ResetHostState();
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

}  // namespace

int main(int argc, char** argv) {
  int sizeMb = 50;
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--size-mb=", 10) == 0) {
      sizeMb = std::max(1, std::atoi(argv[i] + 10));
    } else {
      args.push_back(argv[i]);
    }
  }
  int benchArgc = static_cast<int>(args.size());
  benchmark::Initialize(&benchArgc, args.data());
  if (benchmark::ReportUnrecognizedArguments(benchArgc, args.data())) return 1;

  std::random_device entropy;
  const fs::path folder = fs::temp_directory_path() / ("orvane-bench-" + std::to_string(entropy()));
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
  benchmark::RegisterBenchmark(smallName.c_str(), ReadBenchmark, small, bytes.size())
      ->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(readSeconds);
  benchmark::RegisterBenchmark(("LineSplit/" + std::to_string(sizeMb) + "MB").c_str(), SplitBenchmark, &bytes)
      ->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark(largeName.c_str(), ReadBenchmark, large, 4 * bytes.size())
      ->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(readSeconds);

  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const RatioReporter::Times t1 = reporter.Of(smallName), t4 = reporter.Of(largeName);
  if (t1.Real > 0 && t4.Real > 0) {
    // On a machine shared with other work the wall-clock ratio carries their
    // load too; the processor-time ratio shows the reader's own scaling.
    std::printf("read time ratio %s / %s: %.2f wall clock, %.2f processor time (linear: 4, limit 4.5)\n",
                largeName.c_str(), smallName.c_str(), t4.Real / t1.Real, t4.Cpu / t1.Cpu);
  }
  benchmark::Shutdown();

  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return 0;
}

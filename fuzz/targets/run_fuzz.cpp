// Whole runs on any pair of files: a host file and a vk38.dat, separated in
// the input by the line "@@vk38.dat@@" (the host file alone runs with the
// stored chain of the shipped example). A first byte from 0x01 to the number
// of run modes less one (dropped from the host file) starts the program as
// the launcher of that run mode does ("/new", "/pick", "/click", "/h", ...),
// in the order of RunModes(), with the settings file as its
// own; any other input continues the stored chain. The dialog is shown,
// OK is pressed through the headless front end and the dialog closes. Then:
//  - every line the program buffered for the host holds at most 255 bytes,
//    and JWC_TEMP.TXT holds exactly those lines as the writer joins them;
//  - every number in them is a well-formed number, and the file parses back
//    with the reader into a consistent state in which every line segment and
//    point marker of the construction carries its "z3" flag;
//  - the settings file still exists and is either unchanged or a saved file of 31
//    lines; nothing else is left in the program folder;
//  - a chain found in the selection, or from the clicked line, has finite
//    ends, in order along the axis, and its length between them.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/DialogModel.h"
#include "dimension/OkPlan.h"
#include "dimension/PickedChain.h"
#include "dimension/RunModes.h"
#include "app/ProgramRun.h"
#include "exchange/ExchangeReader.h"
#include "exchange/HostState.h"
#include "exchange/OutputWriter.h"
#include "frontends/headless/HeadlessRun.h"
#include "support/Check.h"
#include "files/MemoryFileSystem.h"
#include "support/References.h"
#include "support/StateChecks.h"

namespace fs = std::filesystem;
using fuzz_support::Quoted;

namespace {

constexpr std::string_view kSeparator = "\n@@vk38.dat@@\n";

// The stored chain of the shipped example (continue_chain).
constexpr std::string_view kExampleSettings =
    "200\r\n150\r\n0\r\n0\r\n0\r\n0\r\n2\r\n1\r\n\r\n\r\n0.5\r\n2\r\n2\r\n3\r\n15\r\n2\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n"
    "2\r\n50\r\n0\r\n0\r\n0\r\n0\r\n3000\r\n-1500\r\n1000\r\n";

// WriteOutputFile's rule: CR LF after each line, except that a line ending
// in a double quote runs into the next one.
std::string Joined(const std::vector<std::string>& lines) {
  if (lines.empty()) return "hq\r\n";
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    out += lines[i];
    if (!lines[i].empty() && lines[i].back() == '"') {
      if (i + 1 == lines.size()) return out;
      out += lines[++i];
    }
    out += "\r\n";
  }
  return out;
}

// The numbers of a command line (the part before a text's quote): every
// token but the keyword must be a well-formed number.
void CheckNumbers(const std::string& line) {
  const std::string_view commands(line.data(), std::min(line.find('"'), line.size()));
  static std::vector<std::string_view> tokens;  // kept from line to line: no new storage for each
  tokens.clear();
  std::size_t start = 0;
  while (start <= commands.size()) {
    const std::size_t end = std::min(commands.find(' ', start), commands.size());
    if (end > start) tokens.push_back(commands.substr(start, end - start));
    start = end + 1;
  }
  if (tokens.empty()) return;
  const std::string_view keyword = tokens[0];
  const bool numbersFollow = keyword == "pt" || keyword == "cn0" || (keyword.size() == 2 && keyword[0] == 'c' &&
                                                                        line.find('"') != std::string::npos);
  const bool allNumbers = tokens.size() == 4 && line.find('"') == std::string::npos &&
                          (keyword[0] == '-' || (keyword[0] >= '0' && keyword[0] <= '9'));
  if (!numbersFollow && !allNumbers) return;
  for (std::size_t i = allNumbers ? 0 : 1; i < tokens.size(); ++i) {
    FUZZ_CHECK(fuzz_support::MatchesRealGrammar(tokens[i]) && tokens[i].find('e') == std::string_view::npos &&
                   tokens[i].find('+') == std::string_view::npos,
               "malformed number in " + Quoted(line));
  }
}

std::size_t CountLines(const std::string& text) {
  std::size_t count = 0;
  for (std::size_t i = text.find("\r\n"); i != std::string::npos; i = text.find("\r\n", i + 2)) ++count;
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The fuzzing build re-encodes the program's texts itself; a wrong
  // conversion would make every message and font name wrong.
  FUZZ_CHECK(std::string(DialogTexts::MessageTitle) == "\x8A\x6D\x94\x46", "texts are not Shift-JIS in this build");
  return 0;
}

namespace {

// The run mode the first byte asks for (byte n stands for mode n of
// RunModes()), and the input without that byte.
const RunMode& TakeMode(std::string_view& input) {
  const std::vector<RunMode>& modes = RunModes();
  const std::size_t row = input.empty() ? 0 : static_cast<unsigned char>(input[0]);
  if (row == 0 || row >= modes.size()) return modes.front();
  input.remove_prefix(1);
  return modes[row];
}

// The chain the selection holds, found again in the host file alone.
void CheckPickedChain(MemoryFileSystem& files, const fs::path& exchange, const RunMode& mode) {
  HostState host;
  ResetHostState(host);
  ReadExchangeFile(files, exchange, host);
  const bool clicked = mode.Chain == ChainSource::Click;
  const ChainSearch search = SearchDrawnChain(host, mode);
  std::size_t dimensionLines = 0;
  for (const SeenLine& line : search.Lines) {
    for (const double v : {line.Lower.X, line.Lower.Y, line.Upper.X, line.Upper.Y})
      FUZZ_CHECK(std::isfinite(v), "a line along the axis has an end that is not finite");
    if (line.Dimension) ++dimensionLines;
  }
  const std::optional<PickedChain>& chain = search.Chain;
  if (clicked) {
    // The clicked line's chain, or none with the clicked line named.
    FUZZ_CHECK(chain.has_value() == (search.Clicked == ClickedLine::DimensionLine),
               "a clicked chain is not told as a dimension line");
    FUZZ_CHECK(!chain || dimensionLines > 0, "a clicked chain among no dimension lines");
  } else {
    FUZZ_CHECK(chain.has_value() == (dimensionLines > 0), "a dimension line was found but no chain");
  }
  if (!chain) {
    FUZZ_CHECK(!DrawnChainRefusal(search, mode).empty(), "a refusal without a message");
    return;
  }
  FUZZ_CHECK(search.Nearest < search.Lines.size() && search.Lines[search.Nearest].Dimension,
             "the chain is not one of the dimension lines");
  FUZZ_CHECK(chain->DimensionLines == dimensionLines, "the chain counts the dimension lines wrong");
  for (const double v : {chain->Lower.X, chain->Lower.Y, chain->Upper.X, chain->Upper.Y})
    FUZZ_CHECK(std::isfinite(v), "a picked chain's end is not finite");
  FUZZ_CHECK(chain->LowerLevel <= chain->UpperLevel && chain->Length >= 0,
             "a picked chain's ends are not in order along the axis");
  FUZZ_CHECK(chain->FreeBelow <= chain->LowerLevel && chain->UpperLevel <= chain->FreeAbove,
             "another dimension line on the chain's line overlaps it");
}

// A run at the quick pace: no dialog, and an answer of the drawn lines with
// one notice line last, or one error line and the settings file untouched.
void CheckQuickRun(MemoryFileSystem& files, const RunMode& mode, std::string_view settings) {
  const fs::path folder = "/program";
  headless::RunOptions options;
  options.Files = &files;
  options.Mode = &mode;
  const headless::RunResult result = headless::RunOnce(folder, options);
  FUZZ_CHECK(result.Transcript.empty(), "a run at the quick pace showed something");
  FUZZ_CHECK(result.Quick && result.Quick->Answered, "a quick run did not answer");
  const auto written = files.FileContent(folder / "JWC_TEMP.TXT");
  FUZZ_CHECK(written.has_value(), "no exchange file after the run");
  const auto after = files.FileContent(folder / mode.SettingsFile);
  FUZZ_CHECK(after.has_value(), "the settings file is gone");
  if (result.Quick->Drawn) {
    FUZZ_CHECK(written->starts_with("hr\r\n"), "a drawn quick answer without its hand-over first");
    const std::size_t notice = written->rfind("\r\nh#");
    FUZZ_CHECK(notice != std::string::npos && written->find("\r\n", notice + 2) + 2 == written->size(),
               "a drawn quick answer without one notice line last: " + Quoted(*written));
    FUZZ_CHECK(CountLines(*after) == 31, "the settings file is not 31 lines: " + Quoted(*after));
  } else {
    FUZZ_CHECK(written->starts_with("he") && written->find("\r\n") + 2 == written->size(),
               "a refused quick run answers more than one error line: " + Quoted(*written));
    FUZZ_CHECK(*after == settings, "a refused quick run changed the settings file");
  }
  HostState answer;
  ResetHostState(answer);
  FUZZ_CHECK(ReadExchangeFile(files, folder / "JWC_TEMP.TXT", answer).Ok(),
             "the written file cannot be read back");
  FUZZ_CHECK(files.Paths().size() == 2, "files left beside the program: " + std::to_string(files.Paths().size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const RunMode& mode = TakeMode(input);
  const std::size_t split = input.find(kSeparator);
  const std::string_view host = input.substr(0, split);
  const std::string_view settings =
      split == std::string_view::npos ? kExampleSettings : input.substr(split + kSeparator.size());

  // The program folder in memory: the run's time goes to the program, not to
  // the disk.
  static const fs::path folder = "/program";
  static const fs::path exchange = folder / "JWC_TEMP.TXT";
  const fs::path stored = folder / mode.SettingsFile;
  MemoryFileSystem files;
  files.PutFile(exchange, std::string(host));
  files.PutFile(stored, std::string(settings));

  if (mode.ChainFromDrawing())
    CheckPickedChain(files, exchange, mode);

  if (!mode.ShowsDialog) {
    CheckQuickRun(files, mode, settings);
    return 0;
  }

  std::vector<std::string> buffered;
  headless::RunOptions options;
  options.Files = &files;
  options.Mode = &mode;
  options.Action = headless::FinishAction::Ok;
  // Keeps the buffered lines at the close, before the close sequence writes
  // and releases them.
  options.BeforeAction = [&buffered](headless::HeadlessUi& ui, ProgramRun& run) {
    ui.SetCloseHandler([&buffered, &run] {
      const auto& lines = run.Output().Lines;
      buffered.reserve(lines.Count());
      for (std::size_t i = 0; i < lines.Count(); ++i) buffered.push_back(lines[i]);
      run.Close();
    });
  };
  const headless::RunResult result = headless::RunOnce(folder, options);
  FUZZ_CHECK(!result.Transcript.empty() && result.Transcript.back().Kind == headless::EventKind::Closed,
             "the run did not end with the close");

  bool text = false;  // the line after a text command is the text itself
  for (const std::string& line : buffered) {
    FUZZ_CHECK(line.size() <= 255, "buffered line of " + std::to_string(line.size()) + " bytes: " + Quoted(line));
    if (text) {
      text = false;
      continue;
    }
    CheckNumbers(line);
    text = !line.empty() && line.back() == '"';
  }
  const auto written = files.FileContent(exchange);
  FUZZ_CHECK(written.has_value(), "no exchange file after the run");
  if (!result.Refused) FUZZ_CHECK(*written == Joined(buffered), "the exchange file is not the buffered lines: " + Quoted(*written));

  // The host reads the answer back.
  HostState answer;
  ResetHostState(answer);
  FUZZ_CHECK(ReadExchangeFile(files, exchange, answer).Ok(), "the written file cannot be read back");
  fuzz_support::CheckHostStateInvariants(answer);
  for (std::size_t i = 0; i < answer.Lines.Count(); ++i)
    FUZZ_CHECK((answer.Lines[i].Attr.Flags & 4) != 0, "a line segment without its z3 flag: " + Quoted(*written));
  for (std::size_t i = 0; i < answer.ExtendedPoints.Count(); ++i)
    FUZZ_CHECK((answer.ExtendedPoints[i].Attr.Flags & 4) != 0, "a point marker without its z3 flag: " + Quoted(*written));

  const auto after = files.FileContent(stored);
  FUZZ_CHECK(after.has_value(), "the settings file is gone");
  FUZZ_CHECK(*after == settings || (CountLines(*after) == 31 && std::count(after->begin(), after->end(), '\n') == 31),
             "the settings file is neither unchanged nor 31 lines: " + Quoted(*after));
  FUZZ_CHECK(files.Paths().size() == 2, "files left beside the program: " + std::to_string(files.Paths().size()));
  return 0;
}

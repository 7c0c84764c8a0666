// Whole exchange files: ReadExchangeFile on a file (held in memory, so that
// the target spends its time in the reader) must give exactly the state that
// applying the file's lines one by one gives, and a consistent one.
//
// Besides, one input in four takes each of two further ways through the
// reader, which must read alike too: the file read in small blocks (of sizes
// taken from the input, so that block boundaries fall anywhere: between
// lines, inside a line, a number, a CR LF pair or a double-byte character),
// and the same bytes fed to the parser in small pieces. One input in 64 is
// read in blocks whose lines a second thread splits ahead.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "exchange/ExchangeReader.h"
#include "exchange/HostState.h"
#include "files/MemoryFileSystem.h"
#include "support/Check.h"
#include "support/StateChecks.h"

namespace {

// The lines of the file applied one by one: LF ends a line, a CR before it
// belongs to the line end, and a last line needs no line end.
void ApplyLineByLine(std::string_view content, HostState& host) {
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    const bool last = end == std::string_view::npos;
    if (last) end = content.size();
    std::string_view line = content.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ParseExchangeLine(line, host);
    start = end + 1;
  }
}

// After another way of reading the content: the state must be the one read
// from the file; otherwise the failure shows both, readably.
void ExpectReadAlike(const HostState& read, const std::string& fromFile, std::string_view content,
                     const std::string& how) {
  if (fuzz_support::DescribeHostState(read, false) == fromFile) return;
  const std::string other = fuzz_support::DescribeHostState(read);
  HostState lines;
  ResetHostState(lines);
  ApplyLineByLine(content, lines);
  FUZZ_CHECK(false, "the content " + how + " reads differently from its lines:\n--- " + how + other + "\n--- lines" +
                        fuzz_support::DescribeHostState(lines));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  const std::filesystem::path path = "/program/JWC_TEMP.TXT";
  MemoryFileSystem files;
  files.PutFile(path, std::string(content));

  HostState host;
  ResetHostState(host);
  FUZZ_CHECK(ReadExchangeFile(files, path, host).Ok(), "a readable file was not read to its end");
  fuzz_support::CheckHostStateInvariants(host);
  const std::string fromFile = fuzz_support::DescribeHostState(host, false);

  ResetHostState(host);
  ApplyLineByLine(content, host);
  ExpectReadAlike(host, fromFile, content, "line by line");

  const unsigned way = size == 0 ? 255 : data[size - 1] % 64;
  if (way < 16) {
    // In blocks of 1 to 97 bytes in this thread, or (way 0) split ahead in a
    // second thread, in at most eight blocks: starting a thread costs as much
    // as dozens of inputs, and each block handed from one thread to the other
    // costs more than splitting it.
    const bool ahead = way == 0;
    const std::size_t piece = 1 + static_cast<std::size_t>(data[0]) % 97;
    const BlockPlan plan{ahead ? std::max(piece, size / 8) : piece, ahead};
    ResetHostState(host);
    FUZZ_CHECK(ReadExchangeFrom(*files.OpenForReading(path).Reader, plan, host).Ok(), "a readable file was not read to its end");
    ExpectReadAlike(host, fromFile, content,
                    "in blocks of " + std::to_string(plan.PieceBytes) + (plan.SplitAhead ? ", split ahead" : ""));
  } else if (way < 32) {
    // Fed to the parser in pieces of 1 to 64 bytes.
    ResetHostState(host);
    ExchangeParser parser(host);
    for (std::size_t at = 0, i = 0; at < content.size(); ++i) {
      const std::size_t piece = std::min<std::size_t>(1 + data[i % size] % 64, content.size() - at);
      parser.Feed(content.data() + at, piece);
      at += piece;
    }
    parser.Finish();
    ExpectReadAlike(host, fromFile, content, "in pieces");
  }
  return 0;
}

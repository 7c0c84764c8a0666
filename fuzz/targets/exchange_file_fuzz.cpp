// Whole exchange files: ReadExchangeFile on a file (held in memory, so that
// the target spends its time in the reader) must give exactly the
// state that applying the file's lines one by one gives, and a consistent
// one. One input in 128 is placed behind a run of blanks so that the
// reader's chunk boundary falls inside it, either between lines or inside a
// line that spans two chunks (fewer, because each costs a quarter megabyte
// of reading). The same bytes fed to the parser in small pieces of sizes
// taken from the input must read alike too, and so must the file read in
// small blocks whose lines a second thread splits.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "exchange/ExchangeReader.h"
#include "exchange/HostState.h"
#include "support/Check.h"
#include "files/MemoryFileSystem.h"
#include "support/StateChecks.h"

namespace {

// The size of the pieces in which the reader reads its file.
constexpr std::size_t kReaderChunk = 256 * 1024;

std::string FileFor(std::string_view data) {
  std::string content;
  const std::size_t mode = data.size() % 256;
  if (data.empty() || (mode != 1 && mode != 2)) return std::string(data);
  // The chunk boundary falls on byte `at` of the input.
  const std::size_t at = (static_cast<unsigned char>(data[0]) * 131u + data.size()) % data.size();
  if (mode == 1) {
    content.assign(kReaderChunk - at - 1, ' ');  // a blank line, then the input
    content += '\n';
  } else {
    content.assign(kReaderChunk - at, ' ');  // leading blanks of the first line
  }
  content += data;
  return content;
}

// The lines of the file applied one by one: LF ends a line, a CR before it
// belongs to the line end, and a last line needs no line end.
void ApplyLineByLine(std::string_view content) {
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    const bool last = end == std::string_view::npos;
    if (last) end = content.size();
    std::string_view line = content.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ParseExchangeLine(line);
    start = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string content = FileFor(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::filesystem::path path = "/program/JWC_TEMP.TXT";
  MemoryFileSystem files;
  files.PutFile(path, content);

  ResetHostState();
  FUZZ_CHECK(ReadExchangeFile(files, path), "a readable file was not read to its end");
  fuzz_support::CheckHostStateInvariants();
  const std::string fromFile = fuzz_support::DescribeHostState(false);

  ResetHostState();
  ApplyLineByLine(content);
  if (fuzz_support::DescribeHostState(false) != fromFile) {
    // Described again, readably, for the report.
    const std::string lineByLine = fuzz_support::DescribeHostState();
    ResetHostState();
    ReadExchangeFile(files, path);
    FUZZ_CHECK(false, "the file reads differently from its lines:\n--- file" + fuzz_support::DescribeHostState() +
                          "\n--- lines" + lineByLine);
  }

  if (size > 0 && data[size - 1] % 8 == 0) {
    // One input in eight is read in small blocks, split one ahead in a second
    // thread.
    ResetHostState();
    const BlockPlan plan{1 + static_cast<std::size_t>(data[0]) % 97, true};
    FUZZ_CHECK(ReadExchangeFrom(*files.OpenForReading(path), plan), "a readable file was not read to its end");
    if (fuzz_support::DescribeHostState(false) != fromFile) {
      const std::string ahead = fuzz_support::DescribeHostState();
      ResetHostState();
      ApplyLineByLine(content);
      FUZZ_CHECK(false, "the file split ahead in blocks of " + std::to_string(plan.PieceBytes) +
                            " reads differently from its lines:\n--- blocks" + ahead + "\n--- lines" +
                            fuzz_support::DescribeHostState());
    }
  }

  if (size > 0 && content.size() < 65536) {
    ResetHostState();
    ExchangeParser parser;
    for (std::size_t at = 0, i = 0; at < content.size(); ++i) {
      const std::size_t piece = std::min<std::size_t>(1 + data[i % size] % 64, content.size() - at);
      parser.Feed(content.data() + at, piece);
      at += piece;
    }
    parser.Finish();
    if (fuzz_support::DescribeHostState(false) != fromFile) {
      const std::string inPieces = fuzz_support::DescribeHostState();
      ResetHostState();
      ApplyLineByLine(content);
      FUZZ_CHECK(false, "the bytes read in pieces differ from the lines:\n--- pieces" + inPieces +
                            "\n--- lines" + fuzz_support::DescribeHostState());
    }
  }
  FreeHostState();
  return 0;
}

// One exchange file line: the tokenizer against the reference rules, its
// numbers against the digit-by-digit reading of the reference tokens (also
// when the line lies in a buffer with bytes after it, as in a piece of a
// file), then the line applied to a fresh host drawing state, which must stay
// consistent.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/ExchangeReader.h"
#include "exchange/HostState.h"
#include "exchange/LineTokenizer.h"
#include "helpers/NumberParse.h"
#include "support/Check.h"
#include "support/References.h"
#include "support/StateChecks.h"

using fuzz_support::Bits;
using fuzz_support::Quoted;

namespace {

// The tokens and numbers of the line when the bytes `after` follow it in the
// same buffer and may be read.
void CheckWithBytesAfter(std::string_view line, const std::vector<std::string>& expected, std::string_view after) {
  const std::string buffer = std::string(line) + std::string(after);
  LineTokenizer tokenizer;
  const int count = tokenizer.Split(std::string_view(buffer.data(), line.size()), buffer.data() + buffer.size());
  FUZZ_CHECK(count == static_cast<int>(expected.size()), "line " + Quoted(std::string(line)) + " followed by " +
                                                             Quoted(std::string(after)) + " miscounts");
  for (int i = 0; i < count; ++i) {
    const std::string& token = expected[static_cast<std::size_t>(i)];
    FUZZ_CHECK(tokenizer[i] == token, "token " + std::to_string(i) + " of " + Quoted(std::string(line)) +
                                          " followed by " + Quoted(std::string(after)) + " is " +
                                          Quoted(std::string(tokenizer[i])));
    FUZZ_CHECK(Bits(tokenizer.Number(i)) == Bits(StrToFloatOrZeroByDigits(token)),
               "number of token " + Quoted(token) + " of " + Quoted(std::string(line)) + " followed by " +
                   Quoted(std::string(after)));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);

  LineTokenizer tokenizer;
  const int count = tokenizer.Split(line);
  const std::vector<std::string> expected = fuzz_support::ReferenceTokens(line);
  FUZZ_CHECK(count == static_cast<int>(expected.size()) && count == tokenizer.Count(),
             "line " + Quoted(std::string(line)) + " split into " + std::to_string(count) + " tokens, expected " +
                 std::to_string(expected.size()));
  for (int i = 0; i < count; ++i) {
    const std::string& token = expected[static_cast<std::size_t>(i)];
    FUZZ_CHECK(tokenizer[i] == token, "token " + std::to_string(i) + " of " + Quoted(std::string(line)) + " is " +
                                          Quoted(std::string(tokenizer[i])) + ", expected " + Quoted(token));
    // The number read on the way, or later, is the token's own reading.
    FUZZ_CHECK(Bits(tokenizer.Number(i)) == Bits(StrToFloatOrZeroByDigits(token)),
               "number of token " + std::to_string(i) + " " + Quoted(token) + " of " + Quoted(std::string(line)));
  }
  // Bytes after the line, as a file has them: its line end and the next line,
  // or digits that would continue a number if they were taken.
  CheckWithBytesAfter(line, expected, "\r\n12.5 7");
  CheckWithBytesAfter(line, expected, "0123456789012345678901234567890");
  FUZZ_CHECK(tokenizer[count].empty() && tokenizer[-1].empty() && tokenizer[LineTokenizer::kSlots].empty(),
             "a token beyond the count is not empty");

  // A second split with the same tokenizer (its buffer reused) must not be
  // disturbed by the first one.
  const int again = tokenizer.Split(line.substr(0, size / 2));
  const std::vector<std::string> half = fuzz_support::ReferenceTokens(line.substr(0, size / 2));
  FUZZ_CHECK(again == static_cast<int>(half.size()), "reused tokenizer miscounts");
  for (int i = 0; i < again; ++i) FUZZ_CHECK(tokenizer[i] == half[static_cast<std::size_t>(i)], "reused tokenizer");

  HostState host;
  ResetHostState(host);
  ParseExchangeLine(line, host);
  fuzz_support::CheckHostStateInvariants(host);
  return 0;
}

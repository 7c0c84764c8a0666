// One exchange file line: the tokenizer against the reference rules, then the
// line applied to a fresh host drawing state, which must stay consistent.
#include <cstdint>
#include <string>
#include <string_view>

#include "exchange/ExchangeReader.h"
#include "exchange/HostState.h"
#include "exchange/LineTokenizer.h"
#include "support/Check.h"
#include "support/References.h"
#include "support/StateChecks.h"

using fuzz_support::Quoted;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);

  LineTokenizer tokenizer;
  const int count = tokenizer.Split(line);
  const std::vector<std::string> expected = fuzz_support::ReferenceTokens(line);
  FUZZ_CHECK(count == static_cast<int>(expected.size()) && count == tokenizer.Count(),
             "line " + Quoted(std::string(line)) + " split into " + std::to_string(count) + " tokens, expected " +
                 std::to_string(expected.size()));
  for (int i = 0; i < count; ++i) {
    FUZZ_CHECK(tokenizer[i] == expected[static_cast<std::size_t>(i)],
               "token " + std::to_string(i) + " of " + Quoted(std::string(line)) + " is " +
                   Quoted(std::string(tokenizer[i])) + ", expected " + Quoted(expected[static_cast<std::size_t>(i)]));
  }
  FUZZ_CHECK(tokenizer[count].empty() && tokenizer[-1].empty() && tokenizer[LineTokenizer::kSlots].empty(),
             "a token beyond the count is not empty");

  // A second split with the same tokenizer (its buffer reused) must not be
  // disturbed by the first one.
  const int again = tokenizer.Split(line.substr(0, size / 2));
  const std::vector<std::string> half = fuzz_support::ReferenceTokens(line.substr(0, size / 2));
  FUZZ_CHECK(again == static_cast<int>(half.size()), "reused tokenizer miscounts");
  for (int i = 0; i < again; ++i) FUZZ_CHECK(tokenizer[i] == half[static_cast<std::size_t>(i)], "reused tokenizer");

  ResetHostState();
  ParseExchangeLine(line);
  fuzz_support::CheckHostStateInvariants();
  FreeHostState();
  return 0;
}

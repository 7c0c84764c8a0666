// The two number parsers against the slow references of their grammars: the
// same value, bit for bit, for any text.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "helpers/NumberParse.h"
#include "support/Check.h"
#include "support/References.h"

using fuzz_support::Bits;
using fuzz_support::Hex;
using fuzz_support::Quoted;

namespace {

void CheckBoth(std::string_view text) {
  const std::int32_t integer = StrToIntOrZero(text);
  const std::int32_t expectedInteger = fuzz_support::ReferenceInt(text);
  FUZZ_CHECK(integer == expectedInteger, "StrToIntOrZero(" + Quoted(std::string(text)) + ") = " +
                                             std::to_string(integer) + ", the grammar gives " +
                                             std::to_string(expectedInteger));
  const double real = StrToFloatOrZero(text);
  const double expectedReal = fuzz_support::ReferenceReal(text);
  FUZZ_CHECK(Bits(real) == Bits(expectedReal), "StrToFloatOrZero(" + Quoted(std::string(text)) + ") = " + Hex(real) +
                                                   ", the grammar gives " + Hex(expectedReal));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckBoth(text);
  // The same text as the exchange reader hands it over: a token never holds
  // control bytes, and its digits often follow a keyword ("lc12", "hp3ci").
  if (size > 2) CheckBoth(std::string_view(text).substr(2));
  return 0;
}

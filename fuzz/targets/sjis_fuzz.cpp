// The Shift-JIS helpers on any bytes: SjisCopy takes exactly the whole
// characters inside its window and never splits one; ToFullWidth turns text
// of whole characters into text of whole characters; StripBlanks and
// SjisTextWidth keep their promises.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "helpers/Sjis.h"
#include "support/Check.h"

using fuzz_support::Quoted;

namespace {

// The characters of the text as seen from its start: (position, length).
struct Character {
  std::size_t At;
  std::size_t Length;
};
std::vector<Character> Characters(std::string_view text) {
  std::vector<Character> characters;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t length = IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    characters.push_back({i, length});
    i += length;
  }
  return characters;
}

// A text of whole characters ends with a complete character.
bool EndsWhole(std::string_view text) {
  const std::vector<Character> characters = Characters(text);
  return characters.empty() || characters.back().At + characters.back().Length == text.size();
}

void CheckCopy(std::string_view text, int start, int count) {
  const SjisCopyResult result = SjisCopy(text, start, count);
  const auto where = [&] {
    return "SjisCopy(" + Quoted(std::string(text)) + ", " + std::to_string(start) + ", " + std::to_string(count) +
           ") = " + Quoted(result.Text);
  };
  FUZZ_CHECK(result.Taken == static_cast<int>(result.Text.size()), where() + ": bytes taken miscounted");
  // The reference: every character of the text (a cut one at the end counts
  // as two bytes wide) that lies wholly inside the window, in order.
  std::string expected;
  if (start >= 1 && count >= 1) {
    const long long first = start, last = static_cast<long long>(start) + count - 1;
    for (const Character& c : Characters(text)) {
      const long long from = static_cast<long long>(c.At) + 1;
      const long long to = from + (IsLeadByte(static_cast<unsigned char>(text[c.At])) ? 1 : 0);
      if (first <= from && to <= last) expected += text.substr(c.At, c.Length);
    }
  }
  FUZZ_CHECK(result.Text == expected, where() + ", expected " + Quoted(expected));
  // Never a split character: the result is a run of the text's own
  // characters, so it ends whole whenever the text does.
  if (EndsWhole(text)) FUZZ_CHECK(EndsWhole(result.Text), where() + ": a character was split");
}

void CheckFullWidth(std::string_view text) {
  const std::string full = ToFullWidth(text);
  const auto where = [&] { return "ToFullWidth(" + Quoted(std::string(text)) + ") = " + Quoted(full); };
  FUZZ_CHECK(full.size() <= 2 * text.size(), where() + ": more than two bytes for each byte");
  if (!EndsWhole(text)) return;
  FUZZ_CHECK(EndsWhole(full), where() + ": ends in a lone lead byte");
  // Whole characters in, whole characters out: no more characters come out
  // than go in (a voiced mark may join its kana), and a second conversion
  // changes nothing.
  FUZZ_CHECK(Characters(full).size() <= Characters(text).size(), where() + ": more characters than the text");
  FUZZ_CHECK(ToFullWidth(full) == full, where() + ": a second conversion changes it to " + Quoted(ToFullWidth(full)));
}

void CheckStripBlanks(std::string_view text) {
  const std::string stripped = StripBlanks(text);
  const auto where = [&] { return "StripBlanks(" + Quoted(std::string(text)) + ") = " + Quoted(stripped); };
  FUZZ_CHECK(stripped.size() <= text.size(), where());
  for (const Character& c : Characters(stripped)) {
    const auto b = static_cast<unsigned char>(stripped[c.At]);
    FUZZ_CHECK(c.Length == 2 || b > 0x20, where() + ": a blank or control byte is left");
    FUZZ_CHECK(!(c.Length == 2 && c.At + 1 < stripped.size() && b == 0x81 && stripped[c.At + 1] == 0x40),
               where() + ": a full-width space is left");
  }
  FUZZ_CHECK(StripBlanks(stripped) == stripped, where() + ": not stable");
}

void CheckWidth(std::string_view text, double width, double spacing) {
  const double w = SjisTextWidth(text, width, spacing);
  const double most = static_cast<double>(Characters(text).size()) * (width + spacing);
  FUZZ_CHECK(w >= 0 && w <= most * (1 + 1e-12), "SjisTextWidth(" + Quoted(std::string(text)) +
                                                     ") = " + std::to_string(w) + " beyond " + std::to_string(most));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // Two bytes choose the window (start -8..247, count -8..247), the rest is
  // the text.
  const int start = static_cast<int>(data[0]) - 8;
  const int count = static_cast<int>(data[1]) - 8;
  const std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);
  CheckCopy(text, start, count);
  CheckCopy(text, 1, static_cast<int>(text.size()));
  CheckFullWidth(text);
  CheckStripBlanks(text);
  CheckWidth(text, 3.0, 0.5);
  return 0;
}

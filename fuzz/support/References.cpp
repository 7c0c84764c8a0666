#include "support/References.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace fuzz_support {

namespace {

bool IsLead(unsigned char c) { return (c >= 0x80 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFD); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return c - 'A' + 10;
}

bool AllDigits(std::string_view s) {
  for (char c : s)
    if (!IsDigit(c)) return false;
  return true;
}

// Leading spaces and one optional sign removed; `negative` tells the sign.
std::string_view AfterSpacesAndSign(std::string_view text, bool& negative) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  return text.substr(i);
}

}  // namespace

std::vector<std::string> ReferenceTokens(std::string_view line) {
  std::vector<std::string> tokens(1);
  bool separatorsActive = true;
  std::size_t i = 0;
  while (i < line.size()) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    if (IsLead(c)) {
      if (i + 1 == line.size()) break;  // a lone lead byte at the end is dropped
      tokens.back() += line.substr(i, 2);
      i += 2;
    } else if (c == '"' && separatorsActive) {
      separatorsActive = false;
      ++i;
    } else if (c == '=' && separatorsActive) {
      tokens.back() += '=';
      separatorsActive = false;
      ++i;
    } else if ((c == ' ' || c == '\t') && separatorsActive) {
      if (!tokens.back().empty()) {
        if (tokens.size() == 32) return tokens;  // no slot for a 33rd token
        tokens.emplace_back();
      }
      ++i;
    } else {
      if (c >= 0x20 && c <= 0xFD) tokens.back() += static_cast<char>(c);
      ++i;
    }
  }
  if (tokens.size() == 1 && tokens[0].empty()) return {};
  return tokens;
}

std::int32_t ReferenceInt(std::string_view text) {
  bool negative = false;
  const std::string_view rest = AfterSpacesAndSign(text, negative);

  // Decimal: digits only, the value within int32.
  if (!rest.empty() && AllDigits(rest)) {
    std::string_view digits = rest;
    while (digits.size() > 1 && digits[0] == '0') digits.remove_prefix(1);
    if (digits.size() > 10) return 0;
    long long value = std::stoll(std::string(digits));
    if (negative) value = -value;
    if (value < -2147483648LL || value > 2147483647LL) return 0;
    return static_cast<std::int32_t>(value);
  }

  // Hexadecimal after one of the prefixes: 1 to 8 digits, a 32-bit pattern.
  for (const std::string_view prefix : {"$", "x", "X", "0x", "0X"}) {
    if (rest.substr(0, prefix.size()) != prefix) continue;
    const std::string_view digits = rest.substr(prefix.size());
    if (digits.empty() || digits.size() > 8) continue;
    bool hex = true;
    for (char c : digits) hex = hex && IsHexDigit(c);
    if (!hex) continue;
    std::uint32_t pattern = 0;
    for (char c : digits) pattern = pattern * 16 + static_cast<std::uint32_t>(HexValue(c));
    if (negative) pattern = 0u - pattern;
    return static_cast<std::int32_t>(pattern);
  }
  return 0;
}

bool MatchesRealGrammar(std::string_view text) {
  bool negative = false;
  const std::string_view rest = AfterSpacesAndSign(text, negative);
  // The mantissa runs to the first byte that is neither a digit nor a point.
  std::size_t end = 0;
  int points = 0;
  while (end < rest.size() && (IsDigit(rest[end]) || rest[end] == '.')) {
    if (rest[end] == '.') ++points;
    ++end;
  }
  if (end == 0 || points > 1) return false;
  const std::string_view exponent = rest.substr(end);
  if (exponent.empty()) return true;
  if (exponent[0] != 'E' && exponent[0] != 'e') return false;
  std::string_view digits = exponent.substr(1);
  if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) digits.remove_prefix(1);
  return !digits.empty() && AllDigits(digits);
}

double ReferenceReal(std::string_view text) {
  if (!MatchesRealGrammar(text)) return 0.0;
  bool negative = false;
  std::string rest(AfterSpacesAndSign(text, negative));
  // strtold wants a digit in the mantissa: "." is 0, ".e5" is 0 too.
  const std::size_t exponentAt = rest.find_first_of("Ee");
  const std::string mantissa = rest.substr(0, exponentAt);
  if (mantissa.find_first_of("0123456789") == std::string::npos) return 0.0;
  const std::string canonical = "0" + rest;  // "0.5", "05.", "0.5e3": all plain decimals for strtold
  char* end = nullptr;
  const long double extended = std::strtold(canonical.c_str(), &end);
  if (end != canonical.c_str() + canonical.size()) std::abort();  // the grammar let through what strtold refuses
  const double value = static_cast<double>(extended);
  if (std::isinf(value) || value == 0.0) return 0.0;
  return negative ? -value : value;
}

}  // namespace fuzz_support

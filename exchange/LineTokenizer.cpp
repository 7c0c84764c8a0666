#include "exchange/LineTokenizer.h"

#include <cstdint>

namespace {

enum ByteClass : std::uint8_t {
  kDropped,  // control bytes, 0xFE, 0xFF
  kPlain,    // goes into the current token
  kLead,     // a Shift-JIS lead byte: it and the next byte go into the token
  kQuote,    // switches separators off and is dropped
  kEquals,   // goes into the token and switches separators off
  kBlank,    // closes a non-empty token
};

constexpr bool IsLead(unsigned c) { return (c >= 0x80 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFD); }

// The class of every byte, with separators active or not. With separators
// off, quotes, equals signs and blanks are ordinary bytes and a tab is a
// control byte like any other.
constexpr std::array<std::uint8_t, 256> MakeClasses(bool separatorsActive) {
  std::array<std::uint8_t, 256> classes{};
  for (unsigned c = 0; c < 256; ++c) {
    std::uint8_t k = kDropped;
    if (IsLead(c)) {
      k = kLead;
    } else if (separatorsActive && c == 0x22) {
      k = kQuote;
    } else if (separatorsActive && c == 0x3D) {
      k = kEquals;
    } else if (separatorsActive && (c == 0x20 || c == 0x09)) {
      k = kBlank;
    } else if (c >= 0x20 && c <= 0xFD) {
      k = kPlain;
    }
    classes[c] = k;
  }
  return classes;
}

constexpr std::array<std::uint8_t, 256> kSeparatorsActive = MakeClasses(true);
constexpr std::array<std::uint8_t, 256> kSeparatorsOff = MakeClasses(false);

}  // namespace

int LineTokenizer::Split(std::string_view line) {
  // A token never holds more bytes than the line, so one line-sized buffer
  // takes every token of the line one after another.
  if (bytes_.size() < line.size()) bytes_.resize(line.size());

  const auto* in = reinterpret_cast<const unsigned char*>(line.data());
  const auto* const end = in + line.size();
  char* const base = bytes_.data();
  char* out = base;
  char* tokenStart = base;
  int slot = 0;
  const std::uint8_t* classes = kSeparatorsActive.data();

  while (in < end) {
    const unsigned char c = *in;
    switch (classes[c]) {
      case kPlain:
        *out++ = static_cast<char>(c);
        ++in;
        break;
      case kLead:
        if (end - in < 2) {
          in = end;  // a lone lead byte at the end of the line is dropped
          break;
        }
        out[0] = static_cast<char>(c);
        out[1] = static_cast<char>(in[1]);
        out += 2;
        in += 2;
        break;
      case kQuote:
        classes = kSeparatorsOff.data();
        ++in;
        break;
      case kEquals:
        *out++ = static_cast<char>(c);
        classes = kSeparatorsOff.data();
        ++in;
        break;
      case kBlank:
        ++in;
        if (out != tokenStart) {
          tokens_[static_cast<std::size_t>(slot)] = std::string_view(tokenStart, static_cast<std::size_t>(out - tokenStart));
          if (slot == kSlots - 1) {
            // A 33rd token would begin: there is no slot for it, and nothing
            // after it can change the 32 tokens already taken.
            count_ = kSlots;
            return count_;
          }
          ++slot;
          tokenStart = out;
        }
        break;
      default:  // kDropped
        ++in;
        break;
    }
  }

  const auto lastLength = static_cast<std::size_t>(out - tokenStart);
  tokens_[static_cast<std::size_t>(slot)] = std::string_view(tokenStart, lastLength);
  count_ = (slot == 0 && lastLength == 0) ? 0 : slot + 1;
  return count_;
}

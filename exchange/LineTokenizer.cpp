#include "exchange/LineTokenizer.h"

#include <cstring>

#include "helpers/Sjis.h"

namespace {

enum ByteClass : std::uint8_t {
  kDropped,    // control bytes, 0xFE, 0xFF
  kPlain,      // goes into the current token
  kNumeric,    // a digit, sign or point: goes into the token, and may begin a number
  kLead,       // a Shift-JIS lead byte: it and the next byte go into the token
  kQuote,      // switches separators off and is dropped
  kEquals,     // goes into the token and switches separators off
  kBlank,      // closes a non-empty token
};

struct ByteClasses {
  std::uint8_t Active[256];  // separators active
  std::uint8_t Off[256];     // separators off: quotes, equals signs and blanks are plain, a tab is dropped
};

// The class of every byte, with separators active or not.
ByteClasses MakeClasses() {
  ByteClasses classes{};
  for (unsigned c = 0; c < 256; ++c) {
    const auto b = static_cast<unsigned char>(c);
    std::uint8_t off = kDropped;
    if (IsLeadByte(b)) {
      off = kLead;
    } else if (c >= 0x20 && c <= 0xFD) {
      off = kPlain;
    }
    std::uint8_t active = off;
    if (c == 0x22) {
      active = kQuote;
    } else if (c == 0x3D) {
      active = kEquals;
    } else if (c == 0x20 || c == 0x09) {
      active = kBlank;
    } else if ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.') {
      active = kNumeric;
    }
    classes.Active[c] = active;
    classes.Off[c] = off;
  }
  return classes;
}

const ByteClasses kClasses = MakeClasses();

std::uint8_t ActiveClass(char c) { return kClasses.Active[static_cast<unsigned char>(c)]; }

// The end of the token that takes the rest of the line from p on (separators
// off): the line's end, or the lone lead byte that ends the line. Null when a
// byte in between is dropped, so that the token is not a run of the line.
const char* RestOfLine(const char* p, const char* end) {
  while (p != end) {
    const std::uint8_t c = kClasses.Off[static_cast<unsigned char>(*p)];
    if (c == kPlain) {
      ++p;
    } else if (c == kLead) {
      if (end - p < 2) return p;  // a lone lead byte at the end is dropped
      p += 2;
    } else {
      return nullptr;
    }
  }
  return p;
}

}  // namespace

int LineTokenizer::Split(std::string_view line, const char* readable) {
  return Split(line, readable, Slots{tokens_.data(), numbers_.data()});
}

LineTokenizer::KeptLine LineTokenizer::SplitKept(char* line, std::size_t size, const char* readable, Slots slots) {
  const int count = Split(std::string_view(line, size), readable, slots);
  const KeptLine kept{count, numbersRead_};
  // The tokens are the caller's: none are left to Row().
  count_ = 0;
  numbersRead_ = 0;
  if (buffered_) {
    // The tokens lie one after another from the buffer's start and take no
    // more bytes than the line has.
    const char* const base = bytes_.data();
    std::size_t used = 0;
    for (int i = 0; i < count; ++i) {
      const std::string_view token = slots.Tokens[i];
      if (!token.empty()) used = static_cast<std::size_t>(token.data() - base) + token.size();
    }
    if (used != 0) std::memcpy(line, base, used);
    for (int i = 0; i < count; ++i) {
      std::string_view& token = slots.Tokens[i];
      token = token.empty() ? std::string_view() : std::string_view(line + (token.data() - base), token.size());
    }
    buffered_ = false;
  }
  return kept;
}

int LineTokenizer::Split(std::string_view line, const char* readable, Slots slots) {
  const char* p = line.data();
  const char* const end = p + line.size();
  int slot = 0;
  numbersRead_ = 0;
  buffered_ = false;

  for (;;) {
    // Blanks and tabs before a token open nothing.
    std::uint8_t c;
    for (;;) {
      if (p == end) {
        // The current slot stays empty.
        slots.Tokens[static_cast<std::size_t>(slot)] = std::string_view();
        count_ = slot == 0 ? 0 : slot + 1;
        return count_;
      }
      c = ActiveClass(*p);
      if (c != kBlank) break;
      ++p;
    }
    const char* const start = p;
    const auto index = static_cast<std::size_t>(slot);

    if (c == kNumeric) {
      // Most tokens are numbers: read the value with the digits. The token is
      // the number when a separator or the line's end follows it.
      const DecimalScan scan = ScanDecimal(p, readable);
      if (scan.Stop <= end) {
        p = scan.Stop;
        if (p == end || ActiveClass(*p) == kBlank) {
          slots.Tokens[index] = std::string_view(start, static_cast<std::size_t>(p - start));
          slots.Numbers[index] = scan.Value;
          numbersRead_ |= static_cast<std::uint32_t>(scan.Exact) << slot;
          if (p == end) {
            count_ = slot + 1;
            return count_;
          }
          goto closed;
        }
      }
      // Otherwise the bytes taken are plain ones of a longer word.
    }

    for (;;) {
      if (p == end) {
        slots.Tokens[index] = std::string_view(start, static_cast<std::size_t>(p - start));
        count_ = slot + 1;
        return count_;
      }
      switch (ActiveClass(*p)) {
        case kPlain:
        case kNumeric:
          ++p;
          continue;
        case kLead:
          if (end - p < 2) {
            // A lone lead byte at the end of the line is dropped.
            slots.Tokens[index] = std::string_view(start, static_cast<std::size_t>(p - start));
            count_ = (slot == 0 && p == start) ? 0 : slot + 1;
            return count_;
          }
          p += 2;
          continue;
        case kBlank:
          slots.Tokens[index] = std::string_view(start, static_cast<std::size_t>(p - start));
          goto closed;
        case kQuote: {
          // At the start of a token the quote is dropped and the rest of the
          // line is the token; inside a word it would join two runs.
          if (p != start) return SplitIntoBuffer(line, slots);
          const char* const tokenEnd = RestOfLine(p + 1, end);
          if (tokenEnd == nullptr) return SplitIntoBuffer(line, slots);
          slots.Tokens[index] = std::string_view(p + 1, static_cast<std::size_t>(tokenEnd - (p + 1)));
          count_ = (slot == 0 && tokenEnd == p + 1) ? 0 : slot + 1;
          return count_;
        }
        case kEquals: {
          // The equals sign stays in the token, and the rest of the line too.
          const char* const tokenEnd = RestOfLine(p + 1, end);
          if (tokenEnd == nullptr) return SplitIntoBuffer(line, slots);
          slots.Tokens[index] = std::string_view(start, static_cast<std::size_t>(tokenEnd - start));
          count_ = slot + 1;
          return count_;
        }
        default:  // kDropped
          return SplitIntoBuffer(line, slots);
      }
    }

  closed:
    // p stands on the separator after a non-empty token.
    if (slot == kSlots - 1) {
      // A 33rd token would begin: there is no slot for it, and nothing after
      // it can change the 32 tokens already taken.
      count_ = kSlots;
      return count_;
    }
    ++slot;
    ++p;
  }
}

int LineTokenizer::SplitIntoBuffer(std::string_view line, Slots slots) {
  numbersRead_ = 0;
  buffered_ = true;
  // A token never holds more bytes than the line, so one line-sized buffer
  // takes every token of the line one after another.
  if (bytes_.size() < line.size()) bytes_.resize(line.size());

  const auto* in = reinterpret_cast<const unsigned char*>(line.data());
  const auto* const end = in + line.size();
  char* const base = bytes_.data();
  char* out = base;
  char* tokenStart = base;
  int slot = 0;
  const std::uint8_t* classes = kClasses.Active;

  while (in < end) {
    const unsigned char c = *in;
    switch (classes[c]) {
      case kPlain:
      case kNumeric:
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
        classes = kClasses.Off;
        ++in;
        break;
      case kEquals:
        *out++ = static_cast<char>(c);
        classes = kClasses.Off;
        ++in;
        break;
      case kBlank:
        ++in;
        if (out != tokenStart) {
          slots.Tokens[static_cast<std::size_t>(slot)] =
              std::string_view(tokenStart, static_cast<std::size_t>(out - tokenStart));
          if (slot == kSlots - 1) {
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
  slots.Tokens[static_cast<std::size_t>(slot)] = std::string_view(tokenStart, lastLength);
  count_ = (slot == 0 && lastLength == 0) ? 0 : slot + 1;
  return count_;
}

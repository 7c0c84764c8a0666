#include "helpers/Sjis.h"

#include <cstddef>
#include <cstdint>

#include "helpers/FullWidthTable.h"

namespace {

constexpr unsigned char kSpace = 0x20;
constexpr unsigned char kFullSpaceLead = 0x81;
constexpr unsigned char kFullSpaceTrail = 0x40;

// ToFullWidth converts the text in pieces of at most this many bytes, each
// ending on a character boundary; every byte may become two, so a converted
// piece always fits 256 bytes with room for a terminator.
constexpr int kFullWidthChunk = 126;

unsigned char ByteAt(std::string_view text, std::size_t i) {
  return static_cast<unsigned char>(text[i]);
}

void AppendCode(std::string& out, std::uint16_t code) {
  out.push_back(static_cast<char>(code >> 8));
  out.push_back(static_cast<char>(code & 0xFF));
}

// The full-width form of one piece of text. A voiced or semi-voiced mark is
// combined with the kana before it only when both lie in the same piece.
std::string FullWidthPiece(std::string_view piece) {
  std::string out;
  out.reserve(piece.size() * 2);
  std::size_t i = 0;
  while (i < piece.size()) {
    const unsigned char b = ByteAt(piece, i);
    if (IsLeadByte(b)) {
      if (i + 1 < piece.size()) {
        AppendCode(out, KatakanaOf(static_cast<std::uint16_t>(b << 8 | ByteAt(piece, i + 1))));
      } else {
        out.push_back(static_cast<char>(b));  // a cut character stays as it is
      }
      i += 2;
      continue;
    }
    if (i + 1 < piece.size()) {
      if (std::uint16_t combined = CombinedKana(b, ByteAt(piece, i + 1))) {
        AppendCode(out, combined);
        i += 2;
        continue;
      }
    }
    if (std::uint16_t full = FullWidthOfSingleByte(b)) {
      AppendCode(out, full);
    } else {
      out.push_back(static_cast<char>(b));
    }
    ++i;
  }
  return out;
}

}  // namespace

bool IsLeadByte(unsigned char b) { return (b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD); }

std::string StripBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char b = ByteAt(text, i);
    if (IsLeadByte(b)) {
      // A lead byte in the last position (a cut character) is kept alone.
      const bool whole = i + 1 < text.size();
      const bool fullSpace = whole && b == kFullSpaceLead && ByteAt(text, i + 1) == kFullSpaceTrail;
      if (!fullSpace) out.append(text.substr(i, whole ? 2 : 1));
      i += 2;
    } else {
      if (b > kSpace) out.push_back(static_cast<char>(b));
      ++i;
    }
  }
  return out;
}

SjisCopyResult SjisCopy(std::string_view text, int start, int count) {
  SjisCopyResult result;
  const long long length = static_cast<long long>(text.size());
  if (text.empty() || start < 1 || start > length || count <= 0) return result;
  // 1-based positions; the window's last position may lie past the text.
  const long long first = start;
  const long long last = first + static_cast<long long>(count) - 1;
  long long pos = 1;
  while (pos <= length) {
    const unsigned char b = ByteAt(text, static_cast<std::size_t>(pos - 1));
    if (IsLeadByte(b)) {
      if (first <= pos && pos + 1 <= last) {
        // A cut character at the very end contributes the one byte it has.
        result.Text.append(text.substr(static_cast<std::size_t>(pos - 1), pos < length ? 2 : 1));
      }
      pos += 2;
    } else {
      if (first <= pos && pos <= last) result.Text.push_back(static_cast<char>(b));
      ++pos;
    }
  }
  result.Taken = static_cast<int>(result.Text.size());
  return result;
}

std::string ToFullWidth(std::string_view text) {
  std::string out;
  int n = 1;
  for (;;) {
    SjisCopyResult piece = SjisCopy(text, n, kFullWidthChunk);
    if (piece.Taken == 0) break;
    out += FullWidthPiece(piece.Text);
    n += piece.Taken;
  }
  return out;
}

double SjisTextWidth(std::string_view text, double width, double spacing) {
  double w = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char b = ByteAt(text, i);
    if (IsLeadByte(b)) {
      w = w + width;
      i += 2;
      if (i < text.size()) w = w + spacing;
    } else {
      if (b >= kSpace) w = w + width / 2;
      ++i;
      if (i < text.size()) w = w + spacing / 2;
    }
  }
  return w;
}

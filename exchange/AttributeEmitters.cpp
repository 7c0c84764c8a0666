// Attribute commands: each is written only when its value changes, or on its
// first use after ResetOutputAttributes (while its pending flag is set).
#include <algorithm>
#include <cstdint>
#include <string>

#include "exchange/HostState.h"
#include "exchange/FixedText.h"
#include "exchange/OutputWriter.h"
#include "helpers/NumberFormat.h"

namespace {

constexpr std::int32_t kMaxLineWidth = 30000;
constexpr std::int32_t kMaxTextCc = 8;
constexpr std::int32_t kMaxTextStyle = 10;

// Upper-case hexadecimal without leading zeros; a negative value as its
// 32-bit pattern.
std::string Hex(std::int32_t n) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::uint32_t u = static_cast<std::uint32_t>(n);
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[u % 16]);
    u /= 16;
  } while (u != 0);
  return digits;
}

bool& Pending(AttributeSlot slot) { return HostState.AttributePending[slot]; }

// Writes `keyword` + text of v when the attribute is pending or v differs
// from the field; then the field holds v and the flag is cleared. True when a
// line was written.
bool EmitIntAttribute(AttributeSlot slot, std::int32_t& field, std::int32_t v,
                      const char* keyword, const std::string& text) {
  if (!Pending(slot) && v == field) return false;
  AddOutputLine(keyword + text);
  field = v;
  Pending(slot) = false;
  return true;
}

}  // namespace

void ResetOutputAttributes() {
  HostState.AttributePending.fill(true);
  ResetCurrentAttributes();
}

void EmitLayerGroup(std::int32_t n) {
  if (EmitIntAttribute(kPendingGroup, HostState.CurrentGroup, n, "lg", Hex(n))) {
    // A new layer group makes the host forget the layer: name it again.
    Pending(kPendingLayer) = true;
  }
}

void EmitLayer(std::int32_t n) {
  EmitIntAttribute(kPendingLayer, HostState.CurrentLayer, n, "ly", Hex(n));
}

void EmitLineColor(std::int32_t n) {
  EmitIntAttribute(kPendingColour, HostState.CurrentColour, n, "lc", std::to_string(n));
}

void EmitLineType(std::int32_t n) {
  EmitIntAttribute(kPendingLineType, HostState.CurrentLineType, n, "lt", std::to_string(n));
}

void EmitLineWidth(std::int32_t n) {
  std::int32_t v = n == -1 ? HostState.InitialLineWidth : n;
  if (v < 0 || v > kMaxLineWidth) v = 0;
  EmitIntAttribute(kPendingLineWidth, HostState.CurrentLineWidth, v, "lw", std::to_string(v));
}

void EmitTextCc(std::int32_t n) {
  const std::int32_t v = n < 0 || n > kMaxTextCc ? 0 : n;
  EmitIntAttribute(kPendingTextCc, HostState.CurrentTextCc, v, "cc", std::to_string(v));
}

void EmitPnColor(std::int32_t n) {
  EmitIntAttribute(kPendingPointColour, HostState.PointColour, n, "pn", std::to_string(n));
}

void EmitTextStyle(std::int32_t kind, std::int32_t colour, double width, double height,
                   double spacing) {
  if (kind < 0 || kind > kMaxTextStyle) {
    kind = HostState.InitialTextStyle;
    if (kind == 0) {
      const HostTextStyle& free = HostState.InitialFreeText;
      width = free.Width;
      height = free.Height;
      spacing = free.Spacing;
      colour = free.Colour;
    }
  }
  const HostTextStyle& current = HostState.CurrentFreeText;
  const bool freeChanged = kind == 0 && (width != current.Width || height != current.Height ||
                                         spacing != current.Spacing || colour != current.Colour);
  if (!Pending(kPendingTextStyle) && kind == HostState.CurrentTextStyle && !freeChanged) return;
  if (kind == 0) {
    AddOutputLine("cn0 " + FormatGeneral(width) + " " + FormatGeneral(height) + " " +
                  FormatGeneral(spacing) + " " + std::to_string(colour));
    HostState.CurrentFreeText = HostTextStyle{width, height, spacing, colour};
  } else {
    AddOutputLine("cn" + std::to_string(kind));
  }
  HostState.CurrentTextStyle = kind;
  Pending(kPendingTextStyle) = false;
}

void EmitFontName(std::string_view name) {
  std::string v = name.empty() || name == "<>" ? HostState.InitialFontName : std::string(name);
  if (!Pending(kPendingFontName) && v == HostState.CurrentFontName) return;
  // The quote after "cn" keeps a name with blanks one token for the host.
  const std::string line = "cn\"$" + v;
  // A line that ends with a double quote (as buffered, at most 255 bytes) is
  // joined with the next one in the file: the host would read the next
  // command as the rest of the font name and lose it. Such a name is not
  // written; the host keeps the font it has.
  if (line[std::min(line.size(), kMaxTextBytes) - 1] == '"') return;
  AddOutputLine(line);
  HostState.CurrentFontName = std::move(v);
  Pending(kPendingFontName) = false;
}

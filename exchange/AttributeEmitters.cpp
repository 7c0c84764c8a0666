// Attribute commands: each is written only when its value changes, or on its
// first use after ResetOutputAttributes (while its pending flag is set).
#include <algorithm>
#include <cstdint>
#include <string>

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

// Writes `keyword` + text of v when the attribute is pending or v differs
// from the field; then the field holds v and the flag is cleared. True when a
// line was written.
bool EmitIntAttribute(OutputCommands& out, AttributeSlot slot, std::int32_t& field,
                      std::int32_t v, const char* keyword, const std::string& text) {
  if (!out.Pending[slot] && v == field) return false;
  AddOutputLine(out, keyword + text);
  field = v;
  out.Pending[slot] = false;
  return true;
}

}  // namespace

void ResetOutputAttributes(OutputCommands& out, const DrawingAttributes& host) {
  out.Pending.fill(true);
  out.Current = DefaultRunningAttributes();
  out.Host = host;
}

void EmitLayerGroup(OutputCommands& out, std::int32_t n) {
  if (EmitIntAttribute(out, kPendingGroup, out.Current.Group, n, "lg", Hex(n))) {
    // A new layer group makes the host forget the layer: name it again.
    out.Pending[kPendingLayer] = true;
  }
}

void EmitLayer(OutputCommands& out, std::int32_t n) {
  EmitIntAttribute(out, kPendingLayer, out.Current.Layer, n, "ly", Hex(n));
}

void EmitLineColor(OutputCommands& out, std::int32_t n) {
  EmitIntAttribute(out, kPendingColour, out.Current.Colour, n, "lc", std::to_string(n));
}

void EmitLineType(OutputCommands& out, std::int32_t n) {
  EmitIntAttribute(out, kPendingLineType, out.Current.LineType, n, "lt", std::to_string(n));
}

void EmitLineWidth(OutputCommands& out, std::int32_t n) {
  std::int32_t v = n == -1 ? out.Host.LineWidth : n;
  if (v < 0 || v > kMaxLineWidth) v = 0;
  EmitIntAttribute(out, kPendingLineWidth, out.Current.LineWidth, v, "lw", std::to_string(v));
}

void EmitTextCc(OutputCommands& out, std::int32_t n) {
  const std::int32_t v = n < 0 || n > kMaxTextCc ? 0 : n;
  EmitIntAttribute(out, kPendingTextCc, out.Current.TextCc, v, "cc", std::to_string(v));
}

void EmitPnColor(OutputCommands& out, std::int32_t n) {
  EmitIntAttribute(out, kPendingPointColour, out.Current.PointColour, n, "pn", std::to_string(n));
}

void EmitTextStyle(OutputCommands& out, std::int32_t kind, std::int32_t colour, double width,
                   double height, double spacing) {
  if (kind < 0 || kind > kMaxTextStyle) {
    kind = out.Host.TextStyle;
    if (kind == 0) {
      const HostTextStyle& free = out.Host.FreeText;
      width = free.Width;
      height = free.Height;
      spacing = free.Spacing;
      colour = free.Colour;
    }
  }
  const HostTextStyle& current = out.Current.FreeText;
  const bool freeChanged = kind == 0 && (width != current.Width || height != current.Height ||
                                         spacing != current.Spacing || colour != current.Colour);
  if (!out.Pending[kPendingTextStyle] && kind == out.Current.TextStyle && !freeChanged) return;
  if (kind == 0) {
    AddOutputLine(out, "cn0 " + FormatGeneral(width) + " " + FormatGeneral(height) + " " +
                           FormatGeneral(spacing) + " " + std::to_string(colour));
    out.Current.FreeText = HostTextStyle{width, height, spacing, colour};
  } else {
    AddOutputLine(out, "cn" + std::to_string(kind));
  }
  out.Current.TextStyle = kind;
  out.Pending[kPendingTextStyle] = false;
}

void EmitFontName(OutputCommands& out, std::string_view name) {
  std::string v = name.empty() || name == "<>" ? out.Host.FontName : std::string(name);
  if (!out.Pending[kPendingFontName] && v == out.Current.FontName) return;
  // The quote after "cn" keeps a name with blanks one token for the host.
  const std::string line = "cn\"$" + v;
  // A line that ends with a double quote (as buffered, at most 255 bytes) is
  // joined with the next one in the file: the host would read the next
  // command as the rest of the font name and lose it. Such a name is not
  // written; the host keeps the font it has.
  if (line[std::min(line.size(), kMaxTextBytes) - 1] == '"') return;
  AddOutputLine(out, line);
  out.Current.FontName = std::move(v);
  out.Pending[kPendingFontName] = false;
}

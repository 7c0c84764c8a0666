// Entity commands: always written, except degenerate geometry and blank text.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "exchange/OutputWriter.h"
#include "exchange/TextKeywords.h"
#include "helpers/Extended.h"
#include "helpers/Geometry.h"
#include "helpers/NumberFormat.h"
#include "helpers/Sjis.h"

namespace {

// Segments shorter than this in both axes are not drawn; directions no longer
// than it in both components give no text.
constexpr double kMinExtent = 1e-8;
// The measured length of a dimension figure is written to this step.
constexpr Extended kDimensionStep = 1e-8L;

constexpr std::int32_t kMinPointKind = -7;
constexpr std::int32_t kMaxPointKind = 11;
constexpr std::int32_t kDefaultPointKind = -3;

// `keyword` and a blank (when there is a keyword), the four reals separated
// by blanks, then `tail`: one line built in one piece of storage.
std::string Reals(std::string_view keyword, double a, double b, double c, double d, std::string_view tail = {}) {
  constexpr std::size_t kLongestReal = 24;  // "-1.23456789012345E-308"
  std::string line;
  line.reserve(keyword.size() + 1 + 4 * (kLongestReal + 1) + tail.size());
  if (!keyword.empty()) {
    line += keyword;
    line.push_back(' ');
  }
  for (const double value : {a, b, c}) {
    AppendGeneral(line, value);
    line.push_back(' ');
  }
  AppendGeneral(line, d);
  line += tail;
  return line;
}

bool Degenerate(double x1, double y1, double x2, double y2) {
  return std::fabs(x2 - x1) < kMinExtent && std::fabs(y2 - y1) < kMinExtent;
}

bool NoDirection(double dx, double dy) {
  return std::fabs(dx) <= kMinExtent && std::fabs(dy) <= kMinExtent;
}

// The text command keyword for a text type; 0 and unknown types are "ch".
std::string_view TextKeyword(std::int32_t type) {
  return kTextKeywords[type >= 1 && type <= 9 ? static_cast<std::size_t>(type) : 0];
}

}  // namespace

void EmitZFlags(OutputCommands& out, std::int32_t flags) {
  if (flags & 1) AddOutputLine(out, "z1");
  if (flags & 2) AddOutputLine(out, "z2");
  if (flags & 4) AddOutputLine(out, "z3");
  if ((flags & 8) && !(flags & 16)) AddOutputLine(out, "z4");
  if (flags & 16) AddOutputLine(out, "z5");
}

void EmitLine(OutputCommands& out, double x1, double y1, double x2, double y2) {
  if (Degenerate(x1, y1, x2, y2)) return;
  AddOutputLine(out, Reals({}, x1, y1, x2, y2));
}

void EmitPoint(OutputCommands& out, std::int32_t kind, double x, double y, double scale, double angle) {
  if (kind < kMinPointKind || kind > kMaxPointKind) kind = kDefaultPointKind;
  if (std::fabs(scale) <= kMinExtent) scale = 1;
  AddOutputLine(out, Reals("pt", x, y, scale, angle, " " + std::to_string(kind)));
}

void EmitText(OutputCommands& out, std::int32_t type, std::string_view text, double x, double y, double dx,
              double dy) {
  if (NoDirection(dx, dy)) return;
  if (StripBlanks(text).empty()) return;
  // The quote ending the first line joins the text to it in the file.
  AddOutputLine(out, Reals(TextKeyword(type), x, y, dx, dy, " \""));
  AddOutputLine(out, text);
}

void EmitDimension(OutputCommands& out, std::string_view text, double x1, double y1, double x2, double y2, double x,
                   double y, double dx, double dy) {
  if (Degenerate(x1, y1, x2, y2)) return;
  if (NoDirection(dx, dy)) return;
  std::string value(text);
  if (StripBlanks(text).empty()) {
    const Extended d = Distance(x1, y1, x2, y2);
    const double rounded = static_cast<double>(std::trunc(d / kDimensionStep + 0.5L) * kDimensionStep);
    value = FormatGeneral(rounded);
  }
  AddOutputLine(out, "msg");
  AddOutputLine(out, Reals({}, x1, y1, x2, y2));
  AddOutputLine(out, Reals("cs", x, y, dx, dy, " \""));
  AddOutputLine(out, value);
}

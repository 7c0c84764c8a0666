#include "exchange/ExchangeReader.h"

#include <cmath>
#include <cstring>
#include <exception>
#include <memory>

#include "exchange/HostState.h"
#include "exchange/LineTokenizer.h"
#include "exchange/TextKeywords.h"
#include "helpers/Extended.h"
#include "helpers/NumberParse.h"

namespace {

// Up to the first four bytes of a token as one number, the first byte lowest
// and missing bytes 0, so that a keyword is told by one comparison.
constexpr std::uint32_t Head(std::string_view text) {
  std::uint32_t head = 0;
  for (std::size_t i = 0; i < text.size() && i < 4; ++i) {
    head |= static_cast<std::uint32_t>(static_cast<unsigned char>(text[i])) << (8 * i);
  }
  return head;
}

// Token 0 of a line, with its head taken once for all the keyword tests.
struct Keyword {
  explicit Keyword(std::string_view text) : Text(text), First(Head(text)) {}
  std::string_view Text;
  std::uint32_t First;  // Head(Text)
};

// The token is the keyword (of at most four bytes).
bool Is(const Keyword& token, std::string_view keyword) {
  return token.Text.size() == keyword.size() && token.First == Head(keyword);
}
// The token begins with the prefix (of at most four bytes, or longer).
bool BeginsWith(const Keyword& token, std::string_view prefix) {
  if (token.Text.size() < prefix.size()) return false;
  const std::uint32_t mask = prefix.size() >= 4 ? 0xFFFFFFFFu : (1u << (8 * prefix.size())) - 1;
  return (token.First & mask) == Head(prefix) &&
         (prefix.size() <= 4 || token.Text.substr(4, prefix.size() - 4) == prefix.substr(4));
}

// The bytes of the token from 1-based position `position` to its end; empty
// when the token is shorter.
std::string_view From(std::string_view token, std::size_t position) {
  return token.size() >= position ? token.substr(position - 1) : std::string_view();
}

double F(const TokenRow& t, int i) { return t.Number(i); }
std::int32_t I(const TokenRow& t, int i) { return StrToIntOrZero(t[i]); }

// The byte at position 3 of the keyword as one hexadecimal digit: the layer
// group and layer codes "0"-"9", "A"-"F" (or "a"-"f"). Anything else is 0.
std::int32_t HexDigitAt3(std::string_view keyword) {
  if (keyword.size() < 3) return 0;
  const char text[2] = {'$', keyword[2]};
  const std::int32_t value = StrToIntOrZero(std::string_view(text, 2));
  return (value >= 0 && value <= 15) ? value : 0;
}

HostTextStyle FreeTextFrom(const TokenRow& t) {
  return HostTextStyle{F(t, 1), F(t, 2), F(t, 3), I(t, 4)};
}

// --- Host settings ---------------------------------------------------------

void ReadStyleWidths(HostState& s, const TokenRow& t) {
  for (int i = 0; i < 10; ++i) s.TextStyles[static_cast<std::size_t>(i)].Width = F(t, i + 1);
}
void ReadStyleHeights(HostState& s, const TokenRow& t) {
  for (int i = 0; i < 10; ++i) s.TextStyles[static_cast<std::size_t>(i)].Height = F(t, i + 1);
}
void ReadStyleSpacings(HostState& s, const TokenRow& t) {
  for (int i = 0; i < 10; ++i) s.TextStyles[static_cast<std::size_t>(i)].Spacing = F(t, i + 1);
}
void ReadStyleColours(HostState& s, const TokenRow& t) {
  for (int i = 0; i < 10; ++i) s.TextStyles[static_cast<std::size_t>(i)].Colour = I(t, i + 1);
}

// --- Running attributes ----------------------------------------------------

// The first line of an attribute also gives its Initial value: the value the
// host had when it started the program.
void TakeInitial(HostState& s, AttributeSlot slot, std::int32_t& initial, std::int32_t value) {
  if (s.InitialPending[slot]) {
    initial = value;
    s.InitialPending[slot] = false;
  }
}

void ChangeLayerGroup(HostState& s, const TokenRow& t) {
  const std::int32_t g = HexDigitAt3(t[0]);
  TakeInitial(s, kPendingGroup, s.Initial.Group, g);
  s.Current.Group = g;
  if (t.Count() >= 2) s.GroupStates[static_cast<std::size_t>(g)] = I(t, 1);
}

void ChangeLayer(HostState& s, const TokenRow& t) {
  const std::int32_t l = HexDigitAt3(t[0]);
  TakeInitial(s, kPendingLayer, s.Initial.Layer, l);
  s.Current.Layer = l;
  if (t.Count() >= 2) s.LayerStates[static_cast<std::size_t>(s.Current.Group * 16 + l)] = I(t, 1);
}

void ChangeColour(HostState& s, const TokenRow& t) {
  const std::int32_t v = StrToIntOrZero(From(t[0], 3));
  TakeInitial(s, kPendingColour, s.Initial.Colour, v);
  s.Current.Colour = v;
  // Colour 10 is the extended colour; its number is the second token.
  if (v == 10 && t.Count() >= 2) s.Current.ExtendedColour = I(t, 1);
}

void ChangeTextStyle(HostState& s, const TokenRow& t) {
  const std::int32_t style = StrToIntOrZero(From(t[0], 3));
  // Style 0 is a free size given on the line itself.
  const bool freeValues = style == 0 && t.Count() >= 5;
  if (s.InitialPending[kPendingTextStyle]) {
    s.Initial.TextStyle = style;
    if (freeValues) s.Initial.FreeText = FreeTextFrom(t);
    s.InitialPending[kPendingTextStyle] = false;
  }
  s.Current.TextStyle = style;
  if (freeValues) s.Current.FreeText = FreeTextFrom(t);
}

void ChangeFontName(HostState& s, const TokenRow& t) {
  const std::string_view name = From(t[0], 4);
  if (s.Initial.FontName.empty()) s.Initial.FontName.assign(name);
  s.Current.FontName.assign(name);
}

void ChangeTextCc(HostState& s, const TokenRow& t) {
  const std::string_view keyword = t[0];
  const std::int32_t v = keyword.size() >= 3 ? StrToIntOrZero(keyword.substr(2, 1)) : 0;
  s.Current.TextCc = (v >= 0 && v <= 8) ? v : 0;
}

// --- Picked points and pick tags -------------------------------------------

// "hp<n>[suffix] x y": the suffix "-", "ln", "ci" or "ch" gives the kind of
// the pick; the last of them found (in that order of lookup) decides, and the
// index ends before it.
void ReadPickedPoint(HostState& s, const TokenRow& t) {
  const std::string_view keyword = t[0];
  std::string_view indexText = From(keyword, 3);
  std::int32_t kind = 0;
  static constexpr std::string_view kSuffixes[] = {"-", "ln", "ci", "ch"};
  for (int k = 0; k < 4; ++k) {
    const std::size_t at = keyword.find(kSuffixes[k]);
    if (at == std::string_view::npos) continue;
    kind = k + 1;
    indexText = at > 2 ? keyword.substr(2, at - 2) : std::string_view();
  }
  const std::int32_t n = StrToIntOrZero(indexText);
  if (n < 1 || n > 99) return;
  PickedPoint& point = s.PickedPoints[static_cast<std::size_t>(n)];
  point.Set = true;
  point.X = F(t, 1);
  point.Y = F(t, 2);
  point.Kind = kind;
  ++s.PickedCount;
}

// "hhp<n>[suffix]": the tag carried by every entity that follows. Only "ln",
// "ci" and "ch" end the number, and only after its first digit position.
void ReadPickTag(HostState& s, const TokenRow& t) {
  const std::string_view keyword = t[0];
  std::size_t end = keyword.size();
  static constexpr std::string_view kSuffixes[] = {"ln", "ci", "ch"};
  for (const std::string_view suffix : kSuffixes) {
    const std::size_t at = keyword.find(suffix);
    if (at != std::string_view::npos && at > 3) end = at;
  }
  s.CurrentPickTag = StrToIntOrZero(end > 3 ? keyword.substr(3, end - 3) : std::string_view());
}

// --- Entities --------------------------------------------------------------

// Appends an element to the list of the kind, records it in EntityOrder and
// captures the running attributes into it. The element is appended first, so
// that even a failed append leaves no pair in EntityOrder without its element.
template <typename T>
T& AppendEntity(HostState& s, GrowingList<T>& list, std::int32_t kind) {
  T& entity = list.Append();
  AppendEntityOrder(s, kind, static_cast<std::int32_t>(list.Count() - 1));
  CaptureAttributes(s, entity.Attr);
  return entity;
}

// After every entity the flags are spent; any entity other than a line
// segment also ends a polyline and an open dimension group.
void EndEntity(HostState& s, bool lineSegment) {
  s.EntityFlags = 0;
  if (!lineSegment) {
    s.InPolyline = false;
    s.DimensionPending = false;
  }
}

void SetSegment(LineEntity& line, const TokenRow& t) {
  line.X1 = F(t, 0);
  line.Y1 = F(t, 1);
  line.X2 = F(t, 2);
  line.Y2 = F(t, 3);
}

// A line of four tokens: a line segment, or the dimension line of an open
// dimension group.
void ReadLineSegment(HostState& s, const TokenRow& t) {
  if (s.DimensionPending) {
    LineEntity& line = s.PendingDimensionLine;
    line = LineEntity{};
    CaptureAttributes(s, line.Attr);
    line.PolylineNo = 0;
    SetSegment(line, t);
  } else {
    LineEntity& line = AppendEntity(s, s.Lines, kLineKind);
    line.PolylineNo = s.InPolyline ? s.PolylineCount : 0;
    SetSegment(line, t);
  }
  EndEntity(s, true);
}

void ReadCircle(HostState& s, const TokenRow& t) {
  CircleEntity& circle = AppendEntity(s, s.Circles, kCircleKind);
  circle.X = F(t, 1);
  circle.Y = F(t, 2);
  circle.Radius = F(t, 3);
  EndEntity(s, false);
}

void ReadArc(HostState& s, const TokenRow& t) {
  ArcEntity& arc = AppendEntity(s, s.Arcs, kArcKind);
  for (int i = 0; i < 7; ++i) arc.Values[i] = F(t, i + 1);
  EndEntity(s, false);
}

// The text keywords in the order of their TextKind numbers; -1 when the
// keyword is not one of them.
std::int32_t TextKindOf(const Keyword& keyword) {
  for (std::size_t i = 0; i < kTextKeywords.size(); ++i) {
    if (Is(keyword, kTextKeywords[i])) return static_cast<std::int32_t>(i);
  }
  return -1;
}

// The fields of a text line "keyword x y dx dy text"; the attributes are
// captured already. Size and colour come from the current text style.
void FillText(HostState& s, TextEntity& text, const TokenRow& t, std::int32_t textKind) {
  text.TextKind = textKind;
  text.Cc = s.Current.TextCc;
  text.StyleNo = s.Current.TextStyle;
  const HostTextStyle& style = (text.StyleNo >= 1 && text.StyleNo <= 10)
                                   ? s.TextStyles[static_cast<std::size_t>(text.StyleNo - 1)]
                                   : s.Current.FreeText;
  text.Width = style.Width;
  text.Height = style.Height;
  text.Spacing = style.Spacing;
  text.Attr.Colour = style.Colour;
  text.X = F(t, 1);
  text.Y = F(t, 2);
  text.DirX = F(t, 3);
  text.DirY = F(t, 4);
  text.FontName.Assign(s.Current.FontName);
  text.Text.Assign(t[5]);
}

void ReadText(HostState& s, const TokenRow& t, std::int32_t textKind) {
  if (s.DimensionPending && textKind == 2) {
    // The "cs" line that completes a dimension group: the pending dimension
    // line and this text form one dimension.
    DimensionEntity& dimension = s.Dimensions.Append();
    AppendEntityOrder(s, kDimensionKind, static_cast<std::int32_t>(s.Dimensions.Count() - 1));
    dimension.Line = s.PendingDimensionLine;
    dimension.Line.PolylineNo = 0;
    CaptureAttributes(s, dimension.Text.Attr);
    FillText(s, dimension.Text, t, 2);
  } else {
    TextEntity& text = AppendEntity(s, s.Texts, kTextKind);
    FillText(s, text, t, textKind);
  }
  EndEntity(s, false);
}

void ReadPoint(HostState& s, const TokenRow& t) {
  PointEntity& point = AppendEntity(s, s.Points, kPointKind);
  point.Attr.Colour = s.Current.PointColour;
  point.X = F(t, 1);
  point.Y = F(t, 2);
  EndEntity(s, false);
}

void ReadExtendedPoint(HostState& s, const TokenRow& t) {
  ExtendedPointEntity& point = AppendEntity(s, s.ExtendedPoints, kExtendedPointKind);
  point.Attr.Colour = s.Current.PointColour;
  point.X = F(t, 1);
  point.Y = F(t, 2);
  point.Scale = F(t, 3);
  point.Angle = F(t, 4);
  point.PointKind = I(t, 5);
  EndEntity(s, false);
}

void ReadBlock(HostState& s, const TokenRow& t) {
  BlockEntity& block = AppendEntity(s, s.Blocks, kBlockKind);
  block.X = F(t, 1);
  block.Y = F(t, 2);
  block.Name.assign(t[3]);
  EndEntity(s, false);
}

// --- Solids ----------------------------------------------------------------

struct Point2 {
  double X = 0, Y = 0;
};

Point2 PointAt(const TokenRow& t, int first) { return Point2{F(t, first), F(t, first + 1)}; }

bool SameCoordinate(double a, double b) {
  return std::fabs(static_cast<Extended>(a) - static_cast<Extended>(b)) <= kTolerance;
}
bool Same(const Point2& a, const Point2& b) { return SameCoordinate(a.X, b.X) && SameCoordinate(a.Y, b.Y); }

void AddSolid(HostState& s, const Point2& p1, const Point2& p2) {
  Solid2Entity& solid = AppendEntity(s, s.Solids2, kSolid2Kind);
  solid.ExtColour = s.Current.ExtendedColour;
  solid.X1 = p1.X, solid.Y1 = p1.Y, solid.X2 = p2.X, solid.Y2 = p2.Y;
  EndEntity(s, false);
}

void AddSolid(HostState& s, const Point2& p1, const Point2& p2, const Point2& p3) {
  Solid3Entity& solid = AppendEntity(s, s.Solids3, kSolid3Kind);
  solid.ExtColour = s.Current.ExtendedColour;
  solid.X1 = p1.X, solid.Y1 = p1.Y, solid.X2 = p2.X, solid.Y2 = p2.Y;
  solid.X3 = p3.X, solid.Y3 = p3.Y;
  EndEntity(s, false);
}

void AddSolid(HostState& s, const Point2& p1, const Point2& p2, const Point2& p3, const Point2& p4) {
  Solid4Entity& solid = AppendEntity(s, s.Solids4, kSolid4Kind);
  solid.ExtColour = s.Current.ExtendedColour;
  solid.X1 = p1.X, solid.Y1 = p1.Y, solid.X2 = p2.X, solid.Y2 = p2.Y;
  solid.X3 = p3.X, solid.Y3 = p3.Y, solid.X4 = p4.X, solid.Y4 = p4.Y;
  EndEntity(s, false);
}

// "sl" with three points: coinciding points make it a two-point solid.
void ReadThreePointSolid(HostState& s, const TokenRow& t) {
  const Point2 p1 = PointAt(t, 1), p2 = PointAt(t, 3), p3 = PointAt(t, 5);
  if (Same(p1, p2)) {
    AddSolid(s, p1, p3);
  } else if (Same(p2, p3)) {
    AddSolid(s, p1, p2);
  } else {
    AddSolid(s, p1, p2, p3);
  }
}

// "sl" with four points, reduced to the fewest distinct corners.
void ReadFourPointSolid(HostState& s, const TokenRow& t) {
  const Point2 p1 = PointAt(t, 1), p2 = PointAt(t, 3), p3 = PointAt(t, 5), p4 = PointAt(t, 7);
  if (Same(p1, p2) && Same(p1, p3)) {
    AddSolid(s, p1, p4);
  } else if (Same(p2, p3) && Same(p2, p4)) {
    AddSolid(s, p1, p2);
  } else if (Same(p1, p2) && Same(p3, p4)) {
    AddSolid(s, p1, p3);
  } else if (Same(p4, p1) || Same(p4, p2) || Same(p4, p3)) {
    AddSolid(s, p1, p2, p3);
  } else if (Same(p3, p1) || Same(p3, p2)) {
    AddSolid(s, p1, p2, p4);
  } else if (Same(p2, p1)) {
    AddSolid(s, p1, p3, p4);
  } else {
    AddSolid(s, p1, p2, p3, p4);
  }
}

// "sc" and "se": seven numbers and an integer.
void ReadScSolid(HostState& s, const TokenRow& t, GrowingList<ScSolidEntity>& list, std::int32_t kind) {
  ScSolidEntity& solid = AppendEntity(s, list, kind);
  solid.ExtColour = s.Current.ExtendedColour;
  for (int i = 0; i < 7; ++i) solid.Values[i] = F(t, i + 1);
  solid.N = I(t, 8);
  EndEntity(s, false);
}

// "so" and "sg": eight numbers.
void ReadSoSolid(HostState& s, const TokenRow& t, GrowingList<SoSolidEntity>& list, std::int32_t kind) {
  SoSolidEntity& solid = AppendEntity(s, list, kind);
  solid.ExtColour = s.Current.ExtendedColour;
  for (int i = 0; i < 8; ++i) solid.Values[i] = F(t, i + 1);
  EndEntity(s, false);
}

// --- Dispatch --------------------------------------------------------------

// Applies a line whose keyword is recognised with a fitting token count and
// returns true; false sends the line on to the four-token fallback. Keywords
// are told apart by their first byte first; within each first byte the tests
// keep their fixed order, so longer prefixes ("lgn", "lyn", "cn$") are seen
// before the shorter ones they begin with.
bool ApplyRecord(HostState& s, const TokenRow& t, const Keyword& k) {
  const int n = t.Count();
  switch (k.Text[0]) {
    case 'f':
      if (BeginsWith(k, "file=")) {
        s.DrawingFile.assign(From(k.Text, 6));
        return true;
      }
      return false;

    case 'h':
      if (Is(k, "hk") && n >= 2) {
        s.AxisAngle = F(t, 1);
      } else if (Is(k, "hs") && n >= 17) {
        for (int i = 0; i < 16; ++i) s.GroupScales[static_cast<std::size_t>(i)] = F(t, i + 1);
      } else if (Is(k, "hzs") && n >= 3) {
        s.SheetWidth = F(t, 1);
        s.SheetHeight = F(t, 2);
      } else if (Is(k, "hcw") && n >= 11) {
        ReadStyleWidths(s, t);
      } else if (Is(k, "hch") && n >= 11) {
        ReadStyleHeights(s, t);
      } else if (Is(k, "hcd") && n >= 11) {
        ReadStyleSpacings(s, t);
      } else if (Is(k, "hcc") && n >= 11) {
        ReadStyleColours(s, t);
      } else if (Is(k, "hn") && n >= 5) {
        for (int i = 0; i < 4; ++i) s.HnValues[static_cast<std::size_t>(i)] = F(t, i + 1);
      } else if (BeginsWith(k, "hp") && n >= 3) {
        ReadPickedPoint(s, t);
      } else if (BeginsWith(k, "hhp")) {
        ReadPickTag(s, t);
      } else {
        return false;
      }
      return true;

    case 'b':
      if (Is(k, "bz")) {
        s.BzMarked = true;
        return true;
      }
      return false;

    case 'l':
      if (BeginsWith(k, "lgn")) {
        s.GroupNames[static_cast<std::size_t>(s.Current.Group)].assign(From(k.Text, 4));
      } else if (BeginsWith(k, "lyn")) {
        s.LayerNames[static_cast<std::size_t>(s.Current.Group * 16 + s.Current.Layer)].assign(From(k.Text, 4));
      } else if (BeginsWith(k, "lg")) {
        ChangeLayerGroup(s, t);
      } else if (BeginsWith(k, "ly")) {
        ChangeLayer(s, t);
      } else if (BeginsWith(k, "lc")) {
        ChangeColour(s, t);
      } else if (BeginsWith(k, "lt")) {
        const std::int32_t v = StrToIntOrZero(From(k.Text, 3));
        TakeInitial(s, kPendingLineType, s.Initial.LineType, v);
        s.Current.LineType = v;
      } else if (BeginsWith(k, "lw")) {
        const std::int32_t v = StrToIntOrZero(From(k.Text, 3));
        TakeInitial(s, kPendingLineWidth, s.Initial.LineWidth, v);
        s.Current.LineWidth = v;
      } else {
        return false;
      }
      return true;

    case 'c': {
      if (BeginsWith(k, "cn$")) {
        ChangeFontName(s, t);
        return true;
      }
      if (BeginsWith(k, "cn")) {
        ChangeTextStyle(s, t);
        return true;
      }
      if (BeginsWith(k, "cc")) {
        ChangeTextCc(s, t);
        return true;
      }
      if (Is(k, "ci") && n == 4) {
        ReadCircle(s, t);
        return true;
      }
      if (Is(k, "ci") && n >= 8) {
        ReadArc(s, t);
        return true;
      }
      const std::int32_t textKind = TextKindOf(k);
      if (textKind >= 0 && n >= 6) {
        ReadText(s, t, textKind);
        return true;
      }
      return false;
    }

    case 'z':
      if (k.Text.size() == 2 && k.Text[1] >= '1' && k.Text[1] <= '5') {
        s.EntityFlags |= 1 << (k.Text[1] - '1');
        return true;
      }
      return false;

    case 'p':
      if (BeginsWith(k, "pn")) {
        s.Current.PointColour = StrToIntOrZero(From(k.Text, 3));
      } else if (Is(k, "pl")) {
        ++s.PolylineCount;
        s.InPolyline = true;
        s.DimensionPending = false;
      } else if (Is(k, "pt") && n == 3) {
        ReadPoint(s, t);
      } else if (Is(k, "pt") && n >= 6) {
        ReadExtendedPoint(s, t);
      } else {
        return false;
      }
      return true;

    case 'm':
      if (Is(k, "msg")) {
        s.DimensionPending = true;
        s.InPolyline = false;
        return true;
      }
      return false;

    case '#':
      if (Is(k, "#")) {
        s.InPolyline = false;
        s.DimensionPending = false;
        return true;
      }
      return false;

    case 'B':
      if (Is(k, "BL") && n >= 4) {
        ReadBlock(s, t);
        return true;
      }
      return false;

    case 's':
      if (Is(k, "sl") && n == 5) {
        AddSolid(s, PointAt(t, 1), PointAt(t, 3));
      } else if (Is(k, "sl") && n == 7) {
        ReadThreePointSolid(s, t);
      } else if (Is(k, "sl") && n >= 9) {
        ReadFourPointSolid(s, t);
      } else if (Is(k, "sc") && n >= 9) {
        ReadScSolid(s, t, s.ScSolids, kScSolidKind);
      } else if (Is(k, "se") && n >= 9) {
        ReadScSolid(s, t, s.SeSolids, kSeSolidKind);
      } else if (Is(k, "so") && n >= 9) {
        ReadSoSolid(s, t, s.SoSolids, kSoSolidKind);
      } else if (Is(k, "sg") && n >= 9) {
        ReadSoSolid(s, t, s.SgSolids, kSgSolidKind);
      } else {
        return false;
      }
      return true;

    default:
      return false;
  }
}

// Whether a token beginning with this byte can be a keyword: not a digit,
// sign or point, as the first token of most lines (a line segment) is.
bool MayBeKeyword(char first) { return !((first >= '0' && first <= '9') || first == '-' || first == '.'); }

void ApplyTokens(HostState& s, const TokenRow& t) {
  if (t.Count() == 0) return;  // an empty line changes nothing
  if (MayBeKeyword(t[0][0]) && ApplyRecord(s, t, Keyword(t[0]))) return;
  // Anything else with exactly four tokens is a line segment; its tokens
  // that are not numbers read as 0.
  if (t.Count() == 4) ReadLineSegment(s, t);
}

}  // namespace

void ParseExchangeLine(std::string_view line, HostState& host) {
  LineTokenizer tokenizer;
  tokenizer.Split(line);
  ApplyTokens(host, tokenizer.Row());
}

void ApplyLineBlock(const LineBlock& block, HostState& host) {
  for (std::size_t i = 0; i < block.Rows(); ++i) ApplyTokens(host, block.Row(i));
}

void ExchangeParser::Feed(const char* bytes, std::size_t size) {
  // Only a piece with a line end completes a line.
  if (size == 0) return;
  block_.Append(bytes, size);
  if (std::memchr(bytes, '\n', size) == nullptr) return;
  block_.SplitLines(tokenizer_, false);
  ApplyLineBlock(block_, host_);
  block_.Start(block_.Rest());
}

void ExchangeParser::Finish() {
  block_.SplitLines(tokenizer_, true);
  ApplyLineBlock(block_, host_);
  block_.Start({});
}

namespace {

// What ended the reading when something threw (memory running out while a
// line was applied, ...), as the status of the read.
FileStatus ThrownFailure() {
  try {
    throw;
  } catch (const std::exception& e) {
    return FileStatus::Failed(FileFault::Other, e.what());
  } catch (...) {
    return FileStatus::Failed(FileFault::Other);
  }
}

}  // namespace

FileStatus ReadExchangeFrom(FileReader& file, const BlockPlan& plan, HostState& host) {
  try {
    return ReadBlocks(file, [&host](const LineBlock& block) { ApplyLineBlock(block, host); }, plan);
  } catch (...) {
    // An error while reading or applying a line ends the read; what was
    // applied before stays applied.
    return ThrownFailure();
  }
}

FileStatus ReadExchangeFile(FileSystem& files, const std::filesystem::path& path, HostState& host) {
  OpenedFile in;
  try {
    in = files.OpenForReading(path);
  } catch (...) {
    return ThrownFailure();  // a file that cannot be opened is not read
  }
  if (!in.Status) return in.Status;
  return ReadExchangeFrom(*in.Reader, BlockPlan{}, host);
}

#include "support/StateChecks.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>
#include <type_traits>
#include <vector>

#include "exchange/HostState.h"
#include "support/Check.h"

namespace fuzz_support {

namespace {

// Writes every value either as readable text or, much faster, as its raw
// bytes (a fingerprint: equal exactly when the readable texts are equal).
class Writer {
 public:
  explicit Writer(bool readable) : readable_(readable) {}
  Writer& operator()(const char* name) {
    if (!readable_) return *this;
    text_ += '\n';
    text_ += name;
    return *this;
  }
  Writer& operator<<(double v) {
    if (!readable_) return Raw(v);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, " %a", v);
    text_ += buffer;
    return *this;
  }
  Writer& operator<<(std::int32_t v) {
    if (!readable_) return Raw(v);
    text_ += ' ' + std::to_string(v);
    return *this;
  }
  Writer& operator<<(bool v) {
    if (!readable_) return Raw(v);
    text_ += v ? " T" : " F";
    return *this;
  }
  Writer& operator<<(std::string_view v) {
    if (!readable_) {
      Raw(v.size());
      Put(v.data(), v.size());
      return *this;
    }
    text_ += ' ' + Quoted(std::string(v));
    return *this;
  }
  Writer& operator<<(const std::string& v) { return *this << std::string_view(v); }
  Writer& operator<<(const FixedText& v) { return *this << v.View(); }
  Writer& operator<<(const HostTextStyle& v) { return *this << v.Width << v.Height << v.Spacing << v.Colour; }
  Writer& operator<<(const DrawingAttributes& a) {
    return *this << a.Group << a.Layer << a.Colour << a.LineType << a.LineWidth << a.TextStyle << a.FreeText
                 << a.TextCc << a.FontName << a.PointColour << a.ExtendedColour;
  }
  Writer& operator<<(const EntityAttributes& a) {
    return *this << a.PickTag << a.Group << a.Layer << a.Colour << a.LineType << a.LineWidth << a.Flags;
  }
  Writer& operator<<(const LineEntity& e) { return *this << e.Attr << e.PolylineNo << e.X1 << e.Y1 << e.X2 << e.Y2; }
  Writer& operator<<(const TextEntity& e) {
    return *this << e.Attr << e.TextKind << e.Cc << e.StyleNo << e.Width << e.Height << e.Spacing << e.X << e.Y
                 << e.DirX << e.DirY << e.FontName << e.Text;
  }
  template <typename T, std::size_t N>
  Writer& operator<<(const std::array<T, N>& values) {
    if (!readable_ && std::is_arithmetic_v<T>) return RawArray(values.data(), N);
    for (const T& v : values) *this << v;
    return *this;
  }
  template <typename T>
  Writer& operator<<(const std::vector<T>& values) {
    *this << static_cast<std::int32_t>(values.size());
    if (!readable_ && std::is_arithmetic_v<T>) return RawArray(values.data(), values.size());
    for (const T& v : values) *this << v;
    return *this;
  }
  template <typename T, typename F>
  Writer& List(const char* name, const GrowingList<T>& list, F&& each) {
    (*this)(name) << static_cast<std::int32_t>(list.Count());
    for (std::size_t i = 0; i < list.Count(); ++i) {
      if (readable_) text_ += "\n ";
      each(*this, list[i]);
    }
    return *this;
  }
  std::string Take() { return readable_ ? std::move(text_) : std::string(raw_.get(), size_); }

 private:
  template <typename T>
  Writer& Raw(const T& v) {
    // A copy of a size known here, which the compiler makes without a call.
    Reserve(sizeof v);
    std::memcpy(raw_.get() + size_, &v, sizeof v);
    size_ += sizeof v;
    return *this;
  }
  // Numbers side by side in memory, in one piece.
  template <typename T>
  Writer& RawArray(const T* values, std::size_t count) {
    Put(values, count * sizeof(T));
    return *this;
  }
  // The raw bytes go into a plain buffer: the string functions of the
  // standard library may come from a part of the program that is
  // instrumented for coverage, and each of their comparisons would then
  // cost a call.
  void Put(const void* bytes, std::size_t count) {
    Reserve(count);
    if (count != 0) std::memcpy(raw_.get() + size_, bytes, count);
    size_ += count;
  }
  void Reserve(std::size_t count) {
    if (capacity_ - size_ >= count) return;
    const std::size_t capacity = std::max(capacity_ * 2, size_ + count + (1 << 13));
    std::unique_ptr<char[]> grown(new char[capacity]);
    if (size_ != 0) std::memcpy(grown.get(), raw_.get(), size_);
    raw_ = std::move(grown);
    capacity_ = capacity;
  }

  bool readable_;
  std::string text_;              // the readable text
  std::unique_ptr<char[]> raw_;  // the raw bytes
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

template <typename T>
void ValuesOf(Writer& w, const T& e) {
  w << e.Attr << e.ExtColour;
  for (double v : e.Values) w << v;
}

}  // namespace

std::string DescribeHostState(const HostState& s, bool readable) {
  Writer w(readable);
  w("settings") << s.AxisAngle << s.DrawingFile << s.GroupScales << s.SheetWidth << s.SheetHeight << s.BzMarked
                << s.HnValues;
  w("styles") << s.TextStyles;
  w("initial") << s.Initial;
  w("picked") << s.PickedCount;
  for (const PickedPoint& p : s.PickedPoints) w << p.Set << p.X << p.Y << p.Kind;
  w("groups") << s.GroupStates << s.GroupNames;
  w("layers") << s.LayerStates << s.LayerNames;
  w("pending") << s.InitialPending;
  w("current") << s.CurrentPickTag << s.Current;
  w("modes") << s.EntityFlags << s.PolylineCount << s.InPolyline << s.DimensionPending << s.PendingDimensionLine;
  w.List("order", s.EntityOrder, [](Writer& o, const EntityRef& e) { o << e.Kind << e.Index; });
  w.List("lines", s.Lines, [](Writer& o, const LineEntity& e) { o << e; });
  w.List("circles", s.Circles, [](Writer& o, const CircleEntity& e) { o << e.Attr << e.X << e.Y << e.Radius; });
  w.List("arcs", s.Arcs, [](Writer& o, const ArcEntity& e) {
    o << e.Attr;
    for (double v : e.Values) o << v;
  });
  w.List("texts", s.Texts, [](Writer& o, const TextEntity& e) { o << e; });
  w.List("points", s.Points, [](Writer& o, const PointEntity& e) { o << e.Attr << e.X << e.Y; });
  w.List("xpoints", s.ExtendedPoints, [](Writer& o, const ExtendedPointEntity& e) {
    o << e.Attr << e.X << e.Y << e.Scale << e.Angle << e.PointKind;
  });
  w.List("dimensions", s.Dimensions, [](Writer& o, const DimensionEntity& e) { o << e.Line << e.Text; });
  w.List("blocks", s.Blocks, [](Writer& o, const BlockEntity& e) { o << e.Attr << e.X << e.Y << e.Name; });
  w.List("solids2", s.Solids2, [](Writer& o, const Solid2Entity& e) {
    o << e.Attr << e.ExtColour << e.X1 << e.Y1 << e.X2 << e.Y2;
  });
  w.List("solids3", s.Solids3, [](Writer& o, const Solid3Entity& e) {
    o << e.Attr << e.ExtColour << e.X1 << e.Y1 << e.X2 << e.Y2 << e.X3 << e.Y3;
  });
  w.List("solids4", s.Solids4, [](Writer& o, const Solid4Entity& e) {
    o << e.Attr << e.ExtColour << e.X1 << e.Y1 << e.X2 << e.Y2 << e.X3 << e.Y3 << e.X4 << e.Y4;
  });
  w.List("sc", s.ScSolids, [](Writer& o, const ScSolidEntity& e) {
    ValuesOf(o, e);
    o << e.N;
  });
  w.List("se", s.SeSolids, [](Writer& o, const SeSolidEntity& e) {
    ValuesOf(o, e);
    o << e.N;
  });
  w.List("so", s.SoSolids, [](Writer& o, const SoSolidEntity& e) { ValuesOf(o, e); });
  w.List("sg", s.SgSolids, [](Writer& o, const SgSolidEntity& e) { ValuesOf(o, e); });
  return w.Take();
}

namespace {

std::size_t CountOfKind(const HostState& s, std::int32_t kind) {
  switch (kind) {
    case kLineKind: return s.Lines.Count();
    case kCircleKind: return s.Circles.Count();
    case kArcKind: return s.Arcs.Count();
    case kTextKind: return s.Texts.Count();
    case kPointKind: return s.Points.Count();
    case kExtendedPointKind: return s.ExtendedPoints.Count();
    case kDimensionKind: return s.Dimensions.Count();
    case kBlockKind: return s.Blocks.Count();
    case kSolid2Kind: return s.Solids2.Count();
    case kSolid3Kind: return s.Solids3.Count();
    case kSolid4Kind: return s.Solids4.Count();
    case kScSolidKind: return s.ScSolids.Count();
    case kSeSolidKind: return s.SeSolids.Count();
    case kSoSolidKind: return s.SoSolids.Count();
    case kSgSolidKind: return s.SgSolids.Count();
    default: return 0;
  }
}

bool InRange(std::int32_t v, std::int32_t low, std::int32_t high) { return v >= low && v <= high; }

void CheckText(const TextEntity& text) {
  FUZZ_CHECK(text.Text.Size() <= FixedText::kMax && text.FontName.Size() <= FixedText::kMax, "text field too long");
  FUZZ_CHECK(InRange(text.TextKind, 0, 9), "text kind " + std::to_string(text.TextKind));
  FUZZ_CHECK(InRange(text.Cc, 0, 8), "text cc " + std::to_string(text.Cc));
}

}  // namespace

void CheckHostStateInvariants(const HostState& s) {
  // Every entity appears once in EntityOrder, in the order of its list.
  std::vector<std::size_t> seen(16, 0);
  for (std::size_t i = 0; i < s.EntityOrder.Count(); ++i) {
    const EntityRef& e = s.EntityOrder[i];
    FUZZ_CHECK(InRange(e.Kind, 1, 15), "entity kind " + std::to_string(e.Kind));
    FUZZ_CHECK(static_cast<std::size_t>(e.Index) == seen[static_cast<std::size_t>(e.Kind)],
               "entity order of kind " + std::to_string(e.Kind) + " lists index " + std::to_string(e.Index));
    ++seen[static_cast<std::size_t>(e.Kind)];
  }
  for (std::int32_t kind = 1; kind <= 15; ++kind) {
    FUZZ_CHECK(seen[static_cast<std::size_t>(kind)] == CountOfKind(s, kind),
               "entity order and list of kind " + std::to_string(kind) + " disagree");
  }

  FUZZ_CHECK(s.PickedPoints.size() == 100 && s.GroupStates.size() == 16 && s.GroupNames.size() == 16 &&
                 s.LayerStates.size() == 256 && s.LayerNames.size() == 256,
             "a fixed-size list changed its size");
  FUZZ_CHECK(!s.PickedPoints[0].Set, "picked point slot 0 filled");
  std::int32_t set = 0;
  for (const PickedPoint& p : s.PickedPoints) set += p.Set ? 1 : 0;
  FUZZ_CHECK(s.PickedCount >= set, "fewer picks counted than slots filled");

  FUZZ_CHECK(InRange(s.Current.Group, 0, 15) && InRange(s.Initial.Group, 0, 15), "layer group out of 0..15");
  FUZZ_CHECK(InRange(s.Current.Layer, 0, 15) && InRange(s.Initial.Layer, 0, 15), "layer out of 0..15");
  FUZZ_CHECK(InRange(s.Current.TextCc, 0, 8), "cc out of 0..8");
  FUZZ_CHECK((s.EntityFlags & ~31) == 0, "entity flags beyond z1..z5");

  for (std::size_t i = 0; i < s.Texts.Count(); ++i) CheckText(s.Texts[i]);
  for (std::size_t i = 0; i < s.Dimensions.Count(); ++i) {
    CheckText(s.Dimensions[i].Text);
    FUZZ_CHECK(s.Dimensions[i].Text.TextKind == 2, "dimension text is not a cs text");
  }
}

}  // namespace fuzz_support

#pragma once
// The dialog's setting controls, each named after the setting it holds (the
// settings table's names), in tab order.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <stdexcept>

enum class Control : std::int8_t {
  StartMark,
  EndMark,
  ArrowLength,
  ArrowAngle,
  MarkScale,
  TextStyle,
  Prefix,
  Suffix,
  Precision,
  Rounding,
  ZeroDisplay,
  ValueUnit,
  ThousandsCommas,
  AppendUnit,
  FullWidth,
  AsDimensionFigure,
  TextLineGap,
  ExtLineOffset,
  ExtLineOvershoot,
  ReverseArrowOvershoot,
};

inline constexpr int kControlCount = 20;

// The name of the setting the control holds ("StartMark", ...).
const char* ControlName(Control control);

// The element of a list of per-control descriptions (each with a field `Id`)
// that describes the control; `missing` is the error when none does.
template <typename List>
const auto& ForControl(const List& list, Control id, const char* missing) {
  // A list in the order of the enumeration holds each control at its index.
  const auto index = static_cast<std::size_t>(id);
  if (index < std::size(list) && list[index].Id == id) return list[index];
  for (const auto& element : list)
    if (element.Id == id) return element;
  throw std::logic_error(missing);
}

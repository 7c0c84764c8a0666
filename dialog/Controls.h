#pragma once
// The dialog's controls, by the names the dialog gives them.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <stdexcept>

enum class Control : std::int8_t {
  StartMark,    // StartMark
  EndMark,    // EndMark
  ArrowLength,        // ArrowLength
  ArrowAngle,        // ArrowAngle
  MarkScale,        // MarkScale
  TextStyle,    // TextStyle
  Prefix,        // Prefix
  Suffix,        // Suffix
  Precision,    // Precision
  Rounding,    // Rounding
  ZeroDisplay,  // ZeroDisplay
  ValueUnit,  // ValueUnit
  ThousandsCommas,    // ThousandsCommas
  AppendUnit,    // AppendUnit
  FullWidth,    // FullWidth
  AsDimensionFigure,    // AsDimensionFigure
  TextLineGap,        // TextLineGap
  ExtLineOffset,        // ExtLineOffset
  ExtLineOvershoot,        // ExtLineOvershoot
  ReverseArrowOvershoot,        // ReverseArrowOvershoot
};

inline constexpr int kControlCount = 20;

// The control's name as the dialog calls it ("StartMark", ...).
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

#pragma once
// The dialog's controls, by the names the dialog gives them.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <stdexcept>

enum class Control : std::int8_t {
  ComboBox1,    // StartMark
  ComboBox2,    // EndMark
  Edit7,        // ArrowLength
  Edit8,        // ArrowAngle
  Edit1,        // MarkScale
  ComboBox3,    // TextStyle
  Edit2,        // Prefix
  Edit3,        // Suffix
  ComboBox4,    // Precision
  ComboBox5,    // Rounding
  RadioGroup1,  // ZeroDisplay
  RadioGroup2,  // ValueUnit
  CheckBox1,    // ThousandsCommas
  CheckBox2,    // AppendUnit
  CheckBox3,    // FullWidth
  CheckBox4,    // AsDimensionFigure
  Edit4,        // TextLineGap
  Edit5,        // ExtLineOffset
  Edit6,        // ExtLineOvershoot
  Edit9,        // ReverseArrowOvershoot
};

inline constexpr int kControlCount = 20;

// The control's name as the dialog calls it ("ComboBox1", ...).
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

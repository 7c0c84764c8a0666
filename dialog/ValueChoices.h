#pragma once
// The dialog's choices for the dimension value as types. The settings file
// and the controls keep their entry and button numbers; the functions here
// are the one place that turns those numbers into these choices.
#include <cstdint>
#include <optional>

#include "dialog/DialogSettings.h"
#include "helpers/Rounding.h"

// The radio group "寸法値の単位": the value in millimetres ("mm") or in
// metres ("ｍ"; the length is divided by 1000 before rounding).
enum class ValueUnit : std::int32_t { Millimetre = 0, Metre = 1 };

// The radio group "小数点以下の０表示": trailing zeros after the decimal point
// dropped ("無") or kept ("有").
enum class ZeroDisplay : std::int32_t { Drop = 0, Keep = 1 };

// The text style of the value: the host's current one (the list's first
// entry) or host style No1 to No10 (entries 1 to 10).
enum class TextStyleChoice : std::int32_t { HostsCurrent = 0 };
inline constexpr std::int32_t kHostTextStyles = 10;
// 0 for the host's current style, else the host style number 1-10.
inline constexpr std::int32_t HostStyleNumber(TextStyleChoice choice) {
  return static_cast<std::int32_t>(choice);
}

// The precision list offers 0 to kMaxDecimals decimals: "1", "0.1", ...,
// "0.00000001".
inline constexpr std::int32_t kMaxDecimals = 8;

// Each gives nothing when the control holds no choice: no entry or button
// selected, or a number past the control's entries (which the controls never
// hold). The limits are the entry counts of the settings table.
std::optional<RoundingMode> RoundingChoice(const DialogSettings& values);
std::optional<ValueUnit> ValueUnitChoice(const DialogSettings& values);
std::optional<ZeroDisplay> ZeroDisplayChoice(const DialogSettings& values);
std::optional<TextStyleChoice> TextStyleChoiceOf(const DialogSettings& values);
// The number of decimals, 0 to kMaxDecimals: the entry of the precision list.
std::optional<std::int32_t> DecimalsChoice(const DialogSettings& values);

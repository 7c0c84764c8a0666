#include "dialog/ValueChoices.h"

#include "dialog/SettingsTable.h"

namespace {

// The number, when it names one of the control's entries.
std::optional<std::int32_t> Entry(std::int32_t number, Control control) {
  if (number < 0 || number >= SettingRowOf(control).EntryCount) return std::nullopt;
  return number;
}

template <typename Choice>
std::optional<Choice> As(std::optional<std::int32_t> entry) {
  if (!entry) return std::nullopt;
  return static_cast<Choice>(*entry);
}

}  // namespace

// The entries of the rounding list are the helper's modes in their order.
static_assert(static_cast<int>(RoundingMode::Truncate) == 0 &&
              static_cast<int>(RoundingMode::UpFromTenth) == 1 &&
              static_cast<int>(RoundingMode::HalfAwayFromZero) == 2);

std::optional<RoundingMode> RoundingChoice(const DialogSettings& v) {
  return As<RoundingMode>(Entry(v.Rounding, Control::Rounding));
}

std::optional<ValueUnit> ValueUnitChoice(const DialogSettings& v) {
  return As<ValueUnit>(Entry(v.ValueUnit, Control::ValueUnit));
}

std::optional<ZeroDisplay> ZeroDisplayChoice(const DialogSettings& v) {
  return As<ZeroDisplay>(Entry(v.ZeroDisplay, Control::ZeroDisplay));
}

std::optional<TextStyleChoice> TextStyleChoiceOf(const DialogSettings& v) {
  return As<TextStyleChoice>(Entry(v.TextStyle, Control::TextStyle));
}

std::optional<std::int32_t> DecimalsChoice(const DialogSettings& v) {
  return Entry(v.Precision, Control::Precision);
}

#include "dialog/SettingsTable.h"

#include "dialog/EndMarkKinds.h"
#include "dialog/ValueChoices.h"

namespace {

using S = DialogSettings;
using K = SettingKind;
using R = LoadRule;

const char* const kPaperMm = "図寸mm";

SettingRow Row(int line, const char* name, SettingKind kind, SettingField field, LoadRule rule,
               SettingValue initial, std::optional<Control> id = std::nullopt,
               const char* label = nullptr) {
  SettingRow row{};
  row.Line = line;
  row.Name = name;
  row.Kind = kind;
  row.Field = field;
  row.Rule = rule;
  row.Default = std::move(initial);
  row.Id = id;
  row.Label = label;
  return row;
}

// A drop-down list of the dialog.
SettingRow List(int line, const char* name, std::int32_t S::*field, std::int32_t initial,
                Control id, const char* label, std::vector<std::string> entries,
                int entryCount = 0) {
  SettingRow row = Row(line, name, K::ListIndex, field, R::ListEntry, initial, id, label);
  row.EntryCount = entryCount ? entryCount : static_cast<int>(entries.size());
  row.Entries = std::move(entries);
  row.NoIme = true;
  return row;
}

// A text field of the dialog.
SettingRow Text(int line, const char* name, std::string S::*field, const char* initial,
                Control id, const char* label, int byteLimit, bool noIme = true,
                const char* unit = nullptr) {
  SettingRow row = Row(line, name, K::Text, field, R::AsRead, std::string(initial), id, label);
  row.Unit = unit;
  row.ByteLimit = byteLimit;
  row.NoIme = noIme;
  return row;
}

SettingRow Radio(int line, const char* name, std::int32_t S::*field, Control id,
                 const char* caption, std::vector<std::string> buttons) {
  SettingRow row = Row(line, name, K::RadioIndex, field, R::RadioButton, std::int32_t{0}, id, caption);
  row.EntryCount = static_cast<int>(buttons.size());
  row.Entries = std::move(buttons);
  return row;
}

SettingRow Check(int line, const char* name, bool S::*field, Control id, const char* caption) {
  return Row(line, name, K::Flag, field, R::NotZero, false, id, caption);
}

// The end mark lists: the captions of the end mark kinds, in their order.
std::vector<std::string> EndMarkCaptions() {
  std::vector<std::string> captions;
  for (const EndMarkKind& kind : EndMarkKinds()) captions.emplace_back(kind.Caption);
  return captions;
}

// The precision list: entry k is one unit of the k-th decimal ("1", "0.1",
// "0.01", ...).
std::vector<std::string> PrecisionSteps() {
  std::vector<std::string> steps = {"1"};
  for (std::int32_t k = 1; k <= kMaxDecimals; ++k) steps.push_back("0." + std::string(k - 1, '0') + "1");
  return steps;
}

SettingRow Stored(int line, const char* name, std::int32_t S::*field, LoadRule rule,
                  SettingValue initial) {
  return Row(line, name, K::Integer, field, rule, std::move(initial));
}

SettingRow Stored(int line, const char* name, double S::*field, LoadRule rule,
                  SettingValue initial = {}) {
  return Row(line, name, K::Real, field, rule, std::move(initial));
}

std::vector<SettingRow> BuildRows() {
  const std::vector<std::string> marks = EndMarkCaptions();
  std::vector<SettingRow> rows = {
      Stored(1, "WindowLeft", &S::WindowLeft, R::AsRead, std::int32_t{100}),
      Stored(2, "WindowTop", &S::WindowTop, R::AsRead, std::int32_t{100}),
      List(3, "StartMark", &S::StartMark, 0, Control::StartMark, "始点", marks),
      List(4, "EndMark", &S::EndMark, 0, Control::EndMark, "終点", marks),
      // Filled by the show sequence: the host's current style and No1-No10.
      List(5, "TextStyle", &S::TextStyle, -1, Control::TextStyle, "寸法値の文字種", {},
           1 + kHostTextStyles),
      List(6, "Precision", &S::Precision, 3, Control::Precision, "寸法値の精度", PrecisionSteps()),
      List(7, "Rounding", &S::Rounding, 2, Control::Rounding, "寸法値の丸め",
           {"切り捨て", "切り上げ", "四捨五入"}),
      Text(8, "MarkScale", &S::MarkScale, "1", Control::MarkScale, "端点倍率", 16),
      Text(9, "Prefix", &S::Prefix, "", Control::Prefix, "接頭文字", 32, false),
      Text(10, "Suffix", &S::Suffix, "", Control::Suffix, "接尾文字", 32, false),
      Text(11, "TextLineGap", &S::TextLineGap, "0.5", Control::TextLineGap,
           "寸法値と水平線との距離", 16, true, kPaperMm),
      Text(12, "ExtLineOffset", &S::ExtLineOffset, "2", Control::ExtLineOffset,
           "計測点と寸法補助線の距離", 16, true, kPaperMm),
      Text(13, "ExtLineOvershoot", &S::ExtLineOvershoot, "2", Control::ExtLineOvershoot,
           "寸法補助線のはみ出し距離", 16, true, kPaperMm),
      Text(14, "ArrowLength", &S::ArrowLength, "3", Control::ArrowLength, "長さ", 8, true, kPaperMm),
      Text(15, "ArrowAngle", &S::ArrowAngle, "15", Control::ArrowAngle, "角度", 8, true, "°"),
      Text(16, "ReverseArrowOvershoot", &S::ReverseArrowOvershoot, "2", Control::ReverseArrowOvershoot,
           "逆矢印の寸法はみだし距離", 16, true, kPaperMm),
      Radio(17, "ZeroDisplay", &S::ZeroDisplay, Control::ZeroDisplay, "小数点以下の０表示",
            {"無", "有"}),
      Radio(18, "ValueUnit", &S::ValueUnit, Control::ValueUnit, "寸法値の単位", {"mm", "ｍ"}),
      Check(19, "ThousandsCommas", &S::ThousandsCommas, Control::ThousandsCommas, "３桁毎カンマ付加"),
      Check(20, "AppendUnit", &S::AppendUnit, Control::AppendUnit, "単位の付加"),
      Check(21, "FullWidth", &S::FullWidth, Control::FullWidth, "寸法値を全角化"),
      Check(22, "AsDimensionFigure", &S::AsDimensionFigure, Control::AsDimensionFigure, "寸法図形化"),
      // -1 tells that no valid file was read.
      Stored(23, "LastLayerGroup", &S::LastLayerGroup, R::LayerGroup, std::int32_t{-1}),
      Stored(24, "LastGroupScale", &S::LastGroupScale, R::PositiveScale, 1.0),
      Stored(25, "LastAxisAngle", &S::LastAxisAngle, R::AsRead, 0.0),
      // The chain keeps what it holds until a file gives it values.
      Stored(26, "LastPoint1X", &S::LastPoint1X, R::AsRead),
      Stored(27, "LastPoint1Y", &S::LastPoint1Y, R::AsRead),
      Stored(28, "LastPoint2X", &S::LastPoint2X, R::AsRead),
      Stored(29, "LastPoint2Y", &S::LastPoint2Y, R::AsRead),
      Stored(30, "LastRefX", &S::LastRefX, R::AsRead),
      Stored(31, "LastRefY", &S::LastRefY, R::AsRead),
  };
  for (SettingRow& row : rows)
    if (row.Id == Control::MarkScale) row.Note = "（点マーカ　線矢印を除く）";
  return rows;
}

// Sets a field to the value when both are of a kind.
struct AssignValue {
  DialogSettings& settings;
  const SettingValue& value;
  template <typename T>
  void operator()(T S::*field) const {
    if (const T* v = std::get_if<T>(&value)) settings.*field = *v;
  }
};

}  // namespace

void SetDefault(const SettingRow& row, DialogSettings& settings) {
  std::visit(AssignValue{settings, row.Default}, row.Field);
}

const std::vector<SettingRow>& SettingRows() {
  static const std::vector<SettingRow> rows = BuildRows();
  return rows;
}

const SettingRow& SettingRowOf(Control id) { return ForControl(SettingRows(), id, "no setting for the control"); }

DialogSettings InitialSettings() {
  DialogSettings settings;
  for (const SettingRow& row : SettingRows())
    if (row.Id) SetDefault(row, settings);
  return settings;
}

#include "app/SettingsFile.h"

#include <array>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "exchange/HostState.h"
#include "exchange/SafeFile.h"
#include "helpers/NumberFormat.h"
#include "helpers/NumberParse.h"

namespace fs = std::filesystem;

namespace {

constexpr int kLineCount = 31;

// Lines 3-7: the five drop-down lists, in file order.
constexpr std::array<Control, 5> kListLines = {
    Control::ComboBox1, Control::ComboBox2, Control::ComboBox3,
    Control::ComboBox4, Control::ComboBox5};
// Lines 8-16: the nine text fields, in file order.
constexpr std::array<Control, 9> kTextLines = {
    Control::Edit1, Control::Edit2, Control::Edit3, Control::Edit4, Control::Edit5,
    Control::Edit6, Control::Edit7, Control::Edit8, Control::Edit9};
// Lines 17-18: the two radio groups.
constexpr std::array<Control, 2> kRadioLines = {Control::RadioGroup1,
                                                Control::RadioGroup2};
// Lines 19-22: the four check boxes.
constexpr std::array<Control, 4> kCheckLines = {
    Control::CheckBox1, Control::CheckBox2, Control::CheckBox3, Control::CheckBox4};

std::int32_t* ListField(TDialogSettings& s, int i) {
  std::int32_t* fields[] = {&s.StartMark, &s.EndMark, &s.TextStyle, &s.Precision,
                            &s.Rounding};
  return fields[i];
}

std::string* TextField(TDialogSettings& s, int i) {
  std::string* fields[] = {&s.MarkScale,   &s.Prefix,        &s.Suffix,
                           &s.TextLineGap, &s.ExtLineOffset, &s.ExtLineOvershoot,
                           &s.ArrowLength, &s.ArrowAngle,    &s.ReverseArrowOvershoot};
  return fields[i];
}

std::int32_t* RadioField(TDialogSettings& s, int i) {
  std::int32_t* fields[] = {&s.ZeroDisplay, &s.ValueUnit};
  return fields[i];
}

bool* CheckField(TDialogSettings& s, int i) {
  bool* fields[] = {&s.ThousandsCommas, &s.AppendUnit, &s.FullWidth,
                    &s.AsDimensionFigure};
  return fields[i];
}

double* ChainField(TDialogSettings& s, int i) {
  double* fields[] = {&s.LastPoint1X, &s.LastPoint1Y, &s.LastPoint2X,
                      &s.LastPoint2Y, &s.LastRefX,    &s.LastRefY};
  return fields[i];
}

// Stores line `number` (1-based) of the file.
void ApplyLine(int number, const std::string& line, TDialogSettings& s,
               UserInterface& ui) {
  if (number <= 2) {
    (number == 1 ? s.WindowLeft : s.WindowTop) = StrToIntOrZero(line);
  } else if (number <= 7) {
    const int i = number - 3;
    std::int32_t index = StrToIntOrZero(line);
    if (index < 0) index = 0;
    ui.ListSelect(kListLines[i], index);
    *ListField(s, i) = ui.ListSelected(kListLines[i]);
  } else if (number <= 16) {
    const int i = number - 8;
    *TextField(s, i) = line;
    ui.SetText(kTextLines[i], line);
  } else if (number <= 18) {
    const int i = number - 17;
    std::int32_t index = StrToIntOrZero(line);
    if (index < 0) index = 0;
    ui.RadioSelect(kRadioLines[i], index);
    *RadioField(s, i) = ui.RadioSelected(kRadioLines[i]);
  } else if (number <= 22) {
    const int i = number - 19;
    const bool checked = StrToIntOrZero(line) != 0;
    ui.CheckSet(kCheckLines[i], checked);
    *CheckField(s, i) = checked;
  } else if (number == 23) {
    const std::int32_t group = StrToIntOrZero(line);
    s.LastLayerGroup = (group >= 0 && group <= 15) ? group : 0;
  } else if (number == 24) {
    const double scale = StrToFloatOrZero(line);
    s.LastGroupScale = scale > 1e-10 ? scale : 1;
  } else if (number == 25) {
    s.LastAxisAngle = StrToFloatOrZero(line);
  } else {
    *ChainField(s, number - 26) = StrToFloatOrZero(line);
  }
}

// Reads one line ended by LF or CR LF (the terminator is dropped). At the end
// of the file the line is empty. False when the read failed.
bool ReadLine(std::ifstream& in, std::string& line) {
  line.clear();
  if (in.eof()) return true;
  std::getline(in, line);
  if (in.bad()) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

// The text as one line of the file: a line feed would end the line early and
// shift every value after it, so the text ends before its first line feed.
std::string_view AsFileLine(const std::string& text) {
  std::string_view view(text);
  return view.substr(0, view.find('\n'));
}

void AppendLine(std::string& out, std::string_view line) {
  out.append(line);
  out.append("\r\n");
}

}  // namespace

void LoadSettings(const fs::path& path, TDialogSettings& settings, UserInterface& ui) {
  settings.WindowLeft = 100;
  settings.WindowTop = 100;
  settings.LastLayerGroup = -1;
  settings.LastGroupScale = 1;
  settings.LastAxisAngle = 0;

  std::error_code ec;
  if (!fs::exists(path, ec)) return;

  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) return;
  std::string line;
  for (int number = 1; number <= kLineCount; ++number) {
    if (!ReadLine(in, line)) return;
    ApplyLine(number, line, settings, ui);
  }
}

bool SaveSettings(const fs::path& path, TDialogSettings& settings, UserInterface& ui) {
  // The dialog part is taken from the controls as they stand now.
  for (int i = 0; i < static_cast<int>(kListLines.size()); ++i)
    *ListField(settings, i) = ui.ListSelected(kListLines[i]);
  for (int i = 0; i < static_cast<int>(kTextLines.size()); ++i)
    *TextField(settings, i) = ui.GetText(kTextLines[i]);
  for (int i = 0; i < static_cast<int>(kRadioLines.size()); ++i)
    *RadioField(settings, i) = ui.RadioSelected(kRadioLines[i]);
  for (int i = 0; i < static_cast<int>(kCheckLines.size()); ++i)
    *CheckField(settings, i) = ui.CheckGet(kCheckLines[i]);

  std::string out;
  AppendLine(out, std::to_string(settings.WindowLeft));
  AppendLine(out, std::to_string(settings.WindowTop));
  for (int i = 0; i < static_cast<int>(kListLines.size()); ++i)
    AppendLine(out, std::to_string(*ListField(settings, i)));
  for (int i = 0; i < static_cast<int>(kTextLines.size()); ++i)
    AppendLine(out, AsFileLine(*TextField(settings, i)));
  for (int i = 0; i < static_cast<int>(kRadioLines.size()); ++i)
    AppendLine(out, std::to_string(*RadioField(settings, i)));
  for (int i = 0; i < static_cast<int>(kCheckLines.size()); ++i)
    AppendLine(out, *CheckField(settings, i) ? "1" : "0");

  // Lines 23-25 record the host's layer group, its scale and the axis angle
  // of this run: the chain below is expressed at that scale.
  const std::int32_t group = HostState.InitialGroup;
  const double scale =
      (group >= 0 && group < static_cast<std::int32_t>(HostState.GroupScales.size()))
          ? HostState.GroupScales[static_cast<std::size_t>(group)]
          : 1.0;
  AppendLine(out, std::to_string(group));
  AppendLine(out, FormatGeneral(scale));
  AppendLine(out, FormatGeneral(HostState.AxisAngle));
  for (int i = 0; i < 6; ++i) AppendLine(out, FormatGeneral(*ChainField(settings, i)));

  // A failed save leaves the previous file as it was; the caller tells the
  // user.
  return ReplaceFileContent(path, out);
}

#include "app/SettingsFile.h"

#include "dialog/SettingsTable.h"
#include "helpers/NumberFormat.h"
#include "helpers/NumberParse.h"

namespace {

constexpr int kFirstHostLine = 23;  // lines 23-25 record the host's values when saved

// The number of a line, brought to the value by the row's rule.
std::int32_t IntegerByRule(const SettingRow& row, std::int32_t n) {
  switch (row.Rule) {
    case LoadRule::ListEntry:
      if (n < 0) return 0;
      return n < row.EntryCount ? n : -1;
    case LoadRule::RadioButton:
      if (n < 0) return 0;
      return n < row.EntryCount ? n : row.EntryCount - 1;
    case LoadRule::LayerGroup:
      return n >= 0 && n <= 15 ? n : 0;
    default:
      return n;
  }
}

// Stores one line of the file into the row's field.
struct ApplyLine {
  const SettingRow& row;
  const std::string& line;
  DialogSettings& s;
  void operator()(std::int32_t DialogSettings::*field) const {
    s.*field = IntegerByRule(row, StrToIntOrZero(line));
  }
  void operator()(std::string DialogSettings::*field) const { s.*field = line; }
  void operator()(bool DialogSettings::*field) const { s.*field = StrToIntOrZero(line) != 0; }
  void operator()(double DialogSettings::*field) const {
    const double value = StrToFloatOrZero(line);
    s.*field = row.Rule == LoadRule::PositiveScale && !(value > 1e-10) ? 1.0 : value;
  }
};

// Writes the field of a row as its line.
struct FormatLine {
  const DialogSettings& s;
  std::string operator()(std::int32_t DialogSettings::*field) const {
    return std::to_string(s.*field);
  }
  // A line feed would end the line early and shift every value after it, so
  // a text ends before its first line feed.
  std::string operator()(std::string DialogSettings::*field) const {
    const std::string& text = s.*field;
    return text.substr(0, text.find('\n'));
  }
  std::string operator()(bool DialogSettings::*field) const { return s.*field ? "1" : "0"; }
  std::string operator()(double DialogSettings::*field) const { return FormatGeneral(s.*field); }
};

}  // namespace

void ApplySettingsFile(std::string_view bytes, bool complete, DialogSettings& settings) {
  const std::vector<SettingRow>& rows = SettingRows();
  for (const SettingRow& row : rows)
    if (!row.Id) SetDefault(row, settings);  // lines 1, 2 and 23-25

  std::size_t at = 0;
  for (const SettingRow& row : rows) {
    std::string_view line;  // a line beyond the end of the file reads as empty text
    if (at <= bytes.size()) {
      std::size_t end = bytes.find('\n', at);
      if (end == std::string_view::npos) {
        // An unfinished last line counts only when the file was read to its end.
        if (!complete) return;
        end = bytes.size();
      }
      line = bytes.substr(at, end - at);
      at = end + 1;
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::visit(ApplyLine{row, std::string(line), settings}, row.Field);
  }
}

std::string FormatSettingsFile(const DialogSettings& settings, std::int32_t hostGroup,
                               double hostGroupScale, double hostAxisAngle) {
  std::string out;
  for (const SettingRow& row : SettingRows()) {
    switch (row.Line - kFirstHostLine) {
      case 0: out += std::to_string(hostGroup); break;
      case 1: out += FormatGeneral(hostGroupScale); break;
      case 2: out += FormatGeneral(hostAxisAngle); break;
      default: out += std::visit(FormatLine{settings}, row.Field);
    }
    out += "\r\n";
  }
  return out;
}

FileBytes LoadSettings(FileSystem& files, const std::filesystem::path& path,
                       DialogSettings& settings) {
  FileBytes file = ReadWholeFile(files, path);
  ApplySettingsFile(file.Bytes, file.Complete(), settings);
  return file;
}

FileStatus SaveSettings(FileSystem& files, const std::filesystem::path& path,
                  const DialogSettings& settings, std::int32_t hostGroup,
                  double hostGroupScale, double hostAxisAngle) {
  return files.ReplaceContent(
      path, FormatSettingsFile(settings, hostGroup, hostGroupScale, hostAxisAngle));
}

FileStatus RestoreSettings(FileSystem& files, const std::filesystem::path& path,
                           const FileBytes& before) {
  if (!before.Existed()) return files.Remove(path);
  if (!before.Complete())
    return FileStatus::Failed(FileFault::Other, "the old content was not read whole");
  return files.ReplaceContent(path, before.Bytes);
}

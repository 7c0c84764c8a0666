#include "support/RunFiles.h"

#include "support/TestSupport.h"

namespace testing_support {

std::string JoinLines(const std::vector<std::string>& lines, const char* end) {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start) + "<no CR LF>");
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::set<std::string> FolderEntries(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

std::filesystem::path WorkedExampleFolder() {
  return std::filesystem::path(ORVANE_SOURCE_DIR) / "tests" / "data" / "worked_example";
}

std::string WorkedExampleFile(const char* name) { return ReadFileBytes(WorkedExampleFolder() / name); }

std::string HostFile::Bytes() const {
  std::vector<std::string> lines = {
      "hk " + Axis, "hs " + Scales, "hcw 3 2.5 2 4 5 6 7 8 9 10", "hch 3 2.5 2 4 5 6 7 8 9 10",
      "hcd 0 0 0 0 0 0 0 0 0 0", "hcc 2 2 2 2 2 2 2 2 2 2", "lg" + Group, "ly0", "lc2", "lt1",
      "lw0", "cn" + TextStyle, "cn$ＭＳ明朝"};
  for (std::size_t i = 0; i < Picks.size(); ++i)
    lines.push_back("hp" + std::to_string(i + 1) + " " + Picks[i]);
  return JoinLines(lines);
}

std::vector<std::string> SettingsFile::Lines() const {
  std::vector<std::string> lines = {"120", "80", "0", "0", "0", "3", "2", "1", "", "", "0.5",
                                    "2",   "2",  "3", "15", "2", "0", "0", "0", "0", "0", "0",
                                    "0",   Scale, Angle};
  lines.insert(lines.end(), Chain.begin(), Chain.end());
  return lines;
}

std::string PackagedText(const std::string& name) {
  std::string bytes;
  for (char c : Utf8ToSjis(ReadFileBytes(std::filesystem::path(ORVANE_SOURCE_DIR) /
                                         "frontends/win32/package" / name))) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  return bytes;
}

}  // namespace testing_support

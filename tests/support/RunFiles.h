#pragma once
// The files of a run as tests build and read them: lines ended by CR LF, the
// worked example's files, a host file and a settings file built from their
// few values that tests vary, and the names in a folder.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace testing_support {

// The lines, each followed by `end`.
std::string JoinLines(const std::vector<std::string>& lines, const char* end = "\r\n");
// The lines of a text whose lines end in CR LF; an unfinished last line is
// marked "<no CR LF>".
std::vector<std::string> SplitCrLf(const std::string& text);

// The names of the entries of a folder.
std::set<std::string> FolderEntries(const std::filesystem::path& folder);

// The worked example: JWC_TEMP.TXT and vk38.dat before the run, and
// expected_JWC_TEMP.TXT and expected_vk38.dat after OK.
std::filesystem::path WorkedExampleFolder();
std::string WorkedExampleFile(const char* name);

// A host file: axis angle, scales of the sixteen groups, the current group,
// the current text style and the picked points (more than two when needed).
struct HostFile {
  std::string Axis = "0";
  std::string Scales = "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1";
  std::string Group = "0";
  std::string TextStyle = "1";
  std::vector<std::string> Picks = {"100 1500", "-600 1200"};
  std::string Bytes() const;
};

// A settings file with the dialog defaults (text style 0) and a chain.
struct SettingsFile {
  std::string Scale = "1";
  std::string Angle = "0";
  std::vector<std::string> Chain = {"0", "0", "0", "1000", "-500", "300"};
  std::vector<std::string> Lines() const;
  std::string Bytes() const { return JoinLines(Lines()); }
};

// A launcher or read-me of the package as the user gets it: the source
// folder keeps it as UTF-8 with LF, the package as Shift-JIS with CR LF.
std::string PackagedText(const std::string& name);

}  // namespace testing_support

// The buffered command lines and how they reach the exchange file.
#include <string>

#include "exchange/FixedText.h"
#include "exchange/OutputWriter.h"

namespace {

constexpr const char* kLineEnd = "\r\n";
// The whole content of the file when the program produced nothing.
constexpr const char* kNothingLine = "hq";

bool EndsWithQuote(const std::string& line) { return !line.empty() && line.back() == '"'; }

// The file's bytes: CR LF after every line, except that a line ending in a
// double quote runs straight into the line after it (a text command and its
// text). A last line ending in a quote ends the file without a line end.
std::string BuildFileContent(const OutputCommands& out) {
  const auto& lines = out.Lines;
  std::string content;
  if (lines.Empty()) return std::string(kNothingLine) + kLineEnd;
  for (std::size_t i = 0; i < lines.Count(); ++i) {
    content += lines[i];
    if (EndsWithQuote(lines[i])) {
      if (i + 1 == lines.Count()) break;
      ++i;  // the joined line is not tested itself
      content += lines[i];
    }
    content += kLineEnd;
  }
  return content;
}

}  // namespace

void AddOutputLine(OutputCommands& out, std::string_view line) {
  out.Lines.Append().assign(line.substr(0, kMaxTextBytes));
}

FileStatus ReplaceOutputFile(FileSystem& files, const std::filesystem::path& path,
                             const OutputCommands& out) {
  return files.ReplaceContent(path, BuildFileContent(out));
}

FileStatus WriteOutputFile(FileSystem& files, const std::filesystem::path& path,
                           const OutputCommands& out) {
  FileStatus written = ReplaceOutputFile(files, path, out);
  if (written) return written;
  // No result rather than a wrong one: the host must not take the file it
  // wrote itself, or any partial content, for the program's output.
  files.Remove(path);
  return written;
}

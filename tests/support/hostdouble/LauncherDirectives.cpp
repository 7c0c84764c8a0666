#include "support/hostdouble/LauncherDirectives.h"

#include <cctype>
#include <stdexcept>

namespace host_double {

namespace {

std::vector<std::string> Lines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string line(bytes.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

bool StartsWithRem(std::string_view line) {
  if (line.size() < 3) return false;
  for (std::size_t i = 0; i < 3; ++i)
    if (std::toupper(static_cast<unsigned char>(line[i])) != "REM"[i]) return false;
  return line.size() == 3 || line[3] == ' ' || line[3] == '\t';
}

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

// The directive's word after "#" and the text after it ("1", "追加する...").
void Split(std::string_view directive, std::string& word, std::string& rest) {
  const std::size_t blank = directive.find_first_of(" \t");
  word = std::string(directive.substr(0, blank));
  rest.clear();
  if (blank == std::string_view::npos) return;
  const std::size_t text = directive.find_first_not_of(" \t", blank);
  if (text != std::string_view::npos) rest = std::string(directive.substr(text));
}

bool AllDigits(std::string_view word) {
  if (word.empty()) return false;
  for (char c : word)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

}  // namespace

Launcher ReadLauncher(std::string_view bytes) {
  const std::vector<std::string> lines = Lines(bytes);
  Launcher launcher;
  if (!lines.empty() && StartsWithRem(lines[0])) {
    const std::size_t text = lines[0].find_first_not_of(" \t", 3);
    if (text != std::string::npos) launcher.Memo = lines[0].substr(text);
  }
  bool ended = false;
  for (const std::string& line : lines) {
    if (!StartsWithRem(line)) {
      if (launcher.ProgramLine.empty() && !IsBlank(line) && line[0] != '@')
        launcher.ProgramLine = line;
      continue;
    }
    const std::size_t hash = line.find('#');
    if (hash == std::string::npos || ended) continue;
    if (hash >= kDirectiveColumns) {
      launcher.Ignored.push_back(line);
      continue;
    }
    std::string word;
    std::string rest;
    Split(std::string_view(line).substr(hash + 1), word, rest);
    if (word == "jww") {
      launcher.ForThisHost = true;
    } else if (word == "cd") {
      launcher.OwnFolder = true;
    } else if (word.size() == 2 && word[0] == 'h' && word[1] >= '0' && word[1] <= '4') {
      launcher.Selection = word[1] - '0';
    } else if (word == "zz") {
      launcher.HatchAttributes = true;
    } else if (word == "zw") {
      launcher.LineWidths = true;
    } else if (word == "zc") {
      launcher.TextBasePoints = true;
    } else if (word == "e") {
      ended = true;
    } else if (const bool lineAsked = word.ends_with("ln");
               AllDigits(std::string_view(word).substr(0, word.size() - (lineAsked ? 2 : 0)))) {
      if (std::stoi(word) != static_cast<int>(launcher.Prompts.size()) + 1)
        throw std::runtime_error("point prompt #" + word + " out of order");
      launcher.Prompts.push_back(rest);
      launcher.LinePrompts.push_back(lineAsked);
    }
  }
  if (!launcher.ForThisHost) throw std::runtime_error("no REM #jww: not a launcher of this host");
  if (launcher.ProgramLine.empty()) throw std::runtime_error("no line runs a program");
  return launcher;
}

ProgramCall SplitProgramLine(std::string_view line, std::string_view folder) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false;
  bool inWord = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  if (words.empty()) throw std::runtime_error("empty program line");
  ProgramCall call;
  call.Program = words[0];
  // %~dp0: the batch file's own folder, with its trailing separator.
  const std::size_t here = call.Program.find("%~dp0");
  if (here != std::string::npos) call.Program.replace(here, 5, folder);
  call.Arguments.assign(words.begin() + 1, words.end());
  return call;
}

}  // namespace host_double

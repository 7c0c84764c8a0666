// Copies a UTF-8 C++ source file and re-encodes its narrow string and
// character literals to Shift-JIS (code page 932), written as octal escapes.
//
// The program's sources are UTF-8 and the normal build lets the compiler turn
// their literals into Shift-JIS (-fexec-charset=CP932). The fuzzing build
// uses clang, which only knows UTF-8 as execution character set; compiling
// the copies this tool makes gives the same bytes in the binary. Escapes keep
// the copies pure ASCII, so a trail byte 0x5C can never be read as a
// backslash. Comments, u8/u/U/L literals and everything else stay as they
// are; a raw literal that holds non-ASCII text becomes an ordinary one.
//
//   sjis-literals INPUT OUTPUT
#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

bool IsIdentifierByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

std::string ToCp932(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv has no CP932");
  std::string input = utf8;
  std::string output(input.size() * 2 + 8, '\0');
  char* in = input.data();
  size_t inLeft = input.size();
  char* out = output.data();
  size_t outLeft = output.size();
  const size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) throw std::runtime_error("text not representable in CP932: " + utf8);
  output.resize(output.size() - outLeft);
  return output;
}

void AppendOctal(std::string& out, unsigned char b) {
  char escape[5];
  std::snprintf(escape, sizeof escape, "\\%03o", b);
  out += escape;
}

// The body of an ordinary literal (between its quotes): escapes stay as
// written, every run of non-ASCII bytes is converted and written as octal
// escapes.
std::string ConvertBody(const std::string& body) {
  std::string out;
  std::size_t i = 0;
  while (i < body.size()) {
    if (body[i] == '\\' && i + 1 < body.size()) {
      out += body.substr(i, 2);
      i += 2;
    } else if (IsAscii(body[i])) {
      out += body[i++];
    } else {
      std::size_t j = i;
      while (j < body.size() && !IsAscii(body[j])) ++j;
      for (char b : ToCp932(body.substr(i, j - i))) AppendOctal(out, static_cast<unsigned char>(b));
      i = j;
    }
  }
  return out;
}

// The raw text of a raw literal as an ordinary literal body, ASCII only.
std::string EscapeRaw(const std::string& raw) {
  std::string out;
  std::size_t i = 0;
  while (i < raw.size()) {
    const char c = raw[i];
    if (!IsAscii(c)) {
      std::size_t j = i;
      while (j < raw.size() && !IsAscii(raw[j])) ++j;
      for (char b : ToCp932(raw.substr(i, j - i))) AppendOctal(out, static_cast<unsigned char>(b));
      i = j;
      continue;
    }
    if (c == '\\' || c == '"' || c == '\'' || c == '?' || c < 0x20 || c == 0x7F) {
      AppendOctal(out, static_cast<unsigned char>(c));  // "?" too: no trigraphs
    } else {
      out += c;
    }
    ++i;
  }
  return out;
}

class Converter {
 public:
  explicit Converter(std::string source) : s_(std::move(source)) {}

  std::string Run() {
    while (i_ < s_.size()) Step();
    return out_;
  }

 private:
  void Step() {
    const char c = s_[i_];
    if (c == '/' && Next(1) == '/') return CopyUntil("\n");
    if (c == '/' && Next(1) == '*') return CopyUntil("*/", true);
    if (IsDigit(c) || (c == '.' && IsDigit(Next(1)))) return CopyNumber();
    if (IsIdentifierByte(c)) return Identifier();
    if (c == '"' || c == '\'') return Literal("", c);
    out_ += c;
    ++i_;
  }

  char Next(std::size_t k) const { return i_ + k < s_.size() ? s_[i_ + k] : '\0'; }

  // Copies up to and including `end` (or to the end of the file).
  void CopyUntil(const std::string& end, bool skipOpening = false) {
    const std::size_t from = i_;
    const std::size_t at = s_.find(end, i_ + (skipOpening ? 2 : 0));
    i_ = at == std::string::npos ? s_.size() : at + end.size();
    out_ += s_.substr(from, i_ - from);
  }

  // A preprocessing number, digit separators included (1'000).
  void CopyNumber() {
    const std::size_t from = i_;
    while (i_ < s_.size()) {
      const char c = s_[i_];
      if ((c == '+' || c == '-') && i_ > from &&
          (s_[i_ - 1] == 'e' || s_[i_ - 1] == 'E' || s_[i_ - 1] == 'p' || s_[i_ - 1] == 'P')) {
        ++i_;
      } else if (c == '\'' && i_ + 1 < s_.size() && IsIdentifierByte(s_[i_ + 1])) {
        i_ += 2;
      } else if (IsIdentifierByte(c) || c == '.') {
        ++i_;
      } else {
        break;
      }
    }
    out_ += s_.substr(from, i_ - from);
  }

  void Identifier() {
    const std::size_t from = i_;
    while (i_ < s_.size() && IsIdentifierByte(s_[i_])) ++i_;
    const std::string word = s_.substr(from, i_ - from);
    const char c = i_ < s_.size() ? s_[i_] : '\0';
    const bool prefix = word == "u8" || word == "u" || word == "U" || word == "L";
    const bool rawPrefix = word == "R" || word == "u8R" || word == "uR" || word == "UR" || word == "LR";
    if ((prefix && (c == '"' || c == '\'')) || (rawPrefix && c == '"')) return Literal(word, c);
    out_ += word;
  }

  // A literal starting at the quote s_[i_], with its prefix already read.
  void Literal(const std::string& prefix, char quote) {
    const bool raw = !prefix.empty() && prefix.back() == 'R';
    if (raw) return RawLiteral(prefix);
    const std::size_t bodyStart = i_ + 1;
    std::size_t j = bodyStart;
    while (j < s_.size() && s_[j] != quote && s_[j] != '\n') j += s_[j] == '\\' ? 2 : 1;
    if (j >= s_.size() || s_[j] != quote) throw std::runtime_error("unterminated literal");
    const std::string body = s_.substr(bodyStart, j - bodyStart);
    out_ += prefix;
    out_ += quote;
    out_ += prefix.empty() ? ConvertBody(body) : body;  // only ordinary literals change
    out_ += quote;
    i_ = j + 1;
  }

  void RawLiteral(const std::string& prefix) {
    const std::size_t open = s_.find('(', i_);
    if (open == std::string::npos) throw std::runtime_error("malformed raw literal");
    const std::string delimiter = s_.substr(i_ + 1, open - i_ - 1);
    const std::string closing = ")" + delimiter + "\"";
    const std::size_t close = s_.find(closing, open + 1);
    if (close == std::string::npos) throw std::runtime_error("unterminated raw literal");
    const std::string raw = s_.substr(open + 1, close - open - 1);
    bool ascii = true;
    for (char c : raw) ascii = ascii && IsAscii(c);
    if (prefix == "R" && !ascii) {
      out_ += '"' + EscapeRaw(raw) + '"';
    } else {
      out_ += prefix + s_.substr(i_, close + closing.size() - i_);
    }
    i_ = close + closing.size();
  }

  std::string s_;
  std::size_t i_ = 0;
  std::string out_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: sjis-literals INPUT OUTPUT\n";
    return 2;
  }
  try {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) throw std::runtime_error(std::string("cannot read ") + argv[1]);
    std::ostringstream text;
    text << in.rdbuf();
    const std::string converted = Converter(text.str()).Run();
    // Written through a temporary name so that an interrupted build never
    // leaves half a file that looks up to date.
    const std::string temporary = std::string(argv[2]) + ".part";
    {
      std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
      out << converted;
      if (!out.flush()) throw std::runtime_error(std::string("cannot write ") + argv[2]);
    }
    if (std::rename(temporary.c_str(), argv[2]) != 0) throw std::runtime_error(std::string("cannot write ") + argv[2]);
  } catch (const std::exception& e) {
    std::cerr << argv[1] << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}

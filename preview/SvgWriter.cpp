#include "preview/SvgWriter.h"

#include <charconv>
#include <cmath>

#include "preview/TextDecoding.h"

std::string SvgNumber(double value) {
  if (!std::isfinite(value)) return "0";
  if (value == 0) return "0";  // also for -0
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string PixelNumber(double value) {
  if (!std::isfinite(value)) return "0";
  const double rounded = std::round(value * 100) / 100;
  if (rounded == 0) return "0";
  char buffer[32];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, 2);
  std::string text(buffer, result.ptr);
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

void SvgWriter::Declaration() { out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"; }

void SvgWriter::Indent() { out_.append(static_cast<std::size_t>(depth_) * 1, ' '); }

void SvgWriter::StartTag(std::string_view name, const SvgAttributes& attributes) {
  Indent();
  out_ += '<';
  out_ += name;
  for (const auto& [key, value] : attributes) {
    out_ += ' ';
    out_ += key;
    out_ += "=\"";
    out_ += EscapeXml(value);
    out_ += '"';
  }
}

void SvgWriter::Open(std::string_view name, const SvgAttributes& attributes) {
  StartTag(name, attributes);
  out_ += ">\n";
  ++depth_;
}

void SvgWriter::Close(std::string_view name) {
  --depth_;
  Indent();
  out_ += "</";
  out_ += name;
  out_ += ">\n";
}

void SvgWriter::Empty(std::string_view name, const SvgAttributes& attributes) {
  StartTag(name, attributes);
  out_ += "/>\n";
}

void SvgWriter::TextElement(std::string_view name, const SvgAttributes& attributes,
                            std::string_view text) {
  StartTag(name, attributes);
  out_ += '>';
  out_ += EscapeXml(text);
  out_ += "</";
  out_ += name;
  out_ += ">\n";
}

void SvgWriter::SpannedTextElement(std::string_view name, const SvgAttributes& attributes,
                                   std::string_view childName,
                                   const std::vector<std::pair<SvgAttributes, std::string>>& pieces) {
  StartTag(name, attributes);
  out_ += '>';
  for (const auto& [childAttributes, text] : pieces) {
    const int depth = depth_;
    depth_ = 0;  // no indentation inside the line
    StartTag(childName, childAttributes);
    depth_ = depth;
    out_ += '>';
    out_ += EscapeXml(text);
    out_ += "</";
    out_ += childName;
    out_ += '>';
  }
  out_ += "</";
  out_ += name;
  out_ += ">\n";
}

void SvgWriter::Comment(std::string_view text) {
  std::string body(text);
  for (std::size_t at = body.find("--"); at != std::string::npos; at = body.find("--", at)) {
    body.replace(at, 2, "- -");
  }
  if (!body.empty() && body.back() == '-') body += ' ';
  Indent();
  out_ += "<!-- ";
  out_ += body;
  out_ += " -->\n";
}

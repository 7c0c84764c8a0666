#pragma once
// Writing SVG text: elements with attributes, text content and comments, all
// escaped, and numbers in the forms the picture uses.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The shortest text that reads back as exactly the same double: drawing
// coordinates keep their full value in the picture.
std::string SvgNumber(double value);
// A pixel measure, to a hundredth of a pixel.
std::string PixelNumber(double value);

using SvgAttributes = std::vector<std::pair<std::string, std::string>>;

class SvgWriter {
 public:
  // The XML declaration, once at the start.
  void Declaration();
  void Open(std::string_view name, const SvgAttributes& attributes = {});
  void Close(std::string_view name);
  void Empty(std::string_view name, const SvgAttributes& attributes);
  // An element holding text (UTF-8; escaped here).
  void TextElement(std::string_view name, const SvgAttributes& attributes, std::string_view text);
  // An element holding one child element per piece of text, all on one line
  // so that no whitespace stands between them.
  void SpannedTextElement(std::string_view name, const SvgAttributes& attributes,
                          std::string_view childName,
                          const std::vector<std::pair<SvgAttributes, std::string>>& pieces);
  // A comment; a "--" in the text (not allowed in XML comments) becomes "- -".
  void Comment(std::string_view text);

  const std::string& Text() const { return out_; }
  std::string Take() { return std::move(out_); }

 private:
  void StartTag(std::string_view name, const SvgAttributes& attributes);
  void Indent();

  std::string out_;
  int depth_ = 0;
};

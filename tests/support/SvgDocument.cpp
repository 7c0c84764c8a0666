#include "support/SvgDocument.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>

namespace svg_testing {

namespace fs = std::filesystem;

std::string Element::Attr(const std::string& name) const {
  auto it = Attributes.find(name);
  return it == Attributes.end() ? std::string() : it->second;
}

double Element::Number(const std::string& name) const {
  auto it = Attributes.find(name);
  if (it == Attributes.end()) return std::numeric_limits<double>::quiet_NaN();
  try {
    std::size_t used = 0;
    const double value = std::stod(it->second, &used);
    if (used != it->second.size()) return std::numeric_limits<double>::quiet_NaN();
    return value;
  } catch (...) {
    return std::numeric_limits<double>::quiet_NaN();
  }
}

bool Element::HasClass(const std::string& word) const {
  std::istringstream words(Attr("class"));
  std::string w;
  while (words >> w) {
    if (w == word) return true;
  }
  return false;
}

namespace {

std::string Str(const xmlChar* text) { return text ? reinterpret_cast<const char*>(text) : ""; }

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

void Convert(xmlNode* node, Element& element, std::vector<std::string>& comments) {
  element.Name = Str(node->name);
  for (xmlAttr* a = node->properties; a; a = a->next) {
    std::string name = Str(a->name);
    if (a->ns && a->ns->prefix) name = Str(a->ns->prefix) + ":" + name;
    xmlChar* value = xmlNodeListGetString(node->doc, a->children, 1);
    element.Attributes[name] = Str(value);
    xmlFree(value);
  }
  xmlChar* content = xmlNodeGetContent(node);
  element.Text = Str(content);
  xmlFree(content);
  for (xmlNode* child = node->children; child; child = child->next) {
    if (child->type == XML_ELEMENT_NODE) {
      element.Children.emplace_back();
      Convert(child, element.Children.back(), comments);
    } else if (child->type == XML_COMMENT_NODE) {
      comments.push_back(Trim(Str(child->content)));
    }
  }
}

void Collect(const Element& e, const std::function<bool(const Element&)>& test,
             std::vector<const Element*>& out) {
  if (test(e)) out.push_back(&e);
  for (const auto& child : e.Children) Collect(child, test, out);
}

}  // namespace

Document ParseSvg(const std::string& text) {
  Document doc;
  xmlDocPtr xml = xmlReadMemory(text.data(), static_cast<int>(text.size()), "picture.svg", nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (!xml) {
    const xmlError* error = xmlGetLastError();
    doc.Error = error && error->message ? Trim(error->message) : "not well-formed";
    return doc;
  }
  for (xmlNode* node = xml->children; node; node = node->next) {
    if (node->type == XML_COMMENT_NODE) doc.Comments.push_back(Trim(Str(node->content)));
    if (node->type == XML_ELEMENT_NODE) Convert(node, doc.Root, doc.Comments);
  }
  xmlFreeDoc(xml);
  doc.Parsed = !doc.Root.Name.empty();
  if (!doc.Parsed) doc.Error = "no root element";
  return doc;
}

std::vector<const Element*> FindAll(const Element& root,
                                    const std::function<bool(const Element&)>& test) {
  std::vector<const Element*> out;
  Collect(root, test, out);
  return out;
}

const Element* FindById(const Element& root, const std::string& id) {
  auto found = FindAll(root, [&](const Element& e) { return e.Attr("id") == id; });
  return found.empty() ? nullptr : found.front();
}

std::vector<std::pair<std::string, std::vector<double>>> ParseTransform(const std::string& text) {
  std::vector<std::pair<std::string, std::vector<double>>> steps;
  std::size_t at = 0;
  while (true) {
    at = text.find_first_not_of(" ,", at);
    if (at == std::string::npos) break;
    const auto open = text.find('(', at);
    const auto close = text.find(')', at);
    if (open == std::string::npos || close == std::string::npos || close < open) return {};
    std::string name = Trim(text.substr(at, open - at));
    std::string args = text.substr(open + 1, close - open - 1);
    for (char& c : args) {
      if (c == ',') c = ' ';
    }
    std::istringstream in(args);
    std::vector<double> numbers;
    std::string word;
    while (in >> word) {
      try {
        std::size_t used = 0;
        numbers.push_back(std::stod(word, &used));
        if (used != word.size()) return {};
      } catch (...) {
        return {};
      }
    }
    steps.emplace_back(std::move(name), std::move(numbers));
    at = close + 1;
  }
  return steps;
}

bool ReadMatrix(const std::string& transform, Affine& matrix) {
  const auto steps = ParseTransform(transform);
  if (steps.size() != 1 || steps[0].first != "matrix" || steps[0].second.size() != 6) return false;
  const auto& m = steps[0].second;
  matrix = Affine{m[0], m[1], m[2], m[3], m[4], m[5]};
  return true;
}

namespace {

bool ReadPngSize(const fs::path& png, unsigned& width, unsigned& height) {
  std::ifstream in(png, std::ios::binary);
  unsigned char header[24];
  if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return false;
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  for (int i = 0; i < 8; ++i) {
    if (header[i] != kSignature[i]) return false;
  }
  auto be32 = [&](int at) {
    return (unsigned(header[at]) << 24) | (unsigned(header[at + 1]) << 16) |
           (unsigned(header[at + 2]) << 8) | unsigned(header[at + 3]);
  };
  width = be32(16);
  height = be32(20);
  return true;
}

}  // namespace

bool RendersWithRsvg(const std::string& svg, const fs::path& scratch, std::string& message) {
  const fs::path input = scratch / "picture.svg";
  const fs::path output = scratch / "picture.png";
  const fs::path errors = scratch / "rsvg-errors.txt";
  {
    std::ofstream out(input, std::ios::binary | std::ios::trunc);
    out.write(svg.data(), static_cast<std::streamsize>(svg.size()));
  }
  std::error_code ec;
  fs::remove(output, ec);
  const std::string command = "rsvg-convert --format=png --output='" + output.string() + "' '" +
                              input.string() + "' 2>'" + errors.string() + "'";
  const int status = std::system(command.c_str());
  if (status != 0) {
    std::ifstream in(errors);
    std::ostringstream text;
    text << in.rdbuf();
    message = "rsvg-convert refused the picture (status " + std::to_string(status) + "): " + text.str();
    return false;
  }
  const Document doc = ParseSvg(svg);
  unsigned width = 0, height = 0;
  if (!ReadPngSize(output, width, height)) {
    message = "rsvg-convert wrote no PNG";
    return false;
  }
  const double expectedWidth = std::ceil(doc.Root.Number("width"));
  const double expectedHeight = std::ceil(doc.Root.Number("height"));
  if (width != expectedWidth || height != expectedHeight) {
    message = "rsvg-convert drew " + std::to_string(width) + "x" + std::to_string(height) +
              " pixels, the picture says " + doc.Root.Attr("width") + "x" + doc.Root.Attr("height");
    return false;
  }
  return true;
}

}  // namespace svg_testing

#pragma once
// Reading preview pictures back in the tests: the SVG parsed as XML into a
// small tree, the transforms of its elements, and a real renderer's verdict.
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace svg_testing {

struct Element {
  std::string Name;
  std::map<std::string, std::string> Attributes;  // "xml:space" keeps its prefix
  std::string Text;  // the text content of the element and its descendants
  std::vector<Element> Children;

  bool Has(const std::string& name) const { return Attributes.count(name) > 0; }
  // The attribute's value; empty when missing.
  std::string Attr(const std::string& name) const;
  // The attribute read as a number; NaN when missing or not a number.
  double Number(const std::string& name) const;
  // True when the class attribute holds the word.
  bool HasClass(const std::string& word) const;
};

struct Document {
  bool Parsed = false;
  std::string Error;
  Element Root;
  std::vector<std::string> Comments;  // every comment of the document, trimmed
};

Document ParseSvg(const std::string& text);

// Every element below (and including) `root` for which the test holds, in
// document order.
std::vector<const Element*> FindAll(const Element& root,
                                    const std::function<bool(const Element&)>& test);
const Element* FindById(const Element& root, const std::string& id);

// A transform list such as "translate(1,2) rotate(90) scale(1,-1)" as
// (name, numbers) steps; an empty list when it cannot be read.
std::vector<std::pair<std::string, std::vector<double>>> ParseTransform(const std::string& text);

// A point mapped through the transform of the element with id "drawing":
// drawing units to picture pixels.
struct Affine {
  double A = 1, B = 0, C = 0, D = 1, E = 0, F = 0;
  double MapX(double x, double y) const { return A * x + C * y + E; }
  double MapY(double x, double y) const { return B * x + D * y + F; }
};
// The matrix(...) of a transform list that holds exactly one matrix step.
bool ReadMatrix(const std::string& transform, Affine& matrix);

// Converts the picture to PNG with rsvg-convert. True when the renderer
// accepted it and wrote a PNG of the picture's width and height (rounded up);
// otherwise `message` says why.
bool RendersWithRsvg(const std::string& svg, const std::filesystem::path& scratch,
                     std::string& message);

}  // namespace svg_testing

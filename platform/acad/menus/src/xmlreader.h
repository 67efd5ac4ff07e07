// A small XML reader for the host's customisation files: elements, attributes, text, the five
// named entities and numeric character references, comments, CDATA, the XML declaration and
// processing instructions. No DTDs or namespaces (a prefix stays part of the name).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zacad::xml {

struct Element {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;
  std::string text;  // the element's own character data, entities resolved (UTF-8)
  std::vector<Element> children;
  int line = 0;  // where the start tag begins

  // The first child of that name, or null.
  const Element* child(std::string_view childName) const;
  // The attribute's value, or empty.
  std::string attribute(std::string_view attributeName) const;
};

// Parses a whole document (UTF-8). Nothing, with `error` set to "N: why" (N the line), when the
// text is not well-formed.
std::optional<Element> Parse(std::string_view text, std::string& error);

}  // namespace zacad::xml

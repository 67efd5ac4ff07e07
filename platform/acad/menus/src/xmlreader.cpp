#include "xmlreader.h"

#include <cstdint>
#include <string>

#include "zwin32/utf.h"

namespace zacad::xml {
namespace {

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  std::optional<Element> document(std::string& error) {
    if (!skipMisc() || atEnd() || peek() != '<')
      return fail(error, "no root element");
    Element root;
    if (!element(root) || !skipMisc())
      return fail(error, why_);
    if (!atEnd())
      return fail(error, "text after the root element");
    return root;
  }

 private:
  std::optional<Element> fail(std::string& error, const std::string& why) {
    error = std::to_string(line_) + ": " + (why.empty() ? "malformed XML" : why);
    return std::nullopt;
  }

  bool atEnd() const { return pos_ >= text_.size(); }
  char peek() const { return text_[pos_]; }
  bool startsWith(std::string_view s) const { return text_.substr(pos_).starts_with(s); }
  void advance(size_t n) {
    for (size_t i = 0; i < n && pos_ < text_.size(); ++i) {
      if (text_[pos_++] == '\n')
        ++line_;
    }
  }
  bool error(const char* why) {
    why_ = why;
    return false;
  }
  void skipSpace() {
    while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\r' || peek() == '\n'))
      advance(1);
  }
  // Advances past `end`; false when it never comes.
  bool skipPast(std::string_view end) {
    const size_t found = text_.find(end, pos_);
    if (found == std::string_view::npos)
      return false;
    advance(found + end.size() - pos_);
    return true;
  }
  // Comments, processing instructions (the declaration among them) and a DOCTYPE line.
  bool skipMisc() {
    for (;;) {
      skipSpace();
      if (startsWith("<!--")) {
        if (!skipPast("-->"))
          return error("unterminated comment");
      } else if (startsWith("<?")) {
        if (!skipPast("?>"))
          return error("unterminated processing instruction");
      } else if (startsWith("<!DOCTYPE")) {
        if (!skipPast(">"))
          return error("unterminated DOCTYPE");
      } else {
        return true;
      }
    }
  }

  static bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.' || c == ':' || static_cast<unsigned char>(c) >= 0x80;
  }
  std::string name() {
    const size_t start = pos_;
    while (!atEnd() && isNameChar(peek()))
      advance(1);
    return std::string(text_.substr(start, pos_ - start));
  }

  // A character reference's code point, in the UTF-8 the reader keeps text in.
  static void appendUtf8(std::string& out, uint32_t cp) {
    std::u16string units;
    if (cp < 0x10000) {
      units += static_cast<char16_t>(cp);
    } else {
      units += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
    out += zwin32::ToUtf8(units);
  }

  // An entity or character reference at '&'.
  bool reference(std::string& out) {
    const size_t semicolon = text_.find(';', pos_);
    if (semicolon == std::string_view::npos || semicolon - pos_ > 12)
      return error("unterminated entity reference");
    const std::string_view ref = text_.substr(pos_ + 1, semicolon - pos_ - 1);
    static const std::pair<std::string_view, char> kNamed[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    bool known = false;
    for (const auto& [entity, c] : kNamed) {
      if (ref == entity) {
        out += c;
        known = true;
      }
    }
    if (!known && ref.size() > 1 && ref[0] == '#') {
      const bool hex = ref[1] == 'x' || ref[1] == 'X';
      uint32_t cp = 0;
      const std::string_view digits = ref.substr(hex ? 2 : 1);
      for (char c : digits) {
        int digit = (c >= '0' && c <= '9')          ? c - '0'
                    : hex && (c >= 'a' && c <= 'f') ? c - 'a' + 10
                    : hex && (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                    : -1;
        if (digit < 0 || cp > 0x10FFFF)
          return error("bad character reference");
        cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
      }
      if (digits.empty() || cp == 0 || cp > 0x10FFFF)
        return error("bad character reference");
      appendUtf8(out, cp);
      known = true;
    }
    if (!known)
      return error("unknown entity reference");
    advance(semicolon + 1 - pos_);
    return true;
  }

  bool attributes(Element& element) {
    for (;;) {
      skipSpace();
      if (atEnd())
        return error("unterminated start tag");
      if (peek() == '>' || peek() == '/')
        return true;
      std::string attributeName = name();
      if (attributeName.empty())
        return error("bad attribute name");
      skipSpace();
      if (atEnd() || peek() != '=')
        return error("attribute without a value");
      advance(1);
      skipSpace();
      if (atEnd() || (peek() != '"' && peek() != '\''))
        return error("attribute value without quotes");
      const char quote = peek();
      advance(1);
      std::string value;
      while (!atEnd() && peek() != quote) {
        if (peek() == '<')
          return error("'<' in an attribute value");
        if (peek() == '&') {
          if (!reference(value))
            return false;
        } else {
          value += peek();
          advance(1);
        }
      }
      if (atEnd())
        return error("unterminated attribute value");
      advance(1);
      element.attributes.emplace_back(std::move(attributeName), std::move(value));
    }
  }

  bool element(Element& element) {
    if (++depth_ > 256)
      return error("elements nested too deeply");
    element.line = line_;
    advance(1);  // '<'
    element.name = name();
    if (element.name.empty())
      return error("bad element name");
    if (!attributes(element))
      return false;
    if (peek() == '/') {
      advance(1);
      if (atEnd() || peek() != '>')
        return error("bad empty-element tag");
      advance(1);
      --depth_;
      return true;
    }
    advance(1);  // '>'
    for (;;) {
      if (atEnd())
        return error("unclosed element");
      if (startsWith("</")) {
        advance(2);
        if (name() != element.name)
          return error("mismatched end tag");
        skipSpace();
        if (atEnd() || peek() != '>')
          return error("bad end tag");
        advance(1);
        --depth_;
        return true;
      }
      if (startsWith("<!--")) {
        if (!skipPast("-->"))
          return error("unterminated comment");
      } else if (startsWith("<![CDATA[")) {
        advance(9);
        const size_t end = text_.find("]]>", pos_);
        if (end == std::string_view::npos)
          return error("unterminated CDATA section");
        element.text += text_.substr(pos_, end - pos_);
        advance(end + 3 - pos_);
      } else if (startsWith("<?")) {
        if (!skipPast("?>"))
          return error("unterminated processing instruction");
      } else if (peek() == '<') {
        element.children.emplace_back();
        if (!this->element(element.children.back()))
          return false;
      } else if (peek() == '&') {
        if (!reference(element.text))
          return false;
      } else {
        element.text += peek();
        advance(1);
      }
    }
  }

  std::string_view text_;
  size_t pos_ = 0;
  int line_ = 1;
  int depth_ = 0;
  std::string why_;
};

}  // namespace

const Element* Element::child(std::string_view childName) const {
  for (const Element& candidate : children) {
    if (candidate.name == childName)
      return &candidate;
  }
  return nullptr;
}

std::string Element::attribute(std::string_view attributeName) const {
  for (const auto& [key, value] : attributes) {
    if (key == attributeName)
      return value;
  }
  return {};
}

std::optional<Element> Parse(std::string_view text, std::string& error) {
  return Parser(text).document(error);
}

}  // namespace zacad::xml

#include "jsonvalue.h"

#include <charconv>
#include <cmath>

#include "zwin32/utf.h"

namespace zanthost::web {
namespace {

// Nesting deeper than this is no file of rules: refused rather than followed down the stack.
constexpr int kDeepest = 64;

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  std::optional<JsonValue> document(std::string& error) {
    std::optional<JsonValue> value = parse(0);
    skipSpace();
    if (value && at_ != text_.size())
      fail("text after the value");
    if (!problem_.empty()) {
      error = where() + ": " + problem_;
      return std::nullopt;
    }
    return value;
  }

 private:
  std::optional<JsonValue> parse(int depth) {
    skipSpace();
    if (depth > kDeepest)
      return fail("nested too deep");
    if (at_ >= text_.size())
      return fail("a value is missing");
    const char c = text_[at_];
    if (c == '{')
      return object(depth);
    if (c == '[')
      return array(depth);
    if (c == '"') {
      std::optional<std::string> s = string();
      return s ? std::optional<JsonValue>(JsonValue{std::move(*s)}) : std::nullopt;
    }
    for (const auto& [word, value] : {std::pair<std::string_view, JsonValue>{"null", {nullptr}},
                                      {"true", {true}},
                                      {"false", {false}}}) {
      if (text_.substr(at_, word.size()) == word) {
        at_ += word.size();
        return value;
      }
    }
    return number();
  }

  std::optional<JsonValue> object(int depth) {
    ++at_;
    JsonValue::Object members;
    skipSpace();
    if (take('}'))
      return JsonValue{std::move(members)};
    do {
      skipSpace();
      if (at_ >= text_.size() || text_[at_] != '"')
        return fail("a member's name is missing");
      std::optional<std::string> name = string();
      if (!name)
        return std::nullopt;
      skipSpace();
      if (!take(':'))
        return fail("':' is missing after a member's name");
      std::optional<JsonValue> value = parse(depth + 1);
      if (!value)
        return std::nullopt;
      members.insert_or_assign(std::move(*name), std::move(*value));
      skipSpace();
    } while (take(','));
    if (!take('}'))
      return fail("',' or '}' is missing in an object");
    return JsonValue{std::move(members)};
  }

  std::optional<JsonValue> array(int depth) {
    ++at_;
    JsonValue::Array items;
    skipSpace();
    if (take(']'))
      return JsonValue{std::move(items)};
    do {
      std::optional<JsonValue> value = parse(depth + 1);
      if (!value)
        return std::nullopt;
      items.push_back(std::move(*value));
      skipSpace();
    } while (take(','));
    if (!take(']'))
      return fail("',' or ']' is missing in an array");
    return JsonValue{std::move(items)};
  }

  std::optional<std::string> string() {
    ++at_;
    std::u16string out;  // \u escapes are UTF-16 units, surrogate pairs included
    std::string plain;
    auto flush = [&] {
      out += zwin32::FromUtf8(plain);
      plain.clear();
    };
    while (at_ < text_.size() && text_[at_] != '"') {
      const char c = text_[at_++];
      if (static_cast<unsigned char>(c) < 0x20) {
        fail("a control character in a string");
        return std::nullopt;
      }
      if (c != '\\') {
        plain += c;
        continue;
      }
      if (at_ >= text_.size())
        break;
      const char e = text_[at_++];
      static constexpr std::string_view kEscaped = "\"\\/bfnrt", kMeant = "\"\\/\b\f\n\r\t";
      if (const size_t i = kEscaped.find(e); i != std::string_view::npos) {
        plain += kMeant[i];
      } else if (e == 'u') {
        unsigned unit = 0;
        const auto [end, ec] = std::from_chars(
            text_.data() + at_, text_.data() + std::min(at_ + 4, text_.size()), unit, 16);
        if (ec != std::errc() || end != text_.data() + at_ + 4) {
          fail("\\u needs four hexadecimal digits");
          return std::nullopt;
        }
        at_ += 4;
        flush();
        out += static_cast<char16_t>(unit);
      } else {
        fail("an unknown escape in a string");
        return std::nullopt;
      }
    }
    if (!take('"')) {
      fail("a string is not closed");
      return std::nullopt;
    }
    flush();
    return zwin32::ToUtf8(out);
  }

  std::optional<JsonValue> number() {
    // JSON's grammar: -?digits[.digits][e[+-]digits], no leading '+', no bare '.'.
    const size_t start = at_;
    take('-');
    auto digits = [&] {
      const size_t from = at_;
      while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9')
        ++at_;
      return at_ > from;
    };
    bool ok = digits();
    if (ok && take('.'))
      ok = digits();
    if (ok && (take('e') || take('E'))) {
      if (!take('+'))
        take('-');
      ok = digits();
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(text_.data() + start, text_.data() + at_, value);
    if (!ok || ec != std::errc() || end != text_.data() + at_ || !std::isfinite(value)) {
      at_ = start;
      return fail("not a JSON value");
    }
    return JsonValue{value};
  }

  void skipSpace() {
    while (at_ < text_.size() &&
           (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t'))
      ++at_;
  }

  bool take(char c) {
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }

  std::nullopt_t fail(std::string problem) {
    if (problem_.empty())
      problem_ = std::move(problem);
    return std::nullopt;
  }

  std::string where() const {
    size_t line = 1, column = 1;
    for (size_t i = 0; i < at_ && i < text_.size(); ++i) {
      if (text_[i] == '\n') {
        ++line;
        column = 1;
      } else {
        ++column;
      }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
  }

  std::string_view text_;
  size_t at_ = 0;
  std::string problem_;
};

}  // namespace

const JsonValue* JsonValue::member(std::string_view name) const {
  const Object* members = object();
  if (members == nullptr)
    return nullptr;
  const auto found = members->find(name);
  return found == members->end() ? nullptr : &found->second;
}

std::optional<JsonValue> ParseJson(std::string_view text, std::string& error) {
  return Parser(text).document(error);
}

}  // namespace zanthost::web

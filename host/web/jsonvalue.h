// Reading JSON: the tint rules file the host is given is JSON that another program wrote, so
// the host reads it whole, refusing what is not JSON with the place where it stops being so.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zanthost::web {

struct JsonValue {
  using Array = std::vector<JsonValue>;
  using Object = std::map<std::string, JsonValue, std::less<>>;
  // null, true/false, a number, a UTF-8 string, an array, an object
  std::variant<std::nullptr_t, bool, double, std::string, Array, Object> value;

  bool isNull() const { return std::holds_alternative<std::nullptr_t>(value); }
  const double* number() const { return std::get_if<double>(&value); }
  const std::string* string() const { return std::get_if<std::string>(&value); }
  const Array* array() const { return std::get_if<Array>(&value); }
  const Object* object() const { return std::get_if<Object>(&value); }
  // A member of an object, or null when this is no object or has no such member.
  const JsonValue* member(std::string_view name) const;
};

// The value `text` holds, or nothing with `error` set ("line L, column C: what is wrong").
std::optional<JsonValue> ParseJson(std::string_view text, std::string& error);

}  // namespace zanthost::web

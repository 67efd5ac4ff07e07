#include "zdxf/tag.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cctype>
#include <cstdlib>

#include "tag_scanner.h"

namespace zdxf {

namespace {

constexpr int kTypedCodes = 1072;  // codes from here on are strings

// Every code below kTypedCodes by its type: asked for each tag parsed, checked and converted.
const std::array<ValueType, kTypedCodes> kTypes = [] {
  struct Range {
    int first, last;
    ValueType type;
  };
  // Everything not listed (including undefined codes seen in real files) is kept as a string.
  constexpr Range kRanges[] = {
      {10, 59, ValueType::Double},     {60, 79, ValueType::Int16},
      {90, 99, ValueType::Int32},      {105, 105, ValueType::Handle},
      {110, 149, ValueType::Double},   {160, 169, ValueType::Int64},
      {170, 179, ValueType::Int16},    {210, 239, ValueType::Double},
      {270, 289, ValueType::Int16},    {290, 299, ValueType::Bool},
      {310, 319, ValueType::Binary},   {320, 369, ValueType::Handle},
      {370, 389, ValueType::Int16},    {390, 399, ValueType::Handle},
      {400, 409, ValueType::Int16},    {420, 429, ValueType::Int32},
      {440, 459, ValueType::Int32},    {460, 469, ValueType::Double},
      {480, 481, ValueType::Handle},   {1004, 1004, ValueType::Binary},
      {1005, 1005, ValueType::Handle}, {1010, 1059, ValueType::Double},
      {1060, 1070, ValueType::Int16},  {1071, 1071, ValueType::Int32},
  };
  std::array<ValueType, kTypedCodes> types;
  types.fill(ValueType::String);
  for (const Range& r : kRanges) {
    for (int code = r.first; code <= r.last; ++code)
      types[code] = r.type;
  }
  return types;
}();

}  // namespace

ValueType value_type(int code) {
  return code >= 0 && code < kTypedCodes ? kTypes[code] : ValueType::String;
}

std::string_view Tag::trimmed() const {
  return detail::trim_blanks(value);
}

std::optional<std::int64_t> Tag::as_int() const {
  std::string_view v = trimmed();
  if (!v.empty() && v.front() == '+')
    v.remove_prefix(1);
  std::int64_t n = 0;
  auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
  if (ec == std::errc() && end == v.data() + v.size() && !v.empty())
    return n;
  // Some writers put integers as reals ("1.0", "1.95059E+06"); the host reads them.
  std::optional<double> d = as_double();
  if (d && std::isfinite(*d) && *d == std::floor(*d) && std::fabs(*d) < 9.2e18) {
    return static_cast<std::int64_t>(*d);
  }
  return std::nullopt;
}

std::optional<double> Tag::as_double() const {
  std::string_view v = trimmed();
  if (!v.empty() && v.front() == '+')
    v.remove_prefix(1);
  double d = 0;
  auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), d);
  if (ec == std::errc() && end == v.data() + v.size() && !v.empty())
    return d;
  return std::nullopt;
}

std::optional<std::uint64_t> Tag::as_handle() const {
  return parse_handle(value);
}

std::optional<std::uint64_t> parse_handle(std::string_view text) {
  const std::string_view v = detail::trim_blanks(text);
  std::uint64_t h = 0;
  auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), h, 16);
  if (ec == std::errc() && end == v.data() + v.size() && !v.empty())
    return h;
  return std::nullopt;
}

std::string format_handle(std::uint64_t handle) {
  char buf[17];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, handle, 16);
  std::string s(buf, end);
  for (char& c : s)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace zdxf

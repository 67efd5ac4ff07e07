#include "tag_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

#include "tag_scanner.h"

namespace zdxf::detail {

namespace {

// The tag's source bytes, if they are one whole tag of this buffer. A tag copied from another
// drawing carries offsets into that drawing's bytes; it is then treated as new.
std::optional<RawTag> source_of(const Tag& tag, std::string_view buffer, Format format,
                                int code_width) {
  if (tag.source_offset == Tag::kNew || tag.source_offset > buffer.size() ||
      tag.source_length > buffer.size() - tag.source_offset) {
    return std::nullopt;
  }
  static const std::string kName = "source";
  std::size_t end = tag.source_offset + tag.source_length;
  TagScanner scan(buffer.substr(0, end), format, code_width, kName, tag.source_offset, 0);
  RawTag raw;
  try {
    if (!scan.next(raw) || raw.end != end)
      return std::nullopt;
  } catch (const Error&) {
    return std::nullopt;
  }
  return raw;
}

bool is_int(ValueType t) {
  return t == ValueType::Int16 || t == ValueType::Int32 || t == ValueType::Int64 ||
         t == ValueType::Bool;
}

std::string pad_left(std::string_view v, std::size_t width) {
  std::string s;
  if (v.size() < width)
    s.assign(width - v.size(), ' ');
  s += v;
  return s;
}

template <typename T>
void store_le(std::string& out, T v) {
  char b[sizeof v];
  std::memcpy(b, &v, sizeof v);
  out.append(b, sizeof v);
}

void append_binary(std::string& out, const Tag& tag, int code_width) {
  if (code_width == 1) {
    if (tag.code >= 255 || tag.code < 0) {
      out += '\xFF';
      store_le<std::int16_t>(out, static_cast<std::int16_t>(tag.code));
    } else {
      out += static_cast<char>(tag.code);
    }
  } else {
    store_le<std::int16_t>(out, static_cast<std::int16_t>(tag.code));
  }
  switch (value_type(tag.code)) {
    case ValueType::Double:
      store_le<double>(out, tag.as_double().value_or(0));
      return;
    case ValueType::Int16:
      store_le<std::int16_t>(out, static_cast<std::int16_t>(tag.as_int().value_or(0)));
      return;
    case ValueType::Int32:
      store_le<std::int32_t>(out, static_cast<std::int32_t>(tag.as_int().value_or(0)));
      return;
    case ValueType::Int64:
      store_le<std::int64_t>(out, tag.as_int().value_or(0));
      return;
    case ValueType::Bool:
      out += static_cast<char>(tag.as_int().value_or(0));
      return;
    case ValueType::Binary: {
      std::string_view hex = tag.trimmed();
      out += static_cast<char>(hex.size() / 2);
      for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        unsigned v = 0;
        std::from_chars(hex.data() + i, hex.data() + i + 2, v, 16);
        out += static_cast<char>(v);
      }
      return;
    }
    case ValueType::String:
    case ValueType::Handle:
      out += tag.value;
      out += '\0';
      return;
  }
}

}  // namespace

AsciiStyle ascii_style(std::string_view object) {
  AsciiStyle style;
  style.object = object;
  // The object's first tag, which the reader has already found well formed: its code line tells
  // the padding, the end of its value line the line end.
  style.pad_codes = !object.empty() && (object[0] == ' ' || object[0] == '\t');
  auto past_line = [&object](std::size_t at) {
    at = std::min(object.find_first_of("\r\n", at), object.size());
    return std::pair{at, object.substr(at, 2) == "\r\n" ? at + 2 : std::min(at + 1, object.size())};
  };
  const std::size_t value = past_line(0).second;
  const auto [value_end, next] = past_line(value);
  style.eol = next > value_end ? std::string(object.substr(value_end, next - value_end)) : "\n";
  return style;
}

std::size_t AsciiStyle::int_width() const {
  if (int_width_)
    return *int_width_;
  int_width_ = default_int_width;
  static const std::string kName = "style";
  TagScanner scan(object, Format::Ascii, 2, kName, 0, 0);
  RawTag raw;
  while (scan.next(raw)) {
    if (is_int(value_type(raw.code)) && !raw.value.empty()) {
      int_width_ = raw.value[0] == ' ' ? raw.value.size() : 0;
      break;
    }
  }
  return *int_width_;
}

RealStyle real_style(const std::vector<Tag>& sample) {
  RealStyle style;
  int decimals = -2;  // -2: none seen, -1: they differ
  for (const Tag& t : sample) {
    if (value_type(t.code) != ValueType::Double)
      continue;
    std::string_view v = t.trimmed();
    if (v.find_first_of("eE") != std::string_view::npos || v.empty())
      continue;
    std::size_t dot = v.find('.');
    if (dot == std::string_view::npos) {
      style.bare_integral = true;
      continue;
    }
    int d = static_cast<int>(v.size() - dot - 1);
    decimals = decimals == -2 ? d : (decimals == d ? d : -1);
  }
  if (decimals >= 3)
    style.fixed_decimals = decimals;
  return style;
}

std::string format_real(double value, const RealStyle& style) {
  char buf[64];
  if (style.fixed_decimals >= 0 && std::fabs(value) < 1e15) {
    auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, style.fixed_decimals);
    return std::string(buf, end);
  }
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  std::string s(buf, end);
  if (!style.bare_integral && s.find_first_of(".einfa") == std::string::npos)
    s += ".0";
  return s;
}

Tag tag_from_source(const RawTag& raw, std::string_view buffer, Format format) {
  Tag t;
  t.code = raw.code;
  t.source_offset = raw.begin;
  t.source_length = raw.end - raw.begin;
  if (format == Format::Binary) {
    t.value = binary_value_text(raw.code, raw.value);
    return t;
  }
  t.value = std::string(raw.value);
  const auto value_at = static_cast<std::size_t>(raw.value.data() - buffer.data()) - raw.begin;
  if (value_at <= UINT16_MAX && raw.code >= INT16_MIN && raw.code <= INT16_MAX) {
    t.source_value_at = static_cast<std::uint16_t>(value_at);
    t.source_code = static_cast<std::int16_t>(raw.code);
  }
  return t;
}

bool same_as_source(const Tag& tag, std::string_view buffer, Format format, int code_width) {
  if (format == Format::Ascii && tag.source_value_at != 0 && tag.source_offset != Tag::kNew &&
      tag.source_offset <= buffer.size() &&
      tag.source_length <= buffer.size() - tag.source_offset) {
    // The source was scanned when the tag was read: its code and where its value starts are
    // known. The same value is those bytes, then one line end closing the source (a value
    // ending in CR or LF would take in part of that line end).
    const std::size_t value_begin = tag.source_offset + tag.source_value_at;
    const std::size_t end = tag.source_offset + tag.source_length;
    if (tag.code != tag.source_code || value_begin > end || tag.value.size() > end - value_begin ||
        (!tag.value.empty() && (tag.value.back() == '\r' || tag.value.back() == '\n')) ||
        buffer.substr(value_begin, tag.value.size()) != tag.value) {
      return false;
    }
    const std::string_view eol =
        buffer.substr(value_begin + tag.value.size(), end - value_begin - tag.value.size());
    return eol.empty() || eol == "\n" || eol == "\r\n" || eol == "\r";
  }
  std::optional<RawTag> raw = source_of(tag, buffer, format, code_width);
  if (!raw || raw->code != tag.code)
    return false;
  if (format == Format::Ascii)
    return raw->value == tag.value;
  return binary_value_text(raw->code, raw->value) == tag.value;
}

void append_tag(std::string& out, const Tag& tag, std::string_view buffer, Format format,
                int code_width, const AsciiStyle& style) {
  if (same_as_source(tag, buffer, format, code_width)) {
    out.append(buffer.substr(tag.source_offset, tag.source_length));
    return;
  }
  if (format == Format::Binary) {
    append_binary(out, tag, code_width);
    return;
  }
  bool int_value = is_int(value_type(tag.code));
  if (std::optional<RawTag> source = source_of(tag, buffer, format, code_width)) {
    const RawTag& raw = *source;
    if (raw.code == tag.code) {
      // Same code, new value: keep the code line and line end, align like the old value.
      std::size_t value_at = static_cast<std::size_t>(raw.value.data() - buffer.data());
      out.append(buffer.substr(raw.begin, value_at - raw.begin));
      bool padded = int_value && !raw.value.empty() && raw.value[0] == ' ';
      out += padded ? pad_left(tag.trimmed(), raw.value.size()) : tag.value;
      std::string_view eol =
          buffer.substr(value_at + raw.value.size(), raw.end - value_at - raw.value.size());
      out += eol.empty() ? std::string_view(style.eol) : eol;
      return;
    }
  }
  std::string code = std::to_string(tag.code);
  out += style.pad_codes ? pad_left(code, 3) : code;
  out += style.eol;
  const std::size_t width = int_value ? style.int_width() : 0;
  out += width > 0 ? pad_left(tag.trimmed(), width) : tag.value;
  out += style.eol;
}

std::string value_problem(const Tag& tag, Format format) {
  for (char c : tag.value) {
    if (c == '\r' || c == '\n' || c == '\0')
      return "a value cannot hold a line break or NUL (use ^J)";
  }
  ValueType t = value_type(tag.code);
  auto range = [&](std::int64_t lo, std::int64_t hi) -> std::string {
    std::optional<std::int64_t> v = tag.as_int();
    if (!v || *v < lo || *v > hi)
      return "'" + tag.value + "' is not a valid integer here";
    return {};
  };
  switch (t) {
    case ValueType::Double:
      if (!tag.as_double())
        return "'" + tag.value + "' is not a number";
      return {};
    case ValueType::Int16:
      return range(-32768, 32767);
    case ValueType::Int32:
      return range(INT32_MIN, INT32_MAX);
    case ValueType::Int64:
      return range(INT64_MIN, INT64_MAX);
    case ValueType::Bool:
      return range(0, 255);
    case ValueType::Handle:
      if (!tag.trimmed().empty() && !tag.as_handle())
        return "'" + tag.value + "' is not a handle";
      return {};
    case ValueType::Binary: {
      std::string_view hex = tag.trimmed();
      if (hex.size() % 2 != 0 ||
          hex.find_first_not_of("0123456789ABCDEFabcdef") != std::string_view::npos) {
        return "binary data must be an even number of hex digits";
      }
      if (format == Format::Binary && hex.size() > 2 * 255)
        return "binary chunk over 255 bytes";
      return {};
    }
    case ValueType::String:
      return {};
  }
  return {};
}

}  // namespace zdxf::detail

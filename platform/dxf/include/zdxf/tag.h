#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "zdxf/export.h"

namespace zdxf {

// What a group code's value holds; drives parsing and binary encoding.
enum class ValueType { String, Double, Int16, Int32, Int64, Bool, Handle, Binary };

ZDXF_API ValueType value_type(int code);

// One group code and its value.
//
// `value` is the value as an ASCII file writes it, in the drawing's encoding: for an ASCII file
// the value line exactly as read (a TAB or padding before an integer, trailing blanks kept), for a
// binary file its text form (decimal numbers, hex for binary chunks). Strings stay in the file's
// encoding; Document::decode/encode convert them for the host API.
struct ZDXF_API Tag {
  static constexpr std::size_t kNew = static_cast<std::size_t>(-1);

  Tag() = default;
  Tag(int c, std::string v) : code(c), value(std::move(v)) {}

  int code = 0;
  // For a tag read from an ASCII file: where its value line starts within its source bytes and
  // the code read there, so that an unchanged tag is told without reading its source again.
  // 0 and 0 when unknown (a value never starts at a tag's first byte).
  std::uint16_t source_value_at = 0;
  std::int16_t source_code = 0;
  std::string value;
  // Where the tag was read from (byte span of its code and value lines in the file); kNew for a
  // tag made by the caller. A read tag whose code and value are unchanged is written back from
  // these bytes.
  std::size_t source_offset = kNew;
  std::size_t source_length = 0;

  // The value without surrounding blanks (structure names, numbers, handles).
  std::string_view trimmed() const;
  std::optional<std::int64_t> as_int() const;  // also accepts "1.0"-style integral reals
  std::optional<double> as_double() const;
  std::optional<std::uint64_t> as_handle() const;  // hex text

  bool operator==(const Tag& o) const { return code == o.code && value == o.value; }
};

// Hex text of a handle as the host writes it: upper case, no leading zeros.
ZDXF_API std::string format_handle(std::uint64_t handle);

// A handle's hex text, blanks around it allowed; nullopt for anything else.
ZDXF_API std::optional<std::uint64_t> parse_handle(std::string_view text);

}  // namespace zdxf

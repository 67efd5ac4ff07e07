#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zdxf/document.h"
#include "zdxf/tag.h"

namespace zdxf::detail {

// How one object's ASCII lines look, so new or changed tags match their neighbours.
struct AsciiStyle {
  bool pad_codes = true;     // "  0" / " 10" rather than "0" / "10"
  std::string eol = "\r\n";  // the object's line end
  // The width integers are right-aligned to ("     0"), 0 = bare: the first integer of the
  // object's bytes tells, else `default_int_width`. Learnt only once a new integer is written:
  // finding it may mean reading the whole object, and most edits write no integer.
  std::size_t int_width() const;
  std::string_view object;
  std::size_t default_int_width = 0;

 private:
  mutable std::optional<std::size_t> int_width_;
};

// The style of the tags in `object` (the object's bytes in an ASCII file, which must outlive
// the style).
AsciiStyle ascii_style(std::string_view object);

// How a file writes reals, so a new real looks like the others.
struct RealStyle {
  int fixed_decimals = -1;     // "19.948000" writers: always this many decimals
  bool bare_integral = false;  // "5" rather than "5.0"
};

RealStyle real_style(const std::vector<Tag>& sample);
std::string format_real(double value, const RealStyle& style);

// Room made for an object's tags when they are read: most entities hold fewer, so one
// allocation does, and it stays small enough (1 KB) for the allocator's fast per-thread cache,
// as an object's tags are read and dropped again at each opening.
constexpr std::size_t kTagsReserved = 1008 / sizeof(Tag);

struct RawTag;

// A tag as read from `raw`, a tag scanned in `buffer` (the file's bytes).
Tag tag_from_source(const RawTag& raw, std::string_view buffer, Format format);

// True when `tag` still has the code and value it was read with.
bool same_as_source(const Tag& tag, std::string_view buffer, Format format, int code_width);

// Appends a tag: unchanged ones from their source bytes, others formatted in the file's form.
void append_tag(std::string& out, const Tag& tag, std::string_view buffer, Format format,
                int code_width, const AsciiStyle& style);

// Why a value cannot be stored for its code in this format, or empty if it can.
std::string value_problem(const Tag& tag, Format format);

}  // namespace zdxf::detail

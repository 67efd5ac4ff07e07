#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "zdxf/document.h"

namespace zdxf::detail {

// "AutoCAD Binary DXF\r\n\x1a\0": the first 22 bytes of a binary drawing.
inline constexpr std::string_view kBinarySentinel{"AutoCAD Binary DXF\r\n\x1a\0", 22};

// A value without the blanks writers put around it (padding, a TAB before an integer).
std::string_view trim_blanks(std::string_view v);

// One tag as it lies in the buffer, before its value is turned into text.
struct RawTag {
  int code = 0;
  std::size_t begin = 0;   // first byte of the code
  std::size_t end = 0;     // one past the value (and its line end)
  std::string_view value;  // ASCII: the value line without its line end; binary: the value bytes
  std::size_t line = 0;    // ASCII: line of the code; binary: byte offset of the code
};

// Walks the tags of an ASCII or binary buffer. Throws Error (with `name` and the line or byte)
// on a tag that is cut short or malformed.
class TagScanner {
 public:
  TagScanner(std::string_view buffer, Format format, int code_width, const std::string& name,
             std::size_t offset, std::size_t line);
  // Reads the next tag; false at the end of the buffer.
  bool next(RawTag& tag);
  std::size_t line() const { return line_; }

 private:
  bool next_ascii(RawTag& tag);
  // A code line that is not blanks and up to four digits: read, or refused with a message.
  // Returns where the line ends.
  [[gnu::noinline]] const char* other_code_line(const char* start, std::size_t line,
                                                int& code) const;
  bool next_binary(RawTag& tag);
  [[noreturn]] void fail(std::size_t line, const std::string& problem) const;

  std::string_view buf_;
  Format format_;
  int code_width_;
  const std::string& name_;
  std::size_t pos_;
  std::size_t line_;
};

// Text form of a binary value (see Tag::value).
std::string binary_value_text(int code, std::string_view bytes);

}  // namespace zdxf::detail

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "packed_tags.h"
#include "tag_writer.h"
#include "zdxf/document.h"

namespace zdxf {

// One object: where its bytes lie in the file buffer and what the index pass learned about it.
struct Document::Object {
  static constexpr std::uint32_t kNoSection = static_cast<std::uint32_t>(-1);
  static constexpr std::size_t kErased = static_cast<std::size_t>(-1);  // position once erased

  // Fields are ordered widest first: a drawing holds one of these per object.
  std::size_t begin = 0;  // byte span of the object in the buffer (empty for a new object)
  std::size_t end = 0;
  std::size_t line = 0;      // line (ASCII) or byte offset (binary) of its `0` tag
  std::size_t position = 0;  // index in the file order, kept current on insert and erase
  std::uint64_t handle = 0;
  // Set once the object's tags were replaced: those tags as detail::pack_tags keeps them.
  detail::PackedTags edited;
  std::uint32_t type = 0;  // index into Document::types_
  std::uint32_t section = kNoSection;
  ObjectId container = kNoObject;  // TABLE or BLOCK
  ObjectId parent = kNoObject;     // POLYLINE or INSERT
  ObjectId style_of = kNoObject;   // a new object is written in the style of this neighbour
  bool has_handle = false;
};

// Number formats of the whole file, for objects that show none of their own.
struct Document::Style {
  detail::RealStyle reals;
  std::size_t int_width = 0;
};

}  // namespace zdxf

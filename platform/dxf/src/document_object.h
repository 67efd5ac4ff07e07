#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "edit_store.h"
#include "packed_tags.h"
#include "tag_writer.h"
#include "zdxf/document.h"

namespace zdxf {

// One object: what the index pass learned about it. A drawing holds one of these per object, so
// it keeps only what cannot be found cheaply otherwise: where the object ends is where the next
// one begins, lines are counted again from a nearby mark when a message needs one, and the few
// VERTEX, ATTRIB and SEQEND runs name their POLYLINE or INSERT in Document::child_runs_.
struct Document::Object {
  static constexpr std::uint8_t kNoSection = 0xff;  // so at most 255 sections
  static constexpr std::uint32_t kErased = static_cast<std::uint32_t>(-1);  // position once erased
  static constexpr std::uint8_t kHasHandle = 1;
  // It has a 67 tag (an entity's paper space flag), which nearly no entity has: listing a
  // block's entities asks each one, and those without need not be read again.
  static constexpr std::uint8_t kHasCode67 = 2;
  // It has extended data (a 1001 tag): most entities have none, and tagging them need not read
  // their tags to learn so.
  static constexpr std::uint8_t kHasXdata = 4;

  std::uint64_t handle = 0;
  detail::EditStore::Ref edit = 0;  // its tags in Document::edits_ once replaced
  std::uint32_t begin = 0;          // low half of the offset of its `0` tag (see Document::span)
  std::uint32_t position = 0;       // index in the file order, kept current on insert and erase
  ObjectId container = kNoObject;   // TABLE or BLOCK
  std::uint16_t type = 0;           // index into Document::types_
  std::uint8_t section = kNoSection;
  std::uint8_t flags = 0;
};

// What only objects added after reading have.
struct Document::Added {
  ObjectId before = kNoObject;    // where it was inserted, for the line in messages
  ObjectId style_of = kNoObject;  // it is written in the style of this neighbour
};

// A run of objects (VERTEX, ATTRIB, SEQEND) belonging to one POLYLINE or INSERT.
struct Document::ChildRun {
  ObjectId first = kNoObject;
  ObjectId last = kNoObject;
  ObjectId parent = kNoObject;
};

// Where edited objects' tags are kept.
struct Document::Edits {
  detail::EditStore store;
  detail::SharedRuns shared;
  // The last extended data replace_xdata packed as a shared run, all of it new tags, and that
  // packed reference: a command giving every entity the same record packs it once.
  std::vector<Tag> last_xdata;
  std::string last_xdata_packed;
};

// Number formats of the whole file, for objects that show none of their own.
struct Document::Style {
  detail::RealStyle reals;
  std::size_t int_width = 0;
};

}  // namespace zdxf

#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "zdxf/error.h"
#include "zdxf/export.h"
#include "zdxf/tag.h"
#include "zdxf/text_codec.h"

namespace zdxf {

enum class Format { Ascii, Binary };

// Stable name of an object for the life of a Document (not its position in the file).
using ObjectId = std::uint32_t;
inline constexpr ObjectId kNoObject = static_cast<ObjectId>(-1);

namespace detail {
class RenderedRuns;
}

// A DXF drawing kept as the bytes it was read from plus an index of its objects.
//
// An object is a `0` tag and the tags after it up to the next `0`. Objects are spans over the
// file buffer and are parsed only when asked; on save, an object nobody changed is copied from
// the buffer byte for byte and a changed one is rewritten tag by tag, each unchanged tag again
// from its own bytes and each new or changed tag in that object's style (code padding, integer
// padding, line ends).
//
// Errors throw zdxf::Error naming the file and line; a Document is never left half-changed by a
// failing call.
class ZDXF_API Document {
 public:
  // Reads and indexes a drawing. Throws Error if the file is missing, unreadable, truncated,
  // malformed, of an unknown version or in an unknown code page.
  static Document open(const std::string& path);
  // Same over bytes already in memory; `name` is used in messages.
  static Document parse(std::string bytes, std::string name);

  Document(Document&&) noexcept;
  Document& operator=(Document&&) noexcept;
  ~Document();

  const std::string& name() const { return name_; }
  Format format() const { return format_; }
  // $ACADVER ("AC1009" when the drawing has none, as the host assumes).
  const std::string& version() const { return version_; }
  // $DWGCODEPAGE ("ANSI_1252" when the drawing has none).
  const std::string& code_page() const { return code_page_; }
  // Problems recovered from while reading (duplicate handles, $HANDSEED too low, ...).
  const std::vector<Warning>& warnings() const { return warnings_; }

  // ---- objects ----
  // All objects in file order (SECTION, TABLE, records, entities, ENDSEC, EOF ...).
  const std::vector<ObjectId>& objects() const { return order_; }
  // The `0` value, without surrounding blanks ("LINE", "SECTION").
  std::string_view type(ObjectId id) const;
  // Own handle: group 5, or 105 for a DIMSTYLE record. None for handle-less objects.
  std::optional<std::uint64_t> handle(ObjectId id) const;
  std::optional<ObjectId> find(std::uint64_t handle) const;
  // Group 330 outside the 102 groups (parses the object).
  std::optional<std::uint64_t> owner(ObjectId id) const;
  // Name of the section holding the object ("HEADER", "ENTITIES"); empty outside sections.
  std::string_view section(ObjectId id) const;
  // The TABLE of a table record or the BLOCK of an entity inside a block definition.
  std::optional<ObjectId> container(ObjectId id) const;
  // The POLYLINE or INSERT that a VERTEX, ATTRIB or their SEQEND belongs to.
  std::optional<ObjectId> parent(ObjectId id) const;
  // The objects that belong to a POLYLINE or INSERT (vertices or attributes, then the SEQEND).
  std::vector<ObjectId> children(ObjectId id) const;
  // The TABLE object named `name` ("APPID"), and its records in order.
  std::optional<ObjectId> table(std::string_view name) const;
  std::vector<ObjectId> table_records(std::string_view name) const;

  // The object's tags, as read or as last replaced.
  std::vector<Tag> tags(ObjectId id) const;
  // The value of the object's first tag with `code`; cheaper than tags() for an object as read,
  // whose other values are not copied.
  std::optional<std::string> value_of(ObjectId id, int code) const;
  bool changed(ObjectId id) const;
  // The object's tags in a compact form that restore() puts back exactly, for undo: a few bytes
  // for an object unchanged since it was read.
  std::string snapshot(ObjectId id) const;
  // Gives the object back the tags a snapshot() of it in this document held.
  void restore(ObjectId id, std::string_view snapshot);

  // ---- header ----
  // The value tags of a HEADER variable (one for most, three for a point); none if absent.
  std::optional<std::vector<Tag>> header_variable(std::string_view name) const;
  // Next free handle ($HANDSEED, raised above every used handle); 0 in a handle-less drawing.
  std::uint64_t handle_seed() const { return handle_seed_; }
  bool uses_handles() const { return uses_handles_; }

  // ---- extended data ----
  // Application names of the object's xdata blocks in file order.
  std::vector<std::string> xdata_applications(ObjectId id) const;
  // One application's block without its 1001 tag; none if the object has no such block.
  // Names compare case-insensitively, as the host does.
  std::optional<std::vector<Tag>> xdata(ObjectId id, std::string_view application) const;

  // ---- text ----
  std::u16string decode(std::string_view value) const { return codec_.decode(value); }
  std::string encode(std::u16string_view text) const { return codec_.encode(text); }

  // ---- making tags in this drawing's number style ----
  Tag make_string(int code, std::u16string_view text) const;
  Tag make_int(int code, std::int64_t value) const;
  Tag make_real(int code, double value) const;
  Tag make_handle(int code, std::uint64_t handle) const;

  // ---- editing ----
  // Replaces all tags of an object. The first tag must stay `0` with the same type. Throws Error
  // (and changes nothing) for new or changed values that cannot be stored: line breaks, numbers
  // that do not parse for their group code, binary chunks too long for a binary file. Tags kept
  // unchanged from the file pass as they are.
  void replace_tags(ObjectId id, std::vector<Tag> tags);
  // The object's extended data: its tags from its first 1001 on (none without xdata). Its other
  // tags are only scanned, not read into Tags.
  std::vector<Tag> xdata_tags(ObjectId id) const;
  // Replaces the object's extended data (its tags from the first 1001 on) with `xdata`, checked
  // as replace_tags checks and throwing as it does. The other tags of an object as read stay the
  // bytes they were, kept without being read into Tags.
  void replace_xdata(ObjectId id, std::vector<Tag> xdata);
  // Replaces one application's xdata block (`data` without the 1001 tag): the old block is cut,
  // the new one goes last, other applications' blocks keep their bytes. Empty `data` removes it.
  void set_xdata(ObjectId id, std::string_view application, std::vector<Tag> data);
  // Takes the next handle from $HANDSEED and raises $HANDSEED in the header.
  std::uint64_t allocate_handle();
  // Inserts a new object before `before`. `tags` must start with a `0` tag.
  ObjectId insert_before(ObjectId before, std::vector<Tag> tags);
  // Removes an object, and the VERTEX/ATTRIB/SEQEND objects of a POLYLINE or INSERT, from the
  // drawing (to undo an insert, or erase an entity). Counts in TABLE heads are the caller's.
  // Throws Error for SECTION, ENDSEC, TABLE, ENDTAB, BLOCK, ENDBLK and EOF, which hold the file's
  // structure together.
  void erase(ObjectId id);
  // Adds a record to a table: `tags` is the record without its own handle and owner (e.g.
  // `0 APPID`, `100 ...`, `2 NAME`, `70 0`). The record gets the next handle (when the drawing uses
  // handles) and, from R13, the TABLE as owner; it goes before ENDTAB and the TABLE's count (70)
  // rises by one. Throws Error if the table is missing.
  ObjectId add_table_record(std::string_view table, std::vector<Tag> tags);

  // ---- writing ----
  // The whole drawing as bytes; identical to what was read if nothing changed.
  std::string bytes() const;
  // Writes next to `path` in a temporary file, flushes it to disk, keeps the previous file as
  // `name.bak` (the extension replaced, as the host does) and renames the new one over it. On any
  // failure the original is left as it was and Error says why.
  void save(const std::string& path) const;

 private:
  struct Object;
  struct Added;
  struct ChildRun;
  struct Edits;
  struct Style;
  Document();

  void index();
  void index_handles();
  void read_header();
  void check_handles();
  const Object& obj(ObjectId id) const;
  Object& obj(ObjectId id);
  // Bytes of an object as read; empty for one added since.
  std::pair<std::size_t, std::size_t> span(ObjectId id) const;
  // Line (ASCII) or byte offset (binary) of an object's `0` tag, for messages.
  std::size_t line_of(ObjectId id) const;
  std::vector<Tag> parse_tags(ObjectId id) const;
  std::string_view packed(const Object& o) const;
  // Keeps `packed` as the object's tags (none when it is the object as read).
  void store(ObjectId id, std::string packed);
  void check_tags(const std::vector<Tag>& tags, ObjectId id) const;
  void check_structure(const std::vector<Tag>& tags, ObjectId id) const;
  void check_value(const Tag& tag, ObjectId id) const;
  void set_header_variable(std::string_view name, Tag value);
  std::size_t count_lines(std::size_t from, std::size_t to) const;
  std::size_t line_at(std::size_t offset) const;
  std::size_t value_line(const Tag& tag) const;
  std::string place(std::size_t line) const;
  void warn(std::size_t line, const std::string& problem);
  void write_object(std::string& out, ObjectId id, detail::RenderedRuns& rendered) const;
  // Hands the drawing's bytes to `sink` in file order, untouched runs straight from the buffer.
  void write(const std::function<void(std::string_view)>& sink) const;
  std::size_t position(ObjectId id) const;
  std::uint16_t type_id(std::string_view type);
  std::string_view type_of(const Object& o) const;
  std::optional<std::size_t> handle_entry(std::uint64_t handle) const;
  ObjectId parent_of(ObjectId id) const;

  std::string name_;
  std::string buffer_;
  Format format_ = Format::Ascii;
  int binary_code_width_ = 2;
  std::string version_ = "AC1009";
  std::string code_page_ = "ANSI_1252";
  TextCodec codec_{false, "ANSI_1252"};
  std::vector<Warning> warnings_;

  std::size_t prefix_length_ = 0;   // bytes before the first `0` tag (BOM, sentinel, comments)
  std::size_t trailer_offset_ = 0;  // bytes after `0 EOF`, kept as they are
  std::vector<Object> objects_;     // by ObjectId; those read come first, in file order
  ObjectId read_count_ = 0;         // how many objects were read from the file
  std::vector<ObjectId> order_;     // file order
  // Objects with a handle, ordered by handle (the first of a handle used twice only).
  std::vector<ObjectId> by_handle_;
  // Objects at which offsets pass another 4 GB: an offset's high half is how many lie at or
  // before the object (none in a smaller file).
  std::vector<ObjectId> begin_wraps_;
  // Line of every kLineMark-th object read (ASCII only).
  static constexpr ObjectId kLineMark = 64;
  std::vector<std::size_t> line_marks_;
  std::vector<ChildRun> child_runs_;  // in object order
  std::unordered_map<ObjectId, Added> added_;
  std::unique_ptr<Edits> edits_;
  // Object type names, each once: a million LINEs share one "LINE".
  std::vector<std::string> types_;
  std::map<std::string, std::uint16_t, std::less<>> type_ids_;
  std::uint16_t last_type_ = 0;                          // the type type_id found last
  std::vector<std::string> sections_;                    // names; Object::section indexes this
  ObjectId header_ = kNoObject;                          // the HEADER SECTION object
  std::map<std::string, ObjectId, std::less<>> tables_;  // TABLE objects by name
  std::uint64_t handle_seed_ = 0;
  std::uint64_t max_handle_ = 0;
  bool has_handseed_ = false;
  bool handling_ = false;  // $HANDLING 1 (R12 drawings with handles)
  bool uses_handles_ = false;
  std::unique_ptr<Style> style_;  // number formats of this file
};

}  // namespace zdxf

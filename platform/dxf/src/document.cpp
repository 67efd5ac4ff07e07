#include "zdxf/document.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "document_object.h"
#include "packed_tags.h"
#include "tag_scanner.h"
#include "tag_writer.h"

namespace zdxf {

using detail::RawTag;
using detail::TagScanner;

namespace {

// Versions this reader knows; anything else is refused rather than guessed at.
constexpr std::string_view kVersions[] = {"AC1002", "AC1003", "AC1004", "AC1006", "AC1009",
                                          "AC1012", "AC1014", "AC1015", "AC1018", "AC1021",
                                          "AC1024", "AC1027", "AC1032"};

std::string printable(std::string_view v) {
  std::string s(v.substr(0, 40));
  for (char& c : s) {
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
      c = '?';
  }
  return s;
}

}  // namespace

Document::Document() : style_(std::make_unique<Style>()) {}
Document::Document(Document&&) noexcept = default;
Document& Document::operator=(Document&&) noexcept = default;
Document::~Document() = default;

Document Document::open(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec))
    throw Error(path, 0, "is a folder, not a drawing");
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw Error(path, 0, "cannot open the file");
  std::string bytes;
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  if (size < 0)
    throw Error(path, 0, "cannot read the file");
  bytes.resize(static_cast<std::size_t>(size));
  in.seekg(0);
  in.read(bytes.data(), size);
  if (!in)
    throw Error(path, 0, "cannot read the file");
  return parse(std::move(bytes), path);
}

Document Document::parse(std::string bytes, std::string name) {
  Document d;
  d.name_ = std::move(name);
  d.buffer_ = std::move(bytes);
  d.index();
  d.read_header();
  d.check_handles();
  return d;
}

const Document::Object& Document::obj(ObjectId id) const {
  if (id >= objects_.size())
    throw Error(name_, 0, "no object #" + std::to_string(id));
  return objects_[id];
}

Document::Object& Document::obj(ObjectId id) {
  if (id >= objects_.size())
    throw Error(name_, 0, "no object #" + std::to_string(id));
  return objects_[id];
}

void Document::warn(std::size_t line, const std::string& problem) {
  Warning w;
  w.line = line;
  if (format_ == Format::Binary && line != 0) {
    w.message = Error(name_, 0, "byte " + std::to_string(line) + ": " + problem).what();
  } else {
    w.message = Error(name_, line, problem).what();
  }
  warnings_.push_back(std::move(w));
}

// One pass over the buffer: split it into objects at `0` tags and note for each its type, handle,
// section, table or block, and POLYLINE/INSERT owner. Values are not converted here.
void Document::index() {
  if (buffer_.empty())
    throw Error(name_, 0, "the file is empty");
  std::size_t start = 0;
  if (buffer_.compare(0, detail::kBinarySentinel.size(), detail::kBinarySentinel) == 0) {
    format_ = Format::Binary;
    start = detail::kBinarySentinel.size();
    // `0 SECTION` follows: a 2-byte code has a second 0 byte, a 1-byte code is followed by 'S'.
    binary_code_width_ = buffer_.size() > start + 1 && buffer_[start + 1] == '\0' ? 2 : 1;
  } else if (buffer_.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    start = 3;  // a byte-order mark some writers add; kept in the prefix
  }
  const std::size_t first_line = format_ == Format::Binary ? start : 1;
  auto fail = [&](std::size_t line, const std::string& problem) -> void {
    if (format_ == Format::Binary) {
      throw Error(name_, 0, "byte " + std::to_string(line) + ": " + problem);
    }
    throw Error(name_, line, problem);
  };

  TagScanner scan(buffer_, format_, binary_code_width_, name_, start, first_line);
  RawTag raw;
  prefix_length_ = buffer_.size();
  bool have_eof = false;
  std::uint32_t section = Object::kNoSection;
  ObjectId table = kNoObject, block = kNoObject, polyline = kNoObject;
  bool want_name = false;    // the current object's `2` names its section or table
  bool handle_seen = false;  // only an object's first 5 (105) is its handle
  std::uint64_t max_handle = 0;
  std::set<std::string, std::less<>> seen_sections;

  auto finish = [&](ObjectId id, std::size_t end) {
    if (id != kNoObject)
      objects_[id].end = end;
  };
  ObjectId current = kNoObject;

  // Growing the object vector of a large drawing copies it again and again; once the first
  // megabyte shows how dense objects are, make room for the whole file at once.
  constexpr std::size_t kSample = std::size_t{1} << 20;
  bool reserved = buffer_.size() < 4 * kSample;

  while (scan.next(raw)) {
    if (!reserved && raw.begin > kSample) {
      std::size_t expected = objects_.size() * (buffer_.size() / raw.begin + 1);
      objects_.reserve(expected);
      order_.reserve(expected);
      by_handle_.reserve(expected);
      reserved = true;
    }
    if (raw.code == 0) {
      finish(current, raw.begin);
      if (current == kNoObject)
        prefix_length_ = raw.begin;
      std::string_view type = detail::trim_blanks(raw.value);
      if (type == "EOF") {
        current = static_cast<ObjectId>(objects_.size());
        objects_.push_back(Object{});
        Object& eof = objects_.back();
        eof.begin = raw.begin;
        eof.end = raw.end;
        eof.line = raw.line;
        eof.type = type_id("EOF");
        eof.position = order_.size();
        order_.push_back(current);
        trailer_offset_ = raw.end;
        have_eof = true;
        if (section != Object::kNoSection) {
          fail(raw.line, "section " + sections_[section] + " is not closed before EOF");
        }
        break;
      }
      current = static_cast<ObjectId>(objects_.size());
      objects_.push_back(Object{});
      Object& o = objects_.back();
      o.begin = raw.begin;
      o.line = raw.line;
      o.type = type_id(type);
      o.position = order_.size();
      order_.push_back(current);
      want_name = false;
      handle_seen = false;

      if (type == "SECTION") {
        if (section != Object::kNoSection) {
          fail(raw.line, "section " + sections_[section] + " is not closed (no ENDSEC)");
        }
        section = static_cast<std::uint32_t>(sections_.size());
        sections_.emplace_back();
        want_name = true;
      } else if (type == "ENDSEC") {
        // dxflib closes HEADER twice with header variables in between; readers carry on.
        if (section == Object::kNoSection) {
          warn(raw.line, "ENDSEC without SECTION; ignored");
        }
        if (table != kNoObject)
          fail(raw.line, "table is not closed (no ENDTAB)");
        if (block != kNoObject)
          fail(raw.line, "block is not closed (no ENDBLK)");
      }
      o.section = section;
      if (type == "TABLE") {
        if (table != kNoObject)
          fail(raw.line, "TABLE inside a table (no ENDTAB)");
        table = current;
        want_name = true;
      } else if (type == "ENDTAB") {
        if (table == kNoObject)
          fail(raw.line, "ENDTAB without TABLE");
        o.container = table;
        table = kNoObject;
      } else if (type == "BLOCK") {
        if (block != kNoObject)
          fail(raw.line, "BLOCK inside a block (no ENDBLK)");
        block = current;
      } else if (type == "ENDBLK") {
        if (block == kNoObject)
          fail(raw.line, "ENDBLK without BLOCK");
        o.container = block;
        block = kNoObject;
      } else {
        o.container = table != kNoObject ? table : block;
      }
      if (type == "VERTEX" || type == "ATTRIB" || type == "SEQEND") {
        o.parent = polyline;
        if (type == "SEQEND")
          polyline = kNoObject;
      } else {
        polyline = type == "POLYLINE" || type == "INSERT" ? current : kNoObject;
      }
      if (type == "ENDSEC")
        section = Object::kNoSection;
      continue;
    }
    if (current == kNoObject)
      continue;  // comments before the first object
    Object& o = objects_[current];
    if (raw.code == 2 && want_name) {
      std::string name(detail::trim_blanks(raw.value));
      if (type_of(o) == "SECTION") {
        if (seen_sections.count(name) != 0)
          fail(raw.line, "section " + name + " appears twice");
        seen_sections.insert(name);
        sections_[o.section] = name;
        if (name == "HEADER")
          header_ = current;
      } else {
        tables_.emplace(name, current);
      }
      want_name = false;
    } else if ((raw.code == 5 || raw.code == 105) && !handle_seen && type_of(o) != "SECTION") {
      // DIMSTYLE records carry their handle in 105; their 5 is not used.
      if ((raw.code == 105) != (type_of(o) == "DIMSTYLE"))
        continue;
      handle_seen = true;
      Tag t(raw.code, std::string(raw.value));
      std::optional<std::uint64_t> h = t.as_handle();
      if (!h) {
        warn(raw.line, "object " + std::string(type_of(o)) + " has an invalid handle '" +
                           printable(raw.value) + "'; it is kept without one");
        continue;
      }
      o.handle = *h;
      o.has_handle = true;
      max_handle = std::max(max_handle, *h);
      auto [it, fresh] = by_handle_.emplace(*h, current);
      if (!fresh) {
        warn(raw.line, "handle " + format_handle(*h) + " is used again (first at " +
                           place(objects_[it->second].line) + "); lookups find the first");
      }
    }
  }
  if (!have_eof) {
    if (objects_.empty()) {
      fail(scan.line(), "no DXF objects found (not a DXF file?)");
    }
    fail(scan.line(), "the file ends without 0/EOF (cut short?)");
  }
  max_handle_ = max_handle;
}

void Document::read_header() {
  std::size_t version_at = 0, code_page_at = 0;  // lines of the values, for messages
  if (header_ != kNoObject) {
    std::vector<Tag> tags = parse_tags(objects_[header_]);
    for (std::size_t i = 0; i < tags.size(); ++i) {
      if (tags[i].code != 9)
        continue;
      std::string_view var = tags[i].trimmed();
      if (i + 1 >= tags.size() || tags[i + 1].code == 9)
        continue;
      const Tag& v = tags[i + 1];
      if (var == "$ACADVER") {
        version_ = std::string(v.trimmed());
        version_at = value_line(v);
      } else if (var == "$DWGCODEPAGE") {
        code_page_ = std::string(v.trimmed());
        code_page_at = value_line(v);
      } else if (var == "$HANDSEED") {
        std::optional<std::uint64_t> h = v.as_handle();
        if (h) {
          handle_seed_ = *h;
          has_handseed_ = true;
        } else {
          warn(0, "$HANDSEED '" + printable(v.value) + "' is not a handle");
        }
      } else if (var == "$HANDLING") {
        handling_ = v.as_int().value_or(0) != 0;
      }
    }
    style_->reals = detail::real_style(tags);
    if (format_ == Format::Ascii) {
      std::string_view bytes(buffer_);
      const Object& h = objects_[header_];
      style_->int_width = detail::ascii_style(bytes.substr(h.begin, h.end - h.begin)).int_width;
    }
  }
  if (std::find(std::begin(kVersions), std::end(kVersions), version_) == std::end(kVersions)) {
    throw Error(name_, version_at, "unknown DXF version '" + printable(version_) + "'");
  }
  bool utf8 = version_ >= "AC1021";
  if (!utf8 && !TextCodec::known_code_page(code_page_)) {
    throw Error(name_, code_page_at,
                "unknown code page '" + printable(code_page_) + "' in $DWGCODEPAGE");
  }
  codec_ = TextCodec(utf8, code_page_);
}

// Line of a byte in an ASCII file, counted as the scanner counts (LF, CRLF or a lone CR); only
// for messages, so a slow walk is fine. Binary files have no lines: 0.
std::size_t Document::line_at(std::size_t offset) const {
  if (format_ == Format::Binary)
    return 0;
  std::size_t line = 1;
  for (std::size_t i = 0; i < offset && i < buffer_.size(); ++i) {
    if (buffer_[i] == '\n' ||
        (buffer_[i] == '\r' && (i + 1 >= buffer_.size() || buffer_[i + 1] != '\n'))) {
      ++line;
    }
  }
  return line;
}

std::size_t Document::value_line(const Tag& tag) const {
  return format_ == Format::Ascii ? line_at(tag.source_offset) + 1 : 0;
}

std::string Document::place(std::size_t line) const {
  return (format_ == Format::Binary ? "byte " : "line ") + std::to_string(line);
}

void Document::check_handles() {
  uses_handles_ = version_ >= "AC1012" || handling_ || !by_handle_.empty();
  if (!uses_handles_) {
    handle_seed_ = 0;
    return;
  }
  if (!has_handseed_) {
    handle_seed_ = max_handle_ + 1;
    warn(0, "no $HANDSEED; new handles start at " + format_handle(handle_seed_));
  } else if (handle_seed_ <= max_handle_) {
    warn(0, "$HANDSEED " + format_handle(handle_seed_) + " is not above the highest handle " +
                format_handle(max_handle_) + "; new handles start at " +
                format_handle(max_handle_ + 1));
    handle_seed_ = max_handle_ + 1;
  }
  if (handle_seed_ == 0)
    handle_seed_ = 1;
}

std::vector<Tag> Document::parse_tags(const Object& o) const {
  if (o.edited)
    return detail::unpack_tags(o.edited.view(), buffer_, format_, binary_code_width_, name_);
  std::vector<Tag> tags;
  tags.reserve(24);  // most entities hold fewer tags: one allocation, no regrowth
  TagScanner scan(std::string_view(buffer_).substr(0, o.end), format_, binary_code_width_, name_,
                  o.begin, o.line);
  RawTag raw;
  while (scan.next(raw)) {
    Tag t;
    t.code = raw.code;
    t.value = format_ == Format::Ascii ? std::string(raw.value)
                                       : detail::binary_value_text(raw.code, raw.value);
    t.source_offset = raw.begin;
    t.source_length = raw.end - raw.begin;
    tags.push_back(std::move(t));
  }
  return tags;
}

std::uint32_t Document::type_id(std::string_view type) {
  auto known = type_ids_.find(type);
  if (known == type_ids_.end()) {
    known = type_ids_.emplace(std::string(type), static_cast<std::uint32_t>(types_.size())).first;
    types_.emplace_back(type);
  }
  return known->second;
}

std::string_view Document::type_of(const Object& o) const {
  return types_[o.type];
}

std::vector<Tag> Document::tags(ObjectId id) const {
  return parse_tags(obj(id));
}

bool Document::changed(ObjectId id) const {
  return static_cast<bool>(obj(id).edited);
}

std::string_view Document::type(ObjectId id) const {
  return type_of(obj(id));
}

std::optional<std::uint64_t> Document::handle(ObjectId id) const {
  const Object& o = obj(id);
  if (!o.has_handle)
    return std::nullopt;
  return o.handle;
}

std::optional<ObjectId> Document::find(std::uint64_t handle) const {
  auto it = by_handle_.find(handle);
  if (it == by_handle_.end())
    return std::nullopt;
  return it->second;
}

std::optional<std::uint64_t> Document::owner(ObjectId id) const {
  int depth = 0;
  for (const Tag& t : tags(id)) {
    if (t.code == 102) {
      std::string_view v = t.trimmed();
      depth += !v.empty() && v.front() == '{' ? 1 : (v == "}" ? -1 : 0);
    } else if (t.code == 330 && depth <= 0) {
      return t.as_handle();
    }
  }
  return std::nullopt;
}

std::string_view Document::section(ObjectId id) const {
  const Object& o = obj(id);
  if (o.section == Object::kNoSection)
    return {};
  return sections_[o.section];
}

std::optional<ObjectId> Document::container(ObjectId id) const {
  ObjectId c = obj(id).container;
  if (c == kNoObject)
    return std::nullopt;
  return c;
}

std::optional<ObjectId> Document::parent(ObjectId id) const {
  ObjectId p = obj(id).parent;
  if (p == kNoObject)
    return std::nullopt;
  return p;
}

std::vector<ObjectId> Document::children(ObjectId id) const {
  std::vector<ObjectId> out;
  std::size_t at = position(id);
  for (std::size_t i = at + 1; i < order_.size() && objects_[order_[i]].parent == id; ++i) {
    out.push_back(order_[i]);
  }
  return out;
}

std::optional<ObjectId> Document::table(std::string_view name) const {
  auto it = tables_.find(name);
  if (it == tables_.end())
    return std::nullopt;
  return it->second;
}

std::vector<ObjectId> Document::table_records(std::string_view name) const {
  std::vector<ObjectId> out;
  std::optional<ObjectId> t = table(name);
  if (!t)
    return out;
  for (std::size_t i = position(*t) + 1; i < order_.size(); ++i) {
    const Object& o = objects_[order_[i]];
    if (type_of(o) == "ENDTAB" || o.container != *t)
      break;
    out.push_back(order_[i]);
  }
  return out;
}

std::size_t Document::position(ObjectId id) const {
  std::size_t at = obj(id).position;
  if (at == Object::kErased)
    throw Error(name_, 0, "object #" + std::to_string(id) + " was erased");
  return at;
}

std::optional<std::vector<Tag>> Document::header_variable(std::string_view name) const {
  if (header_ == kNoObject)
    return std::nullopt;
  std::vector<Tag> tags = parse_tags(objects_[header_]);
  for (std::size_t i = 0; i < tags.size(); ++i) {
    if (tags[i].code != 9 || tags[i].trimmed() != name)
      continue;
    std::vector<Tag> value;
    for (std::size_t j = i + 1; j < tags.size() && tags[j].code != 9; ++j)
      value.push_back(tags[j]);
    return value;
  }
  return std::nullopt;
}

}  // namespace zdxf

#include "zdxf/document.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "document_object.h"
#include "packed_tags.h"
#include "tag_scanner.h"
#include "tag_writer.h"
#include "zdxf/large_pages.h"

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

Document::Document() : edits_(std::make_unique<Edits>()), style_(std::make_unique<Style>()) {}
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
  // A drawing of many megabytes goes into fresh memory that large pages fill fastest.
  bytes.reserve(static_cast<std::size_t>(size));
  advise_large_pages(bytes.data(), bytes.capacity());
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
  std::uint8_t section = Object::kNoSection;
  ObjectId table = kNoObject, block = kNoObject, polyline = kNoObject;
  bool want_name = false;    // the current object's `2` names its section or table
  bool handle_seen = false;  // only an object's first 5 (105) is its handle
  std::uint64_t max_handle = 0;
  std::set<std::string, std::less<>> seen_sections;
  ObjectId current = kNoObject;

  // Growing the object vector of a large drawing copies it again and again; once the first
  // megabyte shows how dense objects are, make room for the whole file at once.
  constexpr std::size_t kSample = std::size_t{1} << 20;
  bool reserved = buffer_.size() < 4 * kSample;

  auto add_object = [&](std::string_view type) {
    if (objects_.size() >= kNoObject - 1)
      fail(raw.line, "too many objects");
    current = static_cast<ObjectId>(objects_.size());
    while ((raw.begin >> 32) > begin_wraps_.size())
      begin_wraps_.push_back(current);
    if (format_ == Format::Ascii && current % kLineMark == 0)
      line_marks_.push_back(raw.line);
    Object o;
    o.begin = static_cast<std::uint32_t>(raw.begin);
    o.type = type_id(type);
    o.position = static_cast<std::uint32_t>(order_.size());
    objects_.push_back(o);
    order_.push_back(current);
  };

  while (scan.next(raw)) {
    if (!reserved && raw.begin > kSample) {
      std::size_t expected = objects_.size() * (buffer_.size() / raw.begin + 1);
      reserve_in_large_pages(objects_, expected);
      reserve_in_large_pages(order_, expected);
      reserved = true;
    }
    if (raw.code == 0) {
      if (current == kNoObject)
        prefix_length_ = raw.begin;
      std::string_view type = detail::trim_blanks(raw.value);
      add_object(type);
      if (type == "EOF") {
        trailer_offset_ = raw.end;
        have_eof = true;
        if (section != Object::kNoSection) {
          fail(raw.line, "section " + sections_[section] + " is not closed before EOF");
        }
        break;
      }
      Object& o = objects_.back();
      want_name = false;
      handle_seen = false;

      if (type == "SECTION") {
        if (section != Object::kNoSection) {
          fail(raw.line, "section " + sections_[section] + " is not closed (no ENDSEC)");
        }
        if (sections_.size() >= Object::kNoSection)
          fail(raw.line, "too many sections");
        section = static_cast<std::uint8_t>(sections_.size());
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
        if (polyline != kNoObject) {
          if (!child_runs_.empty() && child_runs_.back().parent == polyline &&
              child_runs_.back().last + 1 == current) {
            child_runs_.back().last = current;
          } else {
            child_runs_.push_back(ChildRun{current, current, polyline});
          }
        }
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
    if (raw.code == 67)
      o.flags |= Object::kHasCode67;
    else if (raw.code == 1001)
      o.flags |= Object::kHasXdata;
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
      const std::optional<std::uint64_t> h = parse_handle(raw.value);
      if (!h) {
        warn(raw.line, "object " + std::string(type_of(o)) + " has an invalid handle '" +
                           printable(raw.value) + "'; it is kept without one");
        continue;
      }
      o.handle = *h;
      o.flags |= Object::kHasHandle;
      max_handle = std::max(max_handle, *h);
    }
  }
  if (!have_eof) {
    if (objects_.empty()) {
      fail(scan.line(), "no DXF objects found (not a DXF file?)");
    }
    fail(scan.line(), "the file ends without 0/EOF (cut short?)");
  }
  read_count_ = static_cast<ObjectId>(objects_.size());
  max_handle_ = max_handle;
  index_handles();
}

// Orders the objects by handle for find(). Sorting finds handles used twice, which are named in
// warnings among the others in file order; lookups find the first object of such a handle.
void Document::index_handles() {
  std::size_t count = 0;
  for (const Object& o : objects_)
    count += (o.flags & Object::kHasHandle) != 0;
  // Room for the records commands add (an APPID, a layer): growing by doubling for the first of
  // them would hold a large drawing's index twice.
  reserve_in_large_pages(by_handle_, count + 64);
  for (ObjectId id = 0; id < objects_.size(); ++id) {
    if ((objects_[id].flags & Object::kHasHandle) != 0)
      by_handle_.push_back(id);
  }
  auto before = [this](ObjectId a, ObjectId b) {
    return objects_[a].handle < objects_[b].handle ||
           (objects_[a].handle == objects_[b].handle && a < b);
  };
  // Writers hand out handles in file order, so the index is most often sorted already, or made
  // of a few sorted runs (sections whose handles were handed out in another order): those are
  // merged, anything else sorted.
  constexpr std::size_t kMergedRuns = 8;
  std::vector<std::size_t> runs{0};
  for (std::size_t i = 1; i < by_handle_.size() && runs.size() <= kMergedRuns; ++i) {
    if (before(by_handle_[i], by_handle_[i - 1]))
      runs.push_back(i);
  }
  if (runs.size() > kMergedRuns) {
    std::sort(by_handle_.begin(), by_handle_.end(), before);
  } else {
    for (std::size_t k = 1; k < runs.size(); ++k) {
      const std::size_t end = k + 1 < runs.size() ? runs[k + 1] : by_handle_.size();
      std::inplace_merge(by_handle_.begin(),
                         by_handle_.begin() + static_cast<std::ptrdiff_t>(runs[k]),
                         by_handle_.begin() + static_cast<std::ptrdiff_t>(end), before);
    }
  }
  std::vector<std::pair<ObjectId, ObjectId>> again;  // (object, first object of its handle)
  std::size_t kept = 0;
  for (std::size_t i = 0; i < by_handle_.size(); ++i) {
    const ObjectId id = by_handle_[i];
    if (kept > 0 && objects_[by_handle_[kept - 1]].handle == objects_[id].handle) {
      again.emplace_back(id, by_handle_[kept - 1]);
      continue;
    }
    by_handle_[kept++] = id;
  }
  by_handle_.resize(kept);
  if (again.empty())
    return;
  std::sort(again.begin(), again.end());
  const std::size_t earlier = warnings_.size();
  for (auto [id, first] : again) {
    // The warning names the line of the handle tag, found again by reading the object.
    auto [begin, end] = span(id);
    TagScanner scan(std::string_view(buffer_).substr(0, end), format_, binary_code_width_, name_,
                    begin, line_of(id));
    RawTag raw;
    std::size_t line = line_of(id);
    const int code = type_of(objects_[id]) == "DIMSTYLE" ? 105 : 5;
    while (scan.next(raw)) {
      if (raw.code == code) {
        line = raw.line;
        break;
      }
    }
    warn(line, "handle " + format_handle(objects_[id].handle) + " is used again (first at " +
                   place(line_of(first)) + "); lookups find the first");
  }
  std::inplace_merge(warnings_.begin(), warnings_.begin() + static_cast<std::ptrdiff_t>(earlier),
                     warnings_.end(),
                     [](const Warning& a, const Warning& b) { return a.line < b.line; });
}

void Document::read_header() {
  std::size_t version_at = 0, code_page_at = 0;  // lines of the values, for messages
  if (header_ != kNoObject) {
    std::vector<Tag> tags = parse_tags(header_);
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
      auto [begin, end] = span(header_);
      style_->int_width =
          detail::ascii_style(std::string_view(buffer_).substr(begin, end - begin)).int_width();
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
  return 1 + count_lines(0, offset);
}

std::size_t Document::count_lines(std::size_t from, std::size_t to) const {
  std::size_t lines = 0;
  for (std::size_t i = from; i < to && i < buffer_.size(); ++i) {
    if (buffer_[i] == '\n' ||
        (buffer_[i] == '\r' && (i + 1 >= buffer_.size() || buffer_[i + 1] != '\n'))) {
      ++lines;
    }
  }
  return lines;
}

std::size_t Document::line_of(ObjectId id) const {
  if (id >= read_count_) {
    auto added = added_.find(id);
    return added == added_.end() ? 0 : line_of(added->second.before);
  }
  const std::size_t begin = span(id).first;
  if (format_ == Format::Binary)
    return begin;
  const ObjectId mark = id / kLineMark;
  return line_marks_[mark] + count_lines(span(mark * kLineMark).first, begin);
}

std::pair<std::size_t, std::size_t> Document::span(ObjectId id) const {
  if (id >= read_count_)
    return {0, 0};
  auto begin = [this](ObjectId at) {
    if (begin_wraps_.empty())  // a drawing under 4 GB
      return std::size_t{objects_[at].begin};
    const auto high = static_cast<std::size_t>(
        std::upper_bound(begin_wraps_.begin(), begin_wraps_.end(), at) - begin_wraps_.begin());
    return (high << 32) | objects_[at].begin;
  };
  return {begin(id), id + 1 < read_count_ ? begin(id + 1) : trailer_offset_};
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

std::string_view Document::packed(const Object& o) const {
  return edits_->store.view(o.edit);
}

std::vector<Tag> Document::parse_tags(ObjectId id) const {
  const Object& o = obj(id);
  if (o.edit != 0) {
    return detail::unpack_tags(packed(o), span(id).first, buffer_, format_, binary_code_width_,
                               edits_->shared, name_);
  }
  std::vector<Tag> tags;
  tags.reserve(detail::kTagsReserved);
  // These bytes were scanned when the file was read: they scan the same way again, so no line
  // is needed for messages.
  auto [begin, end] = span(id);
  TagScanner scan(std::string_view(buffer_).substr(0, end), format_, binary_code_width_, name_,
                  begin, 0);
  RawTag raw;
  while (scan.next(raw))
    tags.push_back(detail::tag_from_source(raw, buffer_, format_));
  return tags;
}

std::uint16_t Document::type_id(std::string_view type) {
  // Drawings hold runs of objects of one type (lines, then texts...).
  if (last_type_ < types_.size() && types_[last_type_] == type)
    return last_type_;
  auto known = type_ids_.find(type);
  if (known == type_ids_.end()) {
    if (types_.size() > 0xffff)
      throw Error(name_, 0, "more than 65536 object types");
    known = type_ids_.emplace(std::string(type), static_cast<std::uint16_t>(types_.size())).first;
    types_.emplace_back(type);
  }
  last_type_ = known->second;
  return known->second;
}

std::string_view Document::type_of(const Object& o) const {
  return types_[o.type];
}

std::vector<Tag> Document::tags(ObjectId id) const {
  return parse_tags(id);
}

std::optional<std::string> Document::value_of(ObjectId id, int code) const {
  if (code == 67 && obj(id).edit == 0 && (obj(id).flags & Object::kHasCode67) == 0)
    return std::nullopt;
  if (obj(id).edit != 0) {
    for (Tag& t : parse_tags(id)) {
      if (t.code == code)
        return std::move(t.value);
    }
    return std::nullopt;
  }
  auto [begin, end] = span(id);
  TagScanner scan(std::string_view(buffer_).substr(0, end), format_, binary_code_width_, name_,
                  begin, 0);
  RawTag raw;
  while (scan.next(raw)) {
    if (raw.code == code) {
      return format_ == Format::Ascii ? std::string(raw.value)
                                      : detail::binary_value_text(raw.code, raw.value);
    }
  }
  return std::nullopt;
}

bool Document::changed(ObjectId id) const {
  return obj(id).edit != 0;
}

std::string_view Document::type(ObjectId id) const {
  return type_of(obj(id));
}

std::optional<std::uint64_t> Document::handle(ObjectId id) const {
  const Object& o = obj(id);
  if ((o.flags & Object::kHasHandle) == 0)
    return std::nullopt;
  return o.handle;
}

std::optional<std::size_t> Document::handle_entry(std::uint64_t handle) const {
  auto at =
      std::lower_bound(by_handle_.begin(), by_handle_.end(), handle,
                       [this](ObjectId id, std::uint64_t h) { return objects_[id].handle < h; });
  if (at == by_handle_.end() || objects_[*at].handle != handle)
    return std::nullopt;
  return static_cast<std::size_t>(at - by_handle_.begin());
}

std::optional<ObjectId> Document::find(std::uint64_t handle) const {
  std::optional<std::size_t> entry = handle_entry(handle);
  if (!entry)
    return std::nullopt;
  return by_handle_[*entry];
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

ObjectId Document::parent_of(ObjectId id) const {
  auto after = std::upper_bound(child_runs_.begin(), child_runs_.end(), id,
                                [](ObjectId i, const ChildRun& run) { return i < run.first; });
  if (after == child_runs_.begin())
    return kNoObject;
  const ChildRun& run = *(after - 1);
  return id <= run.last ? run.parent : kNoObject;
}

std::optional<ObjectId> Document::parent(ObjectId id) const {
  obj(id);
  ObjectId p = parent_of(id);
  if (p == kNoObject)
    return std::nullopt;
  return p;
}

std::vector<ObjectId> Document::children(ObjectId id) const {
  std::vector<ObjectId> out;
  std::size_t at = position(id);
  for (std::size_t i = at + 1; i < order_.size() && parent_of(order_[i]) == id; ++i) {
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
  std::vector<Tag> tags = parse_tags(header_);
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

#include <algorithm>
#include <cctype>

#include "document_object.h"
#include "packed_tags.h"
#include "tag_scanner.h"
#include "tag_writer.h"
#include "zdxf/document.h"

namespace zdxf {

namespace {

bool same_name(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

// Index of the first xdata tag (the first 1001); tags.size() if none. Codes >= 1000 may appear
// in an object's own data, so only 1001 starts the xdata.
std::size_t xdata_start(const std::vector<Tag>& tags) {
  for (std::size_t i = 0; i < tags.size(); ++i) {
    if (tags[i].code == 1001)
      return i;
  }
  return tags.size();
}

// [begin, end) of one application's block, including its 1001 tag.
std::pair<std::size_t, std::size_t> xdata_block(const std::vector<Tag>& tags,
                                                std::string_view app) {
  for (std::size_t i = xdata_start(tags); i < tags.size(); ++i) {
    if (tags[i].code != 1001 || !same_name(tags[i].trimmed(), app))
      continue;
    std::size_t end = i + 1;
    while (end < tags.size() && tags[end].code != 1001)
      ++end;
    return {i, end};
  }
  return {tags.size(), tags.size()};
}

std::optional<std::uint64_t> own_handle(const std::vector<Tag>& tags) {
  bool dimstyle = !tags.empty() && tags[0].trimmed() == "DIMSTYLE";
  for (const Tag& t : tags) {
    if (t.code == (dimstyle ? 105 : 5))
      return t.as_handle();
  }
  return std::nullopt;
}

}  // namespace

Tag Document::make_string(int code, std::u16string_view text) const {
  return Tag(code, encode(text));
}

Tag Document::make_int(int code, std::int64_t value) const {
  return Tag(code, std::to_string(value));
}

Tag Document::make_real(int code, double value) const {
  return Tag(code, detail::format_real(value, style_->reals));
}

Tag Document::make_handle(int code, std::uint64_t handle) const {
  return Tag(code, format_handle(handle));
}

// `id` names the object whose line a message gives.
void Document::check_tags(const std::vector<Tag>& tags, ObjectId id) const {
  check_structure(tags, id);
  for (const Tag& t : tags) {
    // Tags kept from the file are written back as they were, however odd their values.
    if (!detail::same_as_source(t, buffer_, format_, binary_code_width_))
      check_value(t, id);
  }
}

void Document::check_structure(const std::vector<Tag>& tags, ObjectId id) const {
  if (tags.empty() || tags[0].code != 0)
    throw Error(name_, line_of(id), "an object must start with a 0 tag");
  for (std::size_t i = 1; i < tags.size(); ++i) {
    if (tags[i].code == 0)
      throw Error(name_, line_of(id), "a 0 tag may only start an object");
  }
}

void Document::check_value(const Tag& tag, ObjectId id) const {
  std::string problem = detail::value_problem(tag, format_);
  if (!problem.empty())
    throw Error(name_, line_of(id), "group code " + std::to_string(tag.code) + ": " + problem);
}

void Document::store(ObjectId id, std::string packed) {
  Object& o = objects_[id];
  detail::EditStore& edits = edits_->store;
  edits.drop(o.edit);
  o.edit = 0;
  // Tags that are again the object as read need no record: the object is unchanged.
  if (id < read_count_) {
    const auto own = span(id);
    if (detail::only_span(packed, own.first) == own)
      return;
  }
  o.edit = edits.add(packed);
  if (edits.wasteful()) {
    detail::EditStore fresh;
    for (Object& each : objects_) {
      if (each.edit != 0)
        each.edit = fresh.add(edits.view(each.edit));
    }
    edits = std::move(fresh);
  }
}

std::string Document::snapshot(ObjectId id) const {
  const Object& o = obj(id);
  if (o.edit != 0)
    return std::string(packed(o));
  auto [begin, end] = span(id);
  return detail::pack_span(begin, end, begin);
}

void Document::restore(ObjectId id, std::string_view snapshot) {
  obj(id);
  store(id, std::string(snapshot));
}

void Document::replace_tags(ObjectId id, std::vector<Tag> tags) {
  const Object& o = obj(id);
  check_structure(tags, id);
  if (tags[0].trimmed() != type_of(o)) {
    throw Error(name_, line_of(id),
                "an object of type " + std::string(type_of(o)) + " cannot become " +
                    std::string(tags[0].trimmed()));
  }
  if (type_of(o) != "SECTION") {
    std::optional<std::uint64_t> h = own_handle(tags);
    const bool has_handle = (o.flags & Object::kHasHandle) != 0;
    if (h.has_value() != has_handle || (h && *h != o.handle)) {
      throw Error(name_, line_of(id), "the handle of an object cannot change");
    }
  }
  // Values are checked as the tags are packed: only those not kept from the file need it.
  store(id, detail::pack_tags(tags, span(id).first, buffer_, format_, binary_code_width_,
                              edits_->shared, [&](const Tag& t) { check_value(t, id); }));
}

std::vector<std::string> Document::xdata_applications(ObjectId id) const {
  std::vector<std::string> apps;
  std::vector<Tag> t = tags(id);
  for (std::size_t i = xdata_start(t); i < t.size(); ++i) {
    if (t[i].code == 1001)
      apps.emplace_back(t[i].trimmed());
  }
  return apps;
}

std::optional<std::vector<Tag>> Document::xdata(ObjectId id, std::string_view application) const {
  std::vector<Tag> t = tags(id);
  auto [begin, end] = xdata_block(t, application);
  if (begin == t.size())
    return std::nullopt;
  return std::vector<Tag>(t.begin() + static_cast<std::ptrdiff_t>(begin) + 1,
                          t.begin() + static_cast<std::ptrdiff_t>(end));
}

std::vector<Tag> Document::xdata_tags(ObjectId id) const {
  const Object& o = obj(id);
  std::vector<Tag> xdata;
  if (o.edit != 0) {
    std::vector<Tag> t = parse_tags(id);
    xdata.assign(std::make_move_iterator(t.begin() + static_cast<std::ptrdiff_t>(xdata_start(t))),
                 std::make_move_iterator(t.end()));
    return xdata;
  }
  if ((o.flags & Object::kHasXdata) == 0)
    return xdata;
  auto [begin, end] = span(id);
  detail::TagScanner scan(std::string_view(buffer_).substr(0, end), format_, binary_code_width_,
                          name_, begin, 0);
  detail::RawTag raw;
  bool in_xdata = false;
  while (scan.next(raw)) {
    in_xdata = in_xdata || raw.code == 1001;
    if (in_xdata)
      xdata.push_back(detail::tag_from_source(raw, buffer_, format_));
  }
  return xdata;
}

void Document::replace_xdata(ObjectId id, std::vector<Tag> xdata) {
  const Object& o = obj(id);
  // Tags that could change the object's type or handle take the checks of a whole replacement.
  bool own_kept = o.edit == 0 && id < read_count_;
  for (const Tag& t : xdata)
    own_kept = own_kept && t.code != 0 && t.code != 5 && t.code != 105;
  if (!own_kept) {
    std::vector<Tag> t = parse_tags(id);
    t.erase(t.begin() + static_cast<std::ptrdiff_t>(xdata_start(t)), t.end());
    t.insert(t.end(), std::make_move_iterator(xdata.begin()), std::make_move_iterator(xdata.end()));
    replace_tags(id, std::move(t));
    return;
  }
  auto [begin, end] = span(id);
  std::size_t own_end = end;
  if ((o.flags & Object::kHasXdata) != 0) {
    detail::TagScanner scan(std::string_view(buffer_).substr(0, end), format_, binary_code_width_,
                            name_, begin, 0);
    detail::RawTag raw;
    while (scan.next(raw)) {
      if (raw.code == 1001) {
        own_end = raw.begin;
        break;
      }
    }
  }
  const bool all_new = !xdata.empty() && std::all_of(xdata.begin(), xdata.end(), [](const Tag& t) {
    return t.source_offset == Tag::kNew;
  });
  // The same new record as the last one: its values were checked and its run shared then.
  if (all_new && xdata == edits_->last_xdata) {
    store(id, detail::pack_span(begin, own_end, begin) + edits_->last_xdata_packed);
    return;
  }
  std::string packed = detail::pack_tags(
      xdata, begin, buffer_, format_, binary_code_width_, edits_->shared,
      [&](const Tag& t) { check_value(t, id); }, own_end);
  const std::string_view records =
      std::string_view(packed).substr(detail::pack_span(begin, own_end, begin).size());
  if (all_new && detail::only_shared_run(records)) {
    edits_->last_xdata_packed.assign(records);
    edits_->last_xdata = std::move(xdata);
  }
  store(id, std::move(packed));
}

void Document::set_xdata(ObjectId id, std::string_view application, std::vector<Tag> data) {
  obj(id);
  auto refuse = [&](const std::string& problem) {
    throw Error(name_, line_of(id), "xdata of '" + std::string(application) + "': " + problem);
  };
  if (application.empty())
    refuse("an application name is needed");
  // The host checks that 1002 braces balance and that a block holds only xdata codes.
  int depth = 0;
  for (const Tag& t : data) {
    if (t.code < 1000 || t.code > 1071 || t.code == 1001)
      refuse("group code " + std::to_string(t.code) + " is not allowed");
    if (t.code != 1002)
      continue;
    if (t.trimmed() == "{") {
      ++depth;
    } else if (t.trimmed() == "}" && depth > 0) {
      --depth;
    } else {
      refuse("1002 '" + t.value + "' does not balance");
    }
  }
  if (depth != 0)
    refuse("1002 '{' is not closed");
  std::vector<Tag> t = tags(id);
  auto [begin, end] = xdata_block(t, application);
  // Keep the old 1001 tag (and its bytes) when the application already had a block.
  Tag head = begin < t.size() ? t[begin] : Tag(1001, std::string(application));
  t.erase(t.begin() + static_cast<std::ptrdiff_t>(begin),
          t.begin() + static_cast<std::ptrdiff_t>(end));
  if (!data.empty()) {
    t.push_back(std::move(head));
    for (Tag& d : data)
      t.push_back(std::move(d));
  }
  replace_tags(id, std::move(t));
}

void Document::set_header_variable(std::string_view name, Tag value) {
  if (header_ == kNoObject)
    return;  // a drawing without HEADER keeps its seed in memory only
  std::vector<Tag> t = tags(header_);
  for (std::size_t i = 0; i + 1 < t.size(); ++i) {
    if (t[i].code == 9 && t[i].trimmed() == name && t[i + 1].code != 9) {
      t[i + 1].code = value.code;
      t[i + 1].value = std::move(value.value);
      replace_tags(header_, std::move(t));
      return;
    }
  }
  t.emplace_back(9, std::string(name));
  t.push_back(std::move(value));
  replace_tags(header_, std::move(t));
}

std::uint64_t Document::allocate_handle() {
  if (!uses_handles_)
    throw Error(name_, 0, "this drawing has no handles");
  std::uint64_t h = handle_seed_;
  set_header_variable("$HANDSEED", make_handle(5, h + 1));
  handle_seed_ = h + 1;
  has_handseed_ = true;
  return h;
}

ObjectId Document::insert_before(ObjectId before, std::vector<Tag> tags) {
  const Object& next = obj(before);
  check_tags(tags, before);
  std::optional<std::uint64_t> h = own_handle(tags);
  if (h && handle_entry(*h)) {
    throw Error(name_, line_of(before), "handle " + format_handle(*h) + " is already used");
  }
  std::size_t at = position(before);
  Object o;
  o.type = type_id(tags[0].trimmed());
  o.section = next.section;
  o.container = next.container;
  if (h) {
    o.handle = *h;
    o.flags |= Object::kHasHandle;
  }
  o.position = static_cast<std::uint32_t>(at);
  std::string packed = detail::pack_tags(tags, 0, buffer_, format_, binary_code_width_,
                                         edits_->shared, [](const Tag&) {});
  const auto id = static_cast<ObjectId>(objects_.size());
  // The object before the insertion point is the likeliest model (the previous table record).
  added_.emplace(id, Added{before, at > 0 ? order_[at - 1] : before});
  objects_.push_back(o);
  store(id, std::move(packed));
  order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(at), id);
  // Inserts are rare (new table records); lookups by position are not.
  for (std::size_t i = at + 1; i < order_.size(); ++i)
    objects_[order_[i]].position = static_cast<std::uint32_t>(i);
  if (h) {
    auto entry = std::lower_bound(
        by_handle_.begin(), by_handle_.end(), *h,
        [this](ObjectId other, std::uint64_t handle) { return objects_[other].handle < handle; });
    by_handle_.insert(entry, id);
    handle_seed_ = std::max(handle_seed_, *h + 1);
  }
  return id;
}

void Document::erase(ObjectId id) {
  const Object& o = obj(id);
  for (std::string_view structural :
       {"SECTION", "ENDSEC", "TABLE", "ENDTAB", "BLOCK", "ENDBLK", "EOF"}) {
    if (type_of(o) == structural) {
      throw Error(name_, line_of(id),
                  std::string(type_of(o)) + " holds the drawing's structure and cannot be erased");
    }
  }
  std::size_t first = position(id);
  std::size_t last = first + 1 + children(id).size();
  for (std::size_t i = first; i < last; ++i) {
    Object& gone = objects_[order_[i]];
    std::optional<std::size_t> entry = (gone.flags & Object::kHasHandle) != 0
                                           ? handle_entry(gone.handle)
                                           : std::optional<std::size_t>();
    if (entry && by_handle_[*entry] == order_[i])
      by_handle_.erase(by_handle_.begin() + static_cast<std::ptrdiff_t>(*entry));
    gone.position = Object::kErased;
  }
  order_.erase(order_.begin() + static_cast<std::ptrdiff_t>(first),
               order_.begin() + static_cast<std::ptrdiff_t>(last));
  for (std::size_t i = first; i < order_.size(); ++i)
    objects_[order_[i]].position = static_cast<std::uint32_t>(i);
}

ObjectId Document::add_table_record(std::string_view table_name, std::vector<Tag> record) {
  std::optional<ObjectId> t = table(table_name);
  if (!t)
    throw Error(name_, 0, "the drawing has no " + std::string(table_name) + " table");
  ObjectId endtab = kNoObject;
  for (std::size_t i = position(*t) + 1; i < order_.size(); ++i) {
    if (type_of(objects_[order_[i]]) == "ENDTAB") {
      endtab = order_[i];
      break;
    }
  }
  if (endtab == kNoObject)
    throw Error(name_, line_of(*t), "table has no ENDTAB");
  check_tags(record, *t);

  // Count in the TABLE head; checked before anything changes.
  std::vector<Tag> head = tags(*t);
  auto count = std::find_if(head.begin(), head.end(), [](const Tag& x) { return x.code == 70; });
  if (count != head.end()) {
    std::optional<std::int64_t> n = count->as_int();
    if (!n)
      throw Error(name_, line_of(*t), "table count '" + count->value + "' is not a number");
    count->value = std::to_string(*n + 1);
  }

  std::vector<Tag> full;
  full.push_back(record[0]);
  if (uses_handles_) {
    full.push_back(make_handle(table_name == "DIMSTYLE" ? 105 : 5, handle_seed_));
    if (version_ >= "AC1012") {
      full.push_back(make_handle(330, handle(*t).value_or(0)));
    }
  }
  full.insert(full.end(), record.begin() + 1, record.end());
  if (uses_handles_)
    allocate_handle();
  ObjectId id = insert_before(endtab, std::move(full));
  objects_[id].container = *t;
  if (count != head.end())
    replace_tags(*t, std::move(head));
  return id;
}

}  // namespace zdxf

// Extended data of an object: reading it as a result buffer list and replacing one
// application's part of it, as the host keeps it (one block per application, the APPID table
// names every application, at most 16 KB per object).
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

#include "../../rx/src/resbufmemory.h"
#include "acutads.h"
#include "dbdata.h"

namespace {

using zacad::DatabaseData;
using zdxf::Tag;

// The host's room for extended data on one object, all applications together.
constexpr size_t kXdataRoom = 16383;

bool isPointCode(int code) {
  return code >= 1010 && code <= 1013;
}

// What one group costs of the room, as the host counts it: its code and its value in the
// drawing's binary form.
size_t groupSize(int code, const std::string& value) {
  if (isPointCode(code))
    return 2 + 24;
  if (code >= 1040 && code <= 1042)
    return 2 + 8;
  if (code == 1070)
    return 2 + 2;
  if (code == 1071)
    return 2 + 4;
  if (code == 1005)
    return 2 + 8;
  if (code == 1004)
    return 2 + 1 + value.size() / 2;
  return 2 + value.size() + 1;
}

// What extended data tags [from, to) cost of the room.
size_t xdataSize(const std::vector<Tag>& tags, size_t from, size_t to) {
  size_t size = 0;
  for (size_t i = from; i < to; ++i) {
    if (tags[i].code >= 1020 && tags[i].code <= 1033)
      continue;  // Y and Z of a point, counted with its X
    size += groupSize(tags[i].code, tags[i].value);
  }
  return size;
}

// Whether moving the block [begin, end) of `tags` to the end, as `head`, the block's first
// `kept` groups (only when it is last already) and `data` (none when both are empty), leaves
// the same tags; the block and its replacement have the same length.
bool sameAsMoved(const std::vector<Tag>& tags, size_t begin, size_t end, const Tag& head,
                 size_t kept, const std::vector<Tag>& data) {
  size_t at = begin;
  for (size_t i = end; i < tags.size(); ++i) {
    if (!(tags[at++] == tags[i]))
      return false;
  }
  if (kept == 0 && data.empty())
    return true;
  if (!(tags[at++] == head))
    return false;
  at += kept;
  for (const Tag& tag : data) {
    if (!(tags[at++] == tag))
      return false;
  }
  return true;
}

resbuf* newBuffer(int code) {
  return zacad::NewBuffer(code);
}

int hexValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

// One tag (or a point's three) as a result buffer; `i` moves past what it used.
resbuf* toBuffer(const DatabaseData& db, const std::vector<Tag>& tags, size_t& i) {
  const Tag& tag = tags[i];
  resbuf* rb = newBuffer(tag.code);
  if (isPointCode(tag.code)) {
    rb->resval.rpoint[0] = tag.as_double().value_or(0.0);
    for (int axis = 1; axis <= 2; ++axis) {
      if (i + 1 < tags.size() && tags[i + 1].code == tag.code + 10 * axis)
        rb->resval.rpoint[axis] = tags[++i].as_double().value_or(0.0);
    }
  } else if (tag.code >= 1040 && tag.code <= 1059) {
    rb->resval.rreal = tag.as_double().value_or(0.0);
  } else if (tag.code >= 1060 && tag.code <= 1070) {
    rb->resval.rint = static_cast<short>(tag.as_int().value_or(0));
  } else if (tag.code == 1071) {
    rb->resval.rlong = static_cast<int32_t>(tag.as_int().value_or(0));
  } else if (tag.code == 1004) {
    const std::string_view hex = tag.trimmed();
    rb->resval.rbinary.clen = static_cast<short>(hex.size() / 2);
    rb->resval.rbinary.buf = static_cast<char*>(std::malloc(hex.size() / 2 + 1));
    for (size_t k = 0; k + 1 < hex.size(); k += 2)
      rb->resval.rbinary.buf[k / 2] =
          static_cast<char>(hexValue(hex[k]) * 16 + hexValue(hex[k + 1]));
  } else {
    const std::string_view value = tag.code == 1005 ? tag.trimmed() : std::string_view(tag.value);
    rb->resval.rstring = zacad::NewPlainString(value);
    if (rb->resval.rstring == nullptr)
      rb->resval.rstring = zacad::newString(db.doc->decode(value));
  }
  ++i;
  return rb;
}

// A real as the drawing writes a new one; records mostly repeat their values.
const std::string& realText(DatabaseData& db, double value) {
  DatabaseData::LastReal& last = db.lastReal;
  if (!last.valid || std::memcmp(&last.value, &value, sizeof value) != 0) {
    last.text = db.doc->make_real(1040, value).value;
    last.value = value;
    last.valid = true;
  }
  return last.text;
}

// Whether the group `rb` would make the tag `tag` as it is, a new one: a plain text or a real
// (groups that need no check against the others of their list).
bool sameGroup(DatabaseData& db, const resbuf* rb, const Tag& tag) {
  if (tag.code != rb->restype || tag.source_offset != Tag::kNew || tag.source_length != 0 ||
      tag.source_value_at != 0 || tag.source_code != 0) {
    return false;
  }
  if (tag.code >= 1040 && tag.code <= 1042)
    return tag.value == realText(db, rb->resval.rreal);
  if (tag.code != 1000 || rb->resval.rstring == nullptr || tag.value.size() > 255)
    return false;
  const ACHAR* text = rb->resval.rstring;
  for (size_t i = 0; i < tag.value.size(); ++i) {
    if (text[i] != static_cast<unsigned char>(tag.value[i]) || !zdxf::is_plain_character(text[i]))
      return false;
  }
  return text[tag.value.size()] == 0;
}

// The registered names of the application `name` (case ignored), null when the APPID table
// does not hold it.
const DatabaseData::ApplicationName* application(DatabaseData& db, const ACHAR* name) {
  DatabaseData::LastApplication& last = db.lastApplication;
  if (last.named != nullptr && zacad::sameText(name, last.asked))
    return last.named;
  AcDbStub* record = db.findRecord("APPID", name);
  if (record == nullptr)
    return nullptr;
  auto [named, added] = db.applicationRecordNames.try_emplace(record);
  if (added) {
    DatabaseData::ApplicationName& made = named->second;
    made.name = db.recordName(record->object);
    made.head = db.doc->make_string(1001, made.name);
    made.plainHead = zacad::isPlainApplicationName(made.head.value);
  }
  last.asked = name;
  last.named = &named->second;
  return last.named;
}

// Whether a 1001 tag names the registered application `named`: its bytes as the record's
// name encodes, or the same name otherwise written.
bool names(const zdxf::Document& doc, const Tag& tag, const DatabaseData::ApplicationName& named) {
  if (named.plainHead && tag.value == named.head.value)
    return true;
  return zacad::namesApplication(doc, tag, named.name);
}

// The tags of one application's block made from a result buffer list (after its 1001), up to
// the next 1001 or the end; eInvalidInput for a group that is not extended data.
Acad::ErrorStatus toTags(DatabaseData& db, const resbuf*& rb, std::vector<Tag>& out) {
  const zdxf::Document& doc = *db.doc;
  int depth = 0;
  for (; rb != nullptr && rb->restype != 1001; rb = rb->rbnext) {
    const int code = rb->restype;
    if (code == 1000 || code == 1002 || code == 1003) {
      if (rb->resval.rstring == nullptr)
        return Acad::eInvalidInput;
      Tag tag = doc.make_string(code, rb->resval.rstring);
      if (code == 1000 && tag.value.size() > 255)
        return Acad::eInvalidInput;
      if (code == 1002) {
        const std::u16string_view brace(rb->resval.rstring);
        depth += brace == u"{" ? 1 : brace == u"}" ? -1 : 100;
        if (depth < 0 || depth >= 100)
          return Acad::eInvalidInput;
      }
      out.push_back(std::move(tag));
    } else if (code == 1005) {
      if (rb->resval.rstring == nullptr)
        return Acad::eInvalidInput;
      const AcDbHandle handle(rb->resval.rstring);
      out.push_back(doc.make_handle(code, handle.value()));
    } else if (code == 1004) {
      const ads_binary& bin = rb->resval.rbinary;
      if (bin.clen < 0 || bin.clen > 127 || (bin.clen > 0 && bin.buf == nullptr))
        return Acad::eInvalidInput;
      static const char kHex[] = "0123456789ABCDEF";
      std::string hex;
      for (short k = 0; k < bin.clen; ++k) {
        const auto byte = static_cast<unsigned char>(bin.buf[k]);
        hex += kHex[byte >> 4];
        hex += kHex[byte & 15];
      }
      out.emplace_back(code, hex);
    } else if (isPointCode(code)) {
      for (int axis = 0; axis < 3; ++axis)
        out.push_back(doc.make_real(code + 10 * axis, rb->resval.rpoint[axis]));
    } else if (code >= 1040 && code <= 1042) {
      out.emplace_back(code, realText(db, rb->resval.rreal));
    } else if (code == 1070) {
      out.push_back(doc.make_int(code, rb->resval.rint));
    } else if (code == 1071) {
      out.push_back(doc.make_int(code, rb->resval.rlong));
    } else {
      return Acad::eInvalidInput;
    }
  }
  return depth == 0 ? Acad::eOk : Acad::eInvalidInput;
}

// Cuts the block of the application `named` out of `xdata` (extended data only); returns its
// 1001 tag if there was one.
std::optional<Tag> cutBlock(const zdxf::Document& doc, std::vector<Tag>& xdata,
                            const DatabaseData::ApplicationName& named) {
  for (size_t i = 0; i < xdata.size(); ++i) {
    if (xdata[i].code != 1001 || !names(doc, xdata[i], named))
      continue;
    size_t end = i + 1;
    while (end < xdata.size() && xdata[end].code != 1001)
      ++end;
    Tag head = std::move(xdata[i]);
    xdata.erase(xdata.begin() + static_cast<std::ptrdiff_t>(i),
                xdata.begin() + static_cast<std::ptrdiff_t>(end));
    return head;
  }
  return std::nullopt;
}

// setXData of a list holding several applications' blocks, each replacing that application's
// block in turn: the extended data is edited apart and put back once all of it is valid.
Acad::ErrorStatus setBlocks(AcDbObject& object, zacad::ObjectState& state, const resbuf* xdata) {
  DatabaseData& db = *state.stub->db;
  const zdxf::Document& doc = *db.doc;
  const auto [tags, start] = state.xdata();
  // Room for what the list can add (a point is three tags), so that nothing moves as it grows.
  size_t groups = 0;
  for (const resbuf* rb = xdata; rb != nullptr; rb = rb->rbnext)
    ++groups;
  std::vector<Tag> xd;
  xd.reserve(tags.size() - start + 3 * groups);
  xd.assign(tags.begin() + static_cast<std::ptrdiff_t>(start), tags.end());
  std::vector<Tag>& data = db.xdataScratch;
  for (const resbuf* rb = xdata; rb != nullptr;) {
    if (rb->resval.rstring == nullptr)
      return Acad::eInvalidInput;
    const DatabaseData::ApplicationName* named = application(db, rb->resval.rstring);
    if (named == nullptr)
      return Acad::eRegappIdNotFound;
    rb = rb->rbnext;
    data.clear();
    if (const Acad::ErrorStatus es = toTags(db, rb, data); es != Acad::eOk)
      return es;
    std::optional<Tag> head = cutBlock(doc, xd, *named);
    if (data.empty())
      continue;
    // The 1001 tag is written exactly as the APPID record names the application.
    xd.push_back(head ? std::move(*head) : named->head);
    xd.insert(xd.end(), std::make_move_iterator(data.begin()), std::make_move_iterator(data.end()));
  }
  if (xdataSize(xd, 0, xd.size()) > kXdataRoom)
    return Acad::eXdataSizeExceeded;
  if (std::equal(xd.begin(), xd.end(), tags.begin() + static_cast<std::ptrdiff_t>(start),
                 tags.end())) {
    return Acad::eOk;  // nothing to change: the object stays as read
  }
  object.assertWriteEnabled(true, true);
  tags.resize(start);
  tags.insert(tags.end(), std::make_move_iterator(xd.begin()), std::make_move_iterator(xd.end()));
  state.changed = true;
  return Acad::eOk;
}

}  // namespace

resbuf* AcDbObject::xData(const ACHAR* regappName) const {
  if (mState == nullptr)
    return nullptr;
  DatabaseData& db = *mState->stub->db;
  const auto [tags, start] = mState->xdata();
  resbuf* head = nullptr;
  resbuf** tail = &head;
  bool inWanted = false;
  // A registered application is compared as its record names it (mostly the same bytes).
  const DatabaseData::ApplicationName* named = nullptr;
  for (size_t i = start; i < tags.size();) {
    if (tags[i].code == 1001 && regappName == nullptr) {
      inWanted = true;
    } else if (tags[i].code == 1001) {
      if (named == nullptr)
        named = application(db, regappName);
      inWanted = named != nullptr ? names(*db.doc, tags[i], *named)
                                  : zacad::namesApplication(*db.doc, tags[i], regappName);
    }
    if (!inWanted) {
      ++i;
      continue;
    }
    if (named != nullptr && tags[i].code == 1001 && named->plainHead &&
        tags[i].value == named->head.value) {
      // The application's 1001 tag as its record writes it: the record's name, decoded once.
      *tail = newBuffer(1001);
      (*tail)->resval.rstring = zacad::NewString(named->name);
      ++i;
    } else {
      *tail = toBuffer(db, tags, i);
    }
    tail = &(*tail)->rbnext;
  }
  return head;
}

Acad::ErrorStatus AcDbObject::setXData(const resbuf* xdata) {
  if (mState == nullptr || mState->mode != AcDb::kForWrite)
    return Acad::eNotOpenForWrite;
  if (xdata == nullptr || xdata->restype != 1001)
    return Acad::eInvalidInput;
  DatabaseData& db = *mState->stub->db;
  if (xdata->resval.rstring == nullptr)
    return Acad::eInvalidInput;
  const DatabaseData::ApplicationName* named = application(db, xdata->resval.rstring);
  if (named == nullptr)
    return Acad::eRegappIdNotFound;
  // One application's block, the usual list: the extended data is changed in place once the
  // new block is known to be valid and to fit.
  const auto [tags, start] = mState->xdata();
  size_t begin = tags.size();
  size_t end = tags.size();
  for (size_t i = start; i < tags.size(); ++i) {
    if (tags[i].code == 1001 && names(*db.doc, tags[i], *named)) {
      begin = i;
      end = i + 1;
      while (end < tags.size() && tags[end].code != 1001)
        ++end;
      break;
    }
  }
  // A block that stays last keeps the groups it starts with as they are (an application adding
  // to its block gives them back): `kept` of them.
  const resbuf* rest = xdata->rbnext;
  size_t kept = 0;
  if (end == tags.size()) {
    while (begin + 1 + kept < end && rest != nullptr &&
           sameGroup(db, rest, tags[begin + 1 + kept])) {
      ++kept;
      rest = rest->rbnext;
    }
  }
  std::vector<Tag>& data = db.xdataScratch;
  data.clear();
  if (const Acad::ErrorStatus es = toTags(db, rest, data); es != Acad::eOk)
    return es;
  if (rest != nullptr)
    return setBlocks(*this, *mState, xdata);
  // The 1001 tag is written exactly as the APPID record names the application, or kept.
  const Tag& head = begin < tags.size() ? tags[begin] : named->head;
  const size_t added = kept + data.size() == 0 ? 0 : 1 + kept + data.size();
  size_t size = xdataSize(tags, start, begin) + xdataSize(tags, end, tags.size());
  if (added > 0) {
    size += groupSize(1001, head.value) + xdataSize(tags, begin + 1, begin + 1 + kept) +
            xdataSize(data, 0, data.size());
  }
  if (size > kXdataRoom)
    return Acad::eXdataSizeExceeded;
  if (end - begin == added && sameAsMoved(tags, begin, end, head, kept, data))
    return Acad::eOk;  // nothing to change: the object stays as read
  assertWriteEnabled(true, true);
  const bool newHead = kept == 0 && added > 0;
  Tag moved = newHead && begin < tags.size() ? std::move(tags[begin]) : Tag();
  tags.erase(tags.begin() + static_cast<std::ptrdiff_t>(kept > 0 ? begin + 1 + kept : begin),
             tags.begin() + static_cast<std::ptrdiff_t>(end));
  // Applications mostly add to their block a group at a time: room for a few more.
  const size_t needed = tags.size() + (newHead ? 1 : 0) + data.size();
  if (tags.capacity() < needed)
    tags.reserve(std::max<size_t>(needed, 8));
  if (newHead && moved.code == 1001)
    tags.push_back(std::move(moved));
  else if (newHead)
    tags.push_back(named->head);
  for (Tag& tag : data)
    tags.push_back(std::move(tag));
  mState->changed = true;
  return Acad::eOk;
}

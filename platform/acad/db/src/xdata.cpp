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

// `xdata` holds extended data only (it starts at a 1001 tag).
size_t xdataSize(const std::vector<Tag>& xdata) {
  size_t size = 0;
  for (const Tag& tag : xdata) {
    if (tag.code >= 1020 && tag.code <= 1033)
      continue;  // Y and Z of a point, counted with its X
    size += groupSize(tag.code, tag.value);
  }
  return size;
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
    rb->resval.rstring = zdxf::TextCodec::reads_as_is(value)
                             ? zacad::NewWidenedString(value)
                             : zacad::newString(db.doc->decode(value));
  }
  ++i;
  return rb;
}

// The tags of one application's block made from a result buffer list (after its 1001), up to
// the next 1001 or the end; eInvalidInput for a group that is not extended data.
Acad::ErrorStatus toTags(const zdxf::Document& doc, const resbuf*& rb, std::vector<Tag>& out) {
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
      out.push_back(doc.make_real(code, rb->resval.rreal));
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

// Cuts the block of `app` (case ignored) out of `xdata` (extended data only); returns its 1001
// tag if there was one.
std::optional<Tag> cutBlock(const zdxf::Document& doc, std::vector<Tag>& xdata,
                            const std::u16string& app) {
  for (size_t i = 0; i < xdata.size(); ++i) {
    if (xdata[i].code != 1001 || !zacad::namesApplication(doc, xdata[i], app))
      continue;
    size_t end = i + 1;
    while (end < xdata.size() && xdata[end].code != 1001)
      ++end;
    Tag head = xdata[i];
    xdata.erase(xdata.begin() + static_cast<std::ptrdiff_t>(i),
                xdata.begin() + static_cast<std::ptrdiff_t>(end));
    return head;
  }
  return std::nullopt;
}

}  // namespace

resbuf* AcDbObject::xData(const ACHAR* regappName) const {
  if (mState == nullptr)
    return nullptr;
  const DatabaseData& db = *mState->stub->db;
  const auto [tags, start] = mState->xdata();
  resbuf* head = nullptr;
  resbuf** tail = &head;
  bool inWanted = false;
  for (size_t i = start; i < tags.size();) {
    if (tags[i].code == 1001)
      inWanted = regappName == nullptr || zacad::namesApplication(*db.doc, tags[i], regappName);
    if (!inWanted) {
      ++i;
      continue;
    }
    *tail = toBuffer(db, tags, i);
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
  const zdxf::Document& doc = *db.doc;
  // Only the extended data changes: it is edited apart and put back once all of it is valid.
  const auto [tags, start] = mState->xdata();
  // Room for what the list can add (a point is three tags), so that nothing moves as it grows.
  size_t groups = 0;
  for (const resbuf* rb = xdata; rb != nullptr; rb = rb->rbnext)
    ++groups;
  std::vector<Tag> xd;
  xd.reserve(tags.size() - start + 3 * groups);
  xd.assign(tags.begin() + static_cast<std::ptrdiff_t>(start), tags.end());
  std::vector<Tag> data;
  data.reserve(3 * groups);
  for (const resbuf* rb = xdata; rb != nullptr;) {
    if (rb->resval.rstring == nullptr)
      return Acad::eInvalidInput;
    AcDbStub* record = db.findRecord("APPID", rb->resval.rstring);
    if (record == nullptr)
      return Acad::eRegappIdNotFound;
    auto [named, added] = db.applicationRecordNames.try_emplace(record);
    if (added) {
      named->second.name = db.recordName(record->object);
      named->second.head = doc.make_string(1001, named->second.name);
    }
    const std::u16string& registered = named->second.name;
    rb = rb->rbnext;
    data.clear();
    if (const Acad::ErrorStatus es = toTags(doc, rb, data); es != Acad::eOk)
      return es;
    std::optional<Tag> head = cutBlock(doc, xd, registered);
    if (data.empty())
      continue;
    // The 1001 tag is written exactly as the APPID record names the application.
    xd.push_back(head ? std::move(*head) : named->second.head);
    xd.insert(xd.end(), std::make_move_iterator(data.begin()), std::make_move_iterator(data.end()));
  }
  if (xdataSize(xd) > kXdataRoom)
    return Acad::eXdataSizeExceeded;
  if (std::equal(xd.begin(), xd.end(), tags.begin() + static_cast<std::ptrdiff_t>(start),
                 tags.end())) {
    return Acad::eOk;  // nothing to change: the object stays as read
  }
  assertWriteEnabled(true, true);
  if (start == 0) {
    tags.swap(xd);  // the opening holds the extended data alone
  } else {
    tags.resize(start);
    tags.insert(tags.end(), std::make_move_iterator(xd.begin()), std::make_move_iterator(xd.end()));
  }
  mState->changed = true;
  return Acad::eOk;
}

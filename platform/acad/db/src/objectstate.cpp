// The tags of one opening, read from the drawing no sooner and no more than asked for.
#include <iterator>

#include "dbdata.h"

namespace zacad {
namespace {

// `xdata` (extended data alone) after the object's own tags as the drawing holds them.
std::vector<zdxf::Tag> withOwnTags(const DatabaseData& db, zdxf::ObjectId id,
                                   std::vector<zdxf::Tag> xdata) {
  std::vector<zdxf::Tag> all = db.doc->tags(id);
  all.erase(all.begin() + static_cast<std::ptrdiff_t>(xdataStart(all)), all.end());
  all.insert(all.end(), std::make_move_iterator(xdata.begin()),
             std::make_move_iterator(xdata.end()));
  return all;
}

}  // namespace

std::vector<zdxf::Tag>& ObjectState::tags() {
  if (held_ == Held::kAll)
    return tags_;
  if (stub->object != zdxf::kNoObject) {
    const DatabaseData& db = *stub->db;
    // The drawing still holds the object as opened: only the extended data may have changed.
    if (held_ == Held::kXdata) {
      tags_ = withOwnTags(db, stub->object, std::move(tags_));
      if (undoWanted)
        original_ = withOwnTags(db, stub->object, std::move(original_));
    } else {
      tags_ = db.doc->tags(stub->object);
    }
  }
  held_ = Held::kAll;
  return tags_;
}

ObjectState::Xdata ObjectState::readXdata() {
  if (held_ == Held::kAll)
    return {tags_, xdataStart(tags_)};
  if (held_ == Held::kNothing) {
    if (stub->object == zdxf::kNoObject)
      return {tags(), 0};
    tags_ = stub->db->doc->xdata_tags(stub->object);
    held_ = Held::kXdata;
  }
  return {tags_, 0};
}

void ObjectState::keepOriginal() {
  if (held_ == Held::kNothing)
    xdata();
  original_ = tags_;
}

}  // namespace zacad

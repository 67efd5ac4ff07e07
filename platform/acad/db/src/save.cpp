// Writing a drawing back. Erased objects leave the file: the drawing is rendered, read again to
// learn where each object's bytes lie, and the erased objects' bytes are cut out.
#include <filesystem>

#include "dbdata.h"
#include "zdxf/error.h"
#include "zwin32/faultpoint.h"
#include "zwin32/hostpath.h"
#include "zwin32/utf.h"

namespace {

// Drawing order positions of the objects that must not be written.
std::vector<size_t> erasedPositions(zacad::DatabaseData& db) {
  std::vector<size_t> positions;
  const auto& order = db.doc->objects();
  for (size_t i = 0; i < order.size(); ++i) {
    const zdxf::ObjectId id = order[i];
    bool erased = db.erased(id);
    if (!erased) {
      if (auto parent = db.doc->parent(id))
        erased = db.erased(*parent);
    }
    if (erased)
      positions.push_back(i);
  }
  return positions;
}

std::string withoutErased(zacad::DatabaseData& db) {
  std::string bytes = db.doc->bytes();
  const std::vector<size_t> cut = erasedPositions(db);
  if (cut.empty())
    return bytes;
  const zdxf::Document rendered = zdxf::Document::parse(bytes, db.doc->name());
  const auto& order = rendered.objects();
  auto start = [&](size_t position) {
    return position < order.size() ? rendered.tags(order[position]).front().source_offset
                                   : bytes.size();
  };
  std::string kept;
  kept.reserve(bytes.size());
  size_t from = 0;
  for (size_t position : cut) {
    const size_t begin = start(position);
    kept.append(bytes, from, begin - from);
    from = start(position + 1);
  }
  kept.append(bytes, from, std::string::npos);
  return kept;
}

}  // namespace

Acad::ErrorStatus AcDbDatabase::dxfOut(const ACHAR* fileName, int, AcDb::AcDbDwgVersion, bool) {
  zacad::DatabaseData& db = *mData;
  if (!db.doc) {
    db.lastError = u"there is no drawing to write";
    return Acad::eNoDatabase;
  }
  const auto path = fileName == nullptr || fileName[0] == 0 ? std::optional<std::string>(db.path)
                                                            : zwin32::HostPathFromWindows(fileName);
  if (!path) {
    db.lastError = u"cannot map the file name to a path of this host";
    return Acad::eInvalidInput;
  }
  try {
    zwin32::FaultPoint("AcDbDatabase::dxfOut");
    if (db.anyErased) {
      zdxf::Document::parse(withoutErased(db), db.doc->name()).save(*path);
    } else {
      db.doc->save(*path);
    }
  } catch (const std::exception& e) {
    db.lastError = zwin32::FromUtf8(e.what());
    return Acad::eInvalidInput;
  }
  db.path = *path;
  db.fileName = zwin32::WindowsPathFromHost(std::filesystem::absolute(*path).string());
  db.modified = false;
  db.lastError.clear();
  return Acad::eOk;
}

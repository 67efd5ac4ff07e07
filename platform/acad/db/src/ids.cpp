// Handles, object ids, entity names, extents and the working database.
#include <algorithm>
#include <cstring>

#include "dbapserv.h"
#include "dbdata.h"

const AcDbObjectId AcDbObjectId::kNull;

AcDbHandle::AcDbHandle(const ACHAR* hex) {
  if (hex == nullptr || hex[0] == 0)
    return;
  Adesk::UInt64 value = 0;
  for (const ACHAR* c = hex; *c != 0; ++c) {
    int digit = -1;
    if (*c >= u'0' && *c <= u'9')
      digit = *c - u'0';
    else if (*c >= u'a' && *c <= u'f')
      digit = *c - u'a' + 10;
    else if (*c >= u'A' && *c <= u'F')
      digit = *c - u'A' + 10;
    if (digit < 0 || c - hex >= 16)
      return;
    value = (value << 4) | Adesk::UInt64(digit);
  }
  mValue = value;
}

bool AcDbHandle::getIntoAsciiBuffer(ACHAR* pBuf, size_t nBufLen) const {
  const std::string text = zdxf::format_handle(mValue);
  if (pBuf == nullptr || nBufLen < text.size() + 1)
    return false;
  std::copy(text.begin(), text.end(), pBuf);
  pBuf[text.size()] = 0;
  return true;
}

AcDbHandle AcDbObjectId::handle() const {
  if (mId == nullptr || mId->db == nullptr || mId->object == zdxf::kNoObject)
    return AcDbHandle();
  auto handle = mId->db->doc->handle(mId->object);
  return handle ? AcDbHandle(*handle) : AcDbHandle();
}

bool AcDbObjectId::isErased() const {
  return mId != nullptr && mId->erased;
}

AcDbDatabase* AcDbObjectId::database() const {
  return mId == nullptr || mId->db == nullptr ? nullptr : mId->db->self;
}

AcDbExtents::AcDbExtents() : mMin(1e20, 1e20, 1e20), mMax(-1e20, -1e20, -1e20) {}

AcDbExtents::AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max) : AcDbExtents() {
  set(min, max);
}

Acad::ErrorStatus AcDbExtents::set(const AcGePoint3d& min, const AcGePoint3d& max) {
  if (min.x > max.x || min.y > max.y || min.z > max.z)
    return Acad::eInvalidInput;
  mMin = min;
  mMax = max;
  return Acad::eOk;
}

void AcDbExtents::addPoint(const AcGePoint3d& pt) {
  mMin.set(std::min(mMin.x, pt.x), std::min(mMin.y, pt.y), std::min(mMin.z, pt.z));
  mMax.set(std::max(mMax.x, pt.x), std::max(mMax.y, pt.y), std::max(mMax.z, pt.z));
}

void AcDbExtents::addExt(const AcDbExtents& src) {
  if (src.isEmpty())
    return;
  addPoint(src.minPoint());
  addPoint(src.maxPoint());
}

namespace {
AcDbDatabase* gWorkingDatabase = nullptr;
}

AcDbDatabase* AcDbHostApplicationServices::workingDatabase() const {
  return gWorkingDatabase;
}

void AcDbHostApplicationServices::setWorkingDatabase(AcDbDatabase* pDatabase) {
  gWorkingDatabase = pDatabase;
}

// An entity name holds the database's serial and the object's number in that drawing (plus
// one, so that no name of a live object is nil); a stale or forged name names nothing.
Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& objId, const ads_name objName) {
  objId.setNull();
  if (objName == nullptr)
    return Acad::eInvalidInput;
  zacad::DatabaseData* db = zacad::databaseBySerial(static_cast<std::uint32_t>(objName[0]));
  if (db == nullptr || !db->doc || objName[1] <= 0 ||
      static_cast<uint64_t>(objName[1]) > db->doc->objects().size()) {
    return Acad::eInvalidInput;
  }
  const auto object = static_cast<zdxf::ObjectId>(objName[1] - 1);
  objId = AcDbObjectId(db->stub(object));
  return Acad::eOk;
}

Acad::ErrorStatus acdbGetAdsName(ads_name& objName, AcDbObjectId objId) {
  const AcDbStub* stub = objId;
  if (stub == nullptr || stub->db == nullptr || stub->object == zdxf::kNoObject) {
    objName[0] = objName[1] = 0;
    return Acad::eInvalidInput;
  }
  objName[0] = stub->db->serial;
  objName[1] = static_cast<int64_t>(stub->object) + 1;
  return Acad::eOk;
}

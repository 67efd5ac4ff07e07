// AcDbObjectId: the in-memory name of an object of an open drawing. It stays valid while the
// database lives, whether the object is open or not, erased or not.
#pragma once

#include <cstdint>
#include <functional>

#include "acdbport.h"
#include "dbhandle.h"

class AcDbDatabase;
class AcDbStub;

class ACDB_PORT AcDbObjectId {
 public:
  AcDbObjectId() = default;
  explicit AcDbObjectId(AcDbStub* stub) : mId(stub) {}

  static const AcDbObjectId kNull;

  bool isNull() const { return mId == nullptr; }
  void setNull() { mId = nullptr; }
  bool isValid() const { return mId != nullptr; }
  // The null handle for the null id.
  AcDbHandle handle() const;
  bool isErased() const;
  // Null for the null id.
  AcDbDatabase* database() const;

  Adesk::IntDbId asOldId() const { return reinterpret_cast<Adesk::IntDbId>(mId); }
  operator AcDbStub*() const { return mId; }

  bool operator==(const AcDbObjectId& o) const { return mId == o.mId; }
  bool operator!=(const AcDbObjectId& o) const { return mId != o.mId; }
  bool operator<(const AcDbObjectId& o) const { return std::less<AcDbStub*>()(mId, o.mId); }
  bool operator>(const AcDbObjectId& o) const { return o < *this; }
  bool operator<=(const AcDbObjectId& o) const { return !(o < *this); }
  bool operator>=(const AcDbObjectId& o) const { return !(*this < o); }

 private:
  AcDbStub* mId = nullptr;
};

template <>
struct std::hash<AcDbObjectId> {
  size_t operator()(const AcDbObjectId& id) const noexcept {
    return std::hash<AcDbStub*>()(static_cast<AcDbStub*>(id));
  }
};

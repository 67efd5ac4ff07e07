// The drawing database: AcDbDatabase, AcDbObject and AcDbEntity, opening objects by id, their
// extended data, and the bridge between object ids and the C-level entity names.
//
// A drawing is read from a DXF file and kept as that file's tags; an object is parsed when it is
// opened, and what a writer changes goes back into the drawing when the object is closed. An
// object nobody changed is saved byte for byte.
#pragma once

#include "acadstrc.h"
#include "acdb.h"
#include "adsdef.h"
#include "dbid.h"
#include "dbidar.h"
#include "gepnt3d.h"
#include "rxobject.h"

class AcDbBlockTable;
class AcDbDatabaseReactor;
class AcDbLayerTable;
class AcDbRegAppTable;
class AcDbEntity;
class AcDbObject;

namespace zacad {
struct DatabaseData;
struct ObjectState;
class UndoLog;
}  // namespace zacad

class ACDB_PORT AcDbDatabase : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbDatabase);

  // An empty database (buildDefaultDrawing is not supported: drawings come from files here).
  explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
  ~AcDbDatabase() override;
  AcDbDatabase(const AcDbDatabase&) = delete;
  AcDbDatabase& operator=(const AcDbDatabase&) = delete;

  // Reads a DXF drawing (ASCII or binary). Host path or Windows path (Z:\...). On failure the
  // database keeps what it held and the reason is in lastError(): eFileNotFound-like failures
  // are reported as eInvalidInput, since this host has no finer statuses for files.
  Acad::ErrorStatus readDxfFile(const ACHAR* fileName);
  // Writes the drawing in the format and version it was read in (temp file + rename, previous
  // file kept as .bak). precision is accepted for the host's signature and not used: reals that
  // were read keep their text. On failure the target file is untouched.
  Acad::ErrorStatus dxfOut(const ACHAR* fileName, int precision = 16,
                           AcDb::AcDbDwgVersion dwgVer = AcDb::kDHL_CURRENT,
                           bool saveThumbnailImage = false);
  // The file the drawing was read from or last written to, or empty.
  const ACHAR* originalFileName() const;
  // Why the last readDxfFile or dxfOut failed ("FILE:LINE: problem"), empty after success.
  const ACHAR* lastError() const;
  // "AC1015" and friends, as read.
  const ACHAR* versionString() const;
  bool isBinaryDxf() const;

  Acad::ErrorStatus getBlockTable(AcDbBlockTable*& pTable, AcDb::OpenMode mode);
  Acad::ErrorStatus getLayerTable(AcDbLayerTable*& pTable, AcDb::OpenMode mode);
  Acad::ErrorStatus getRegAppTable(AcDbRegAppTable*& pTable, AcDb::OpenMode mode);
  AcDbObjectId blockTableId() const;
  AcDbObjectId layerTableId() const;
  AcDbObjectId regAppTableId() const;
  AcDbObjectId currentSpaceId() const;

  // The id of the object with this handle, or eKeyNotFound.
  Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& retId, bool createIfNotFound,
                                    const AcDbHandle& objHandle, Adesk::UInt32 xRefId = 0);

  // Undo recording (on by default): off is for batch programs that need no undo.
  void disableUndoRecording(bool disable);
  bool undoRecording() const;
  // True when anything changed since the drawing was read or last saved (DBMOD).
  bool isModified() const;

  // Reactors hear of the objects appended, modified and erased or unerased here (by undo and
  // redo too) and of the database's end. Attaching twice keeps one attachment; removing an
  // unattached reactor does nothing.
  void addReactor(AcDbDatabaseReactor* pReactor) const;
  void removeReactor(AcDbDatabaseReactor* pReactor) const;

  zacad::DatabaseData& data() const { return *mData; }

 private:
  zacad::DatabaseData* mData;
};

// What a database tells its reactors (AcDbDatabase::addReactor). Each notification does nothing
// unless overridden. The object handed over is open while the reactor runs (still the writer's
// opening when it erased the object or closes it): a reactor reads it and must not close it.
class ACDB_PORT AcDbDatabaseReactor : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbDatabaseReactor);
  AcDbDatabaseReactor();
  ~AcDbDatabaseReactor() override;

  // An object added to the database.
  virtual void objectAppended(const AcDbDatabase* dwg, const AcDbObject* dbObj);
  // A writer's change went into the database (at close or downgradeOpen), or undo or redo
  // gave the object other data.
  virtual void objectModified(const AcDbDatabase* dwg, const AcDbObject* dbObj);
  // The object was erased (bErased) or unerased.
  virtual void objectErased(const AcDbDatabase* dwg, const AcDbObject* dbObj,
                            Adesk::Boolean bErased = Adesk::kTrue);
  // The database is being deleted; its reactors are detached after this.
  virtual void goodbye(const AcDbDatabase* dwg);
};

// An axis-aligned box (world coordinates); empty until the first point is added.
class ACDB_PORT AcDbExtents {
 public:
  AcDbExtents();
  AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max);
  const AcGePoint3d& minPoint() const { return mMin; }
  const AcGePoint3d& maxPoint() const { return mMax; }
  Acad::ErrorStatus set(const AcGePoint3d& min, const AcGePoint3d& max);
  void addPoint(const AcGePoint3d& pt);
  void addExt(const AcDbExtents& src);
  bool isEmpty() const { return mMin.x > mMax.x; }

 private:
  AcGePoint3d mMin;
  AcGePoint3d mMax;
};

class ACDB_PORT AcDbObject : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbObject);
  ~AcDbObject() override;

  AcDbObjectId objectId() const;
  AcDbObjectId ownerId() const;
  AcDbDatabase* database() const;
  void getAcDbHandle(AcDbHandle& handle) const;

  // Ends this opening: a writer's changes go into the drawing (recorded for undo), and the C++
  // object is deleted. Never call delete on an object opened from a database.
  Acad::ErrorStatus close();
  // Erases (or un-erases) the object; it must be open for write.
  Acad::ErrorStatus erase(bool erasing = true);
  bool isErased() const;

  bool isReadEnabled() const;
  bool isWriteEnabled() const;
  bool isNotifyEnabled() const;
  bool isModified() const;
  bool isNewObject() const { return false; }
  // Both throw std::logic_error (eNotOpenForRead / eNotOpenForWrite) where the host would stop
  // with a fatal assertion.
  void assertReadEnabled() const;
  // Marks the object as modified (recordModified) and records its state for undo (autoUndo)
  // the first time in this opening.
  void assertWriteEnabled(bool autoUndo = true, bool recordModified = true);
  Acad::ErrorStatus upgradeOpen();
  Acad::ErrorStatus downgradeOpen();

  // A copy of the extended data (-3 sentinel left out): of regappName only, or of every
  // application when it is null; null when there is none. The caller releases it (acutRelRb).
  resbuf* xData(const ACHAR* regappName = nullptr) const;
  // Replaces, for every application named by a 1001 group in xdata, that application's data;
  // a 1001 group followed by nothing removes it. Other applications' data is untouched.
  // eRegappIdNotFound for an application missing from the APPID table; eXdataSizeExceeded
  // past 16 KB for the object; eInvalidInput for a list that does not start with 1001 or holds
  // a code that is not extended data; eNotOpenForWrite unless open for write.
  Acad::ErrorStatus setXData(const resbuf* xdata);

  // The platform's state of this opening (null for an object not in a database).
  zacad::ObjectState* state() const { return mState; }
  void attachState(zacad::ObjectState* state) { mState = state; }

 protected:
  AcDbObject();

 private:
  zacad::ObjectState* mState = nullptr;
};

class ACDB_PORT AcDbEntity : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbEntity);
  ~AcDbEntity() override;

  AcDbObjectId blockId() const;
  // A copy of the layer's name that the caller frees with acutDelString ("0" when not given).
  ACHAR* layer() const;
  AcDbObjectId layerId() const;
  // Group 62: 256 BYLAYER (the default), 0 BYBLOCK, 1-255; a negative value is made positive.
  Adesk::UInt16 colorIndex() const;
  // The box around the entity's geometry; eInvalidExtents... answered as eNotApplicable for
  // an entity without geometry of its own (or of a kind this platform cannot measure).
  virtual Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const;

 protected:
  AcDbEntity();
};

// Opens an object for the caller, who must close() it. eNullObjectId, eWasErased (unless
// openErased), eWasOpenForWrite / eWasOpenForRead (a writer excludes every other opening),
// eOnLockedLayer (entity on a locked layer opened for write), eNotThatKindOfClass (for the
// typed overloads), eNoDatabase (database closed).
ACDB_PORT Acad::ErrorStatus acdbOpenObject(AcDbObject*& pObj, AcDbObjectId id, AcDb::OpenMode mode,
                                           bool openErased = false);
ACDB_PORT Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& pObj, AcDbObjectId id,
                                               AcDb::OpenMode mode, bool openErased = false);
ACDB_PORT Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& pEnt, AcDbObjectId id,
                                               AcDb::OpenMode mode, bool openErased = false);

template <class T>
Acad::ErrorStatus acdbOpenObject(T*& pObj, AcDbObjectId id, AcDb::OpenMode mode,
                                 bool openErased = false) {
  AcDbObject* object = nullptr;
  pObj = nullptr;
  Acad::ErrorStatus es = acdbOpenObject(object, id, mode, openErased);
  if (es != Acad::eOk)
    return es;
  pObj = T::cast(object);
  if (pObj == nullptr) {
    object->close();
    return Acad::eNotThatKindOfClass;
  }
  return Acad::eOk;
}

// Entity names (ads_name) of the C-level functions <-> object ids. eInvalidInput for a name or
// id that names nothing in an open database.
ACDB_PORT Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& objId, const ads_name objName);
ACDB_PORT Acad::ErrorStatus acdbGetAdsName(ads_name& objName, AcDbObjectId objId);

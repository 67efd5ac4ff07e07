// Symbol tables: the block table (with *Model_Space), the layer table and the APPID table, their
// records and iterators over records and over a block's entities.
#pragma once

#include "dbmain.h"

class AcDbBlockTableRecordIterator;
class AcDbSymbolTableIterator;

#define ACDB_MODEL_SPACE ACRX_T("*Model_Space")
#define ACDB_PAPER_SPACE ACRX_T("*Paper_Space")

class ACDB_PORT AcDbSymbolTableRecord : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbSymbolTableRecord);
  ~AcDbSymbolTableRecord() override;
  // A copy the caller frees with acutDelString.
  Acad::ErrorStatus getName(ACHAR*& pName) const;
  bool isDependent() const;

 protected:
  AcDbSymbolTableRecord();
};

class ACDB_PORT AcDbSymbolTable : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbSymbolTable);
  ~AcDbSymbolTable() override;

  // Names compare case-insensitively. eKeyNotFound when absent.
  Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbObjectId& recordId,
                          bool getErasedRecord = false) const;
  Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbSymbolTableRecord*& pRec,
                          AcDb::OpenMode openMode, bool openErasedRec = false) const;
  bool has(const ACHAR* name) const;
  Acad::ErrorStatus newIterator(AcDbSymbolTableIterator*& pIterator, bool atBeginning = true,
                                bool skipDeleted = true) const;

 protected:
  AcDbSymbolTable();
};

class ACDB_PORT AcDbSymbolTableIterator {
 public:
  virtual ~AcDbSymbolTableIterator();
  void start(bool atBeginning = true, bool skipDeleted = true);
  bool done() const;
  void step(bool forward = true, bool skipDeleted = true);
  Acad::ErrorStatus getRecordId(AcDbObjectId& id) const;
  Acad::ErrorStatus getRecord(AcDbSymbolTableRecord*& pRecord, AcDb::OpenMode openMode,
                              bool openErasedRec = false) const;

 private:
  friend class AcDbSymbolTable;
  AcDbSymbolTableIterator(AcDbObjectIdArray records);
  AcDbObjectIdArray mRecords;
  int mIndex = 0;
  bool mSkipDeleted = true;
  void skip(int direction);
};

class ACDB_PORT AcDbBlockTableRecord : public AcDbSymbolTableRecord {
 public:
  ACRX_DECLARE_MEMBERS(AcDbBlockTableRecord);
  AcDbBlockTableRecord();
  ~AcDbBlockTableRecord() override;
  // Iterates the block's own entities in drawing order (not the vertices, attributes and
  // SEQENDs of its polylines and block references).
  Acad::ErrorStatus newIterator(AcDbBlockTableRecordIterator*& pIterator, bool atBeginning = true,
                                bool skipDeleted = true) const;
  bool isLayout() const;
};

class ACDB_PORT AcDbBlockTableRecordIterator {
 public:
  virtual ~AcDbBlockTableRecordIterator();
  void start(bool atBeginning = true, bool skipDeleted = true);
  bool done() const;
  void step(bool forward = true, bool skipDeleted = true);
  Acad::ErrorStatus getEntityId(AcDbObjectId& entityId) const;
  Acad::ErrorStatus getEntity(AcDbEntity*& pEntity, AcDb::OpenMode openMode,
                              bool openErasedEntity = false) const;

 private:
  friend class AcDbBlockTableRecord;
  AcDbBlockTableRecordIterator(AcDbObjectIdArray entities);
  AcDbObjectIdArray mEntities;
  int mIndex = 0;
  bool mSkipDeleted = true;
  void skip(int direction);
};

class ACDB_PORT AcDbBlockTable : public AcDbSymbolTable {
 public:
  ACRX_DECLARE_MEMBERS(AcDbBlockTable);
  AcDbBlockTable();
  ~AcDbBlockTable() override;
  using AcDbSymbolTable::getAt;
  Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbBlockTableRecord*& pRec,
                          AcDb::OpenMode openMode, bool openErasedRec = false) const;
};

class ACDB_PORT AcDbLayerTableRecord : public AcDbSymbolTableRecord {
 public:
  ACRX_DECLARE_MEMBERS(AcDbLayerTableRecord);
  AcDbLayerTableRecord();
  ~AcDbLayerTableRecord() override;
  bool isFrozen() const;  // 70 bit 1
  bool isOff() const;     // negative colour
  bool isLocked() const;  // 70 bit 4
  Adesk::UInt16 colorIndex() const;
};

class ACDB_PORT AcDbLayerTable : public AcDbSymbolTable {
 public:
  ACRX_DECLARE_MEMBERS(AcDbLayerTable);
  AcDbLayerTable();
  ~AcDbLayerTable() override;
};

class ACDB_PORT AcDbRegAppTableRecord : public AcDbSymbolTableRecord {
 public:
  ACRX_DECLARE_MEMBERS(AcDbRegAppTableRecord);
  AcDbRegAppTableRecord();
  ~AcDbRegAppTableRecord() override;
};

class ACDB_PORT AcDbRegAppTable : public AcDbSymbolTable {
 public:
  ACRX_DECLARE_MEMBERS(AcDbRegAppTable);
  AcDbRegAppTable();
  ~AcDbRegAppTable() override;
};

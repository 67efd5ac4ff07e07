// AcDbObjectPointer<T>: opens an object for the life of a scope and closes it at scope exit.
#pragma once

#include "dbmain.h"

template <class T>
class AcDbObjectPointer {
 public:
  AcDbObjectPointer() = default;
  AcDbObjectPointer(AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false) {
    open(id, mode, openErased);
  }
  ~AcDbObjectPointer() { release(); }
  AcDbObjectPointer(const AcDbObjectPointer&) = delete;
  AcDbObjectPointer& operator=(const AcDbObjectPointer&) = delete;

  Acad::ErrorStatus open(AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false) {
    release();
    mStatus = acdbOpenObject(mPtr, id, mode, openErased);
    return mStatus;
  }
  // eOk while an object is held, else why the last open failed (eNullObjectId at first).
  Acad::ErrorStatus openStatus() const { return mStatus; }
  Acad::ErrorStatus close() {
    if (mPtr == nullptr)
      return Acad::eOk;
    Acad::ErrorStatus es = mPtr->close();
    mPtr = nullptr;
    mStatus = Acad::eNullObjectId;
    return es;
  }
  // Takes an object the caller made (not in a database); it is deleted at scope exit.
  Acad::ErrorStatus acquire(T*& pObj) {
    release();
    mPtr = pObj;
    pObj = nullptr;
    mStatus = Acad::eOk;
    return Acad::eOk;
  }
  Acad::ErrorStatus release(T*& pObj) {
    pObj = mPtr;
    mPtr = nullptr;
    mStatus = Acad::eNullObjectId;
    return Acad::eOk;
  }

  T* object() { return mPtr; }
  const T* object() const { return mPtr; }
  T* operator->() { return mPtr; }
  const T* operator->() const { return mPtr; }
  operator T*() { return mPtr; }
  operator const T*() const { return mPtr; }

 private:
  // Closes what came from a database, deletes what the caller made.
  void release() {
    if (mPtr == nullptr)
      return;
    if (!mPtr->objectId().isNull())
      mPtr->close();
    else
      delete mPtr;
    mPtr = nullptr;
  }

  T* mPtr = nullptr;
  Acad::ErrorStatus mStatus = Acad::eNullObjectId;
};

typedef AcDbObjectPointer<AcDbObject> AcDbObjectPointerBase;

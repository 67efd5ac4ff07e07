// AcAxDocLock: a document lock for the life of a scope, as automation code takes one.
#pragma once

#include "acdocman.h"

class ACCORE_PORT AcAxDocLock {
 public:
  enum DocLockType { kNormal = 0, kCurDocSwitch = 1 };

  // Locks the current document for write; lockStatus() is eNoDocument when there is none.
  AcAxDocLock();
  // Locks the document of pDatabase for write (kCurDocSwitch also makes it current, and makes
  // the previous one current again at destruction). eNoDocument when no document holds it.
  explicit AcAxDocLock(AcDbDatabase* pDatabase, DocLockType lockType = kNormal);
  virtual ~AcAxDocLock();
  AcAxDocLock(const AcAxDocLock&) = delete;
  AcAxDocLock& operator=(const AcAxDocLock&) = delete;

  Acad::ErrorStatus lockStatus() const { return mStatus; }

 private:
  void lock(AcApDocument* doc);
  AcApDocument* mDocument = nullptr;
  AcApDocument* mRestoreDocument = nullptr;
  Acad::ErrorStatus mStatus = Acad::eNoDocument;
};

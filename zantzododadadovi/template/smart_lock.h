// Document lock scope used while entities are written.
#pragma once

#include "outside/host.h"

// Holds a lock on the current document for as long as it lives, unless the running command
// already holds the document for write. status() says whether the document may be written:
// eOk, eNoDocument without a current document, or the reason the host refused the lock.
class ZANTSmartLock {
 public:
  ZANTSmartLock();
  virtual ~ZANTSmartLock();
  ZANTSmartLock(const ZANTSmartLock&) = delete;
  ZANTSmartLock& operator=(const ZANTSmartLock&) = delete;

  Acad::ErrorStatus status() const { return m_status; }

 private:
  AcAxDocLock* m_pLock = nullptr;
  Acad::ErrorStatus m_status = Acad::eOk;
};

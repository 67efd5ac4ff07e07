#include "template/smart_lock.h"

ZANTSmartLock::ZANTSmartLock() {
  AcApDocument* document = acDocManager->curDocument();
  if (document == nullptr) {
    m_status = Acad::eNoDocument;
    return;
  }
  AcDbDatabase* database = document->database();
  const AcAp::DocLockMode held = document->myLockMode();
  // A command that already writes the document needs no second lock.
  if (held == AcAp::kWrite || held == AcAp::kProtectedAutoWrite || held == AcAp::kXWrite)
    return;
  m_pLock =
      database != nullptr ? new AcAxDocLock(database, AcAxDocLock::kNormal) : new AcAxDocLock();
  m_status = m_pLock->lockStatus();
}

ZANTSmartLock::~ZANTSmartLock() {
  delete m_pLock;
  m_pLock = nullptr;
}

// AcAxDocLock: a write lock on a document for the life of a scope.
#include "axlock.h"

#include "dbmain.h"

AcAxDocLock::AcAxDocLock() {
  lock(acDocManager->curDocument());
}

AcAxDocLock::AcAxDocLock(AcDbDatabase* pDatabase, DocLockType lockType) {
  AcApDocument* doc = acDocManager->document(pDatabase);
  if (doc != nullptr && lockType == kCurDocSwitch && doc != acDocManager->curDocument()) {
    mRestoreDocument = acDocManager->curDocument();
    acDocManager->setCurDocument(doc);
  }
  lock(doc);
}

AcAxDocLock::~AcAxDocLock() {
  if (mStatus == Acad::eOk)
    acDocManager->unlockDocument(mDocument);
  if (mRestoreDocument != nullptr)
    acDocManager->setCurDocument(mRestoreDocument);
}

void AcAxDocLock::lock(AcApDocument* doc) {
  if (doc == nullptr) {
    mStatus = Acad::eNoDocument;
    return;
  }
  mDocument = doc;
  mStatus = acDocManager->lockDocument(doc, AcAp::kWrite);
}

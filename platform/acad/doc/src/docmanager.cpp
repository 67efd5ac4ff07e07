// The document manager: the open drawings, the current one, and the locks on each.
#include <algorithm>

#include "dbapserv.h"
#include "docdata.h"

ACRX_NO_CONS_DEFINE_MEMBERS(AcApDocument, AcRxObject);
ACRX_NO_CONS_DEFINE_MEMBERS(AcApDocManager, AcRxObject);

namespace zacad {

Documents& documents() {
  static Documents docs;
  return docs;
}

namespace {

bool isWriteMode(AcAp::DocLockMode mode) {
  return mode == AcAp::kWrite || mode == AcAp::kAutoWrite || mode == AcAp::kProtectedAutoWrite ||
         mode == AcAp::kXWrite;
}

// How strong a lock is, to report the strongest one held.
int strength(AcAp::DocLockMode mode) {
  switch (mode) {
    case AcAp::kXWrite:
      return 5;
    case AcAp::kProtectedAutoWrite:
      return 4;
    case AcAp::kWrite:
      return 3;
    case AcAp::kAutoWrite:
      return 2;
    case AcAp::kRead:
      return 1;
    default:
      return 0;
  }
}

bool isOpen(const AcApDocument* doc) {
  for (AcApDocument* d : documents().open) {
    if (d == doc)
      return true;
  }
  return false;
}

// Registers the document classes with the runtime when the library is loaded.
struct ClassRegistration {
  ClassRegistration() {
    AcApDocument::rxInit();
    AcApDocManager::rxInit();
  }
} registration;

}  // namespace
}  // namespace zacad

AcApDocument::AcApDocument(zacad::DocumentData* data) : mData(data) {}

AcApDocument::~AcApDocument() {
  delete mData;
}

const ACHAR* AcApDocument::fileName() const {
  return mData->fileName.c_str();
}

AcDbDatabase* AcApDocument::database() const {
  return mData->database.get();
}

AcAp::DocLockMode AcApDocument::lockMode(bool bIncludeMyLocks) const {
  // This host runs one execution context: every lock is the caller's own.
  if (!bIncludeMyLocks || mData->locks.empty())
    return AcAp::kNotLocked;
  AcAp::DocLockMode strongest = AcAp::kNone;
  for (AcAp::DocLockMode mode : mData->locks) {
    if (zacad::strength(mode) > zacad::strength(strongest))
      strongest = mode;
  }
  return strongest;
}

AcAp::DocLockMode AcApDocument::myLockMode() const {
  return mData->locks.empty() ? AcAp::kNone : mData->locks.back();
}

bool AcApDocument::isReadOnly() const {
  return mData->readOnly;
}

AcApDocManager::AcApDocManager() = default;
AcApDocManager::~AcApDocManager() = default;

AcApDocManager* acDocManagerPtr() {
  static AcApDocManager manager;
  return &manager;
}

AcApDocument* AcApDocManager::curDocument() const {
  return zacad::documents().current;
}

AcApDocument* AcApDocManager::mdiActiveDocument() const {
  return zacad::documents().current;
}

AcApDocument* AcApDocManager::document(const AcDbDatabase* pDb) const {
  for (AcApDocument* doc : zacad::documents().open) {
    if (pDb != nullptr && doc->database() == pDb)
      return doc;
  }
  return nullptr;
}

int AcApDocManager::documentCount() const {
  return static_cast<int>(zacad::documents().open.size());
}

AcApDocumentIterator* AcApDocManager::newAcApDocumentIterator() {
  return new AcApDocumentIterator();
}

Acad::ErrorStatus AcApDocManager::lockDocument(AcApDocument* pDoc, AcAp::DocLockMode mode,
                                               const ACHAR*, const ACHAR*, bool) {
  AcApDocument* doc = pDoc == nullptr ? curDocument() : pDoc;
  if (doc == nullptr || !zacad::isOpen(doc))
    return Acad::eNoDocument;
  auto& locks = doc->data().locks;
  if (mode == AcAp::kNone || mode == AcAp::kNotLocked)
    return Acad::eInvalidInput;
  const bool exclusiveHeld = std::find(locks.begin(), locks.end(), AcAp::kXWrite) != locks.end();
  if (exclusiveHeld || (mode == AcAp::kXWrite && !locks.empty()))
    return Acad::eLockViolation;
  if (zacad::isWriteMode(mode) && doc->isReadOnly())
    return Acad::eLockViolation;
  locks.push_back(mode);
  return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::unlockDocument(AcApDocument* pDoc) {
  AcApDocument* doc = pDoc == nullptr ? curDocument() : pDoc;
  if (doc == nullptr || !zacad::isOpen(doc))
    return Acad::eNoDocument;
  if (doc->data().locks.empty())
    return Acad::eNotApplicable;
  doc->data().locks.pop_back();
  return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::setCurDocument(AcApDocument* pDoc, AcAp::DocLockMode mode, bool) {
  if (pDoc == nullptr || !zacad::isOpen(pDoc))
    return Acad::eNoDocument;
  zacad::documents().current = pDoc;
  acdbHostApplicationServices()->setWorkingDatabase(pDoc->database());
  if (mode != AcAp::kNone)
    return lockDocument(pDoc, mode);
  return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::activateDocument(AcApDocument* pAcTargetDocument, bool) {
  return setCurDocument(pAcTargetDocument);
}

AcApDocumentIterator::AcApDocumentIterator() = default;
AcApDocumentIterator::~AcApDocumentIterator() = default;

bool AcApDocumentIterator::done() const {
  return mIndex >= zacad::documents().open.size();
}

void AcApDocumentIterator::step() {
  ++mIndex;
}

AcApDocument* AcApDocumentIterator::document() {
  return done() ? nullptr : zacad::documents().open[mIndex];
}

// Documents: the open drawings of the host, one of them current, and the locks that commands
// and applications take on them.
#pragma once

#include "AcCoreDefs.h"
#include "acadstrc.h"
#include "rxobject.h"

class AcDbDatabase;
class AcApDocumentIterator;

struct AcAp {
  enum DocLockMode {
    kNone = 0x00,
    kAutoWrite = 0x01,
    kNotLocked = 0x02,
    kWrite = 0x04,
    kProtectedAutoWrite = 0x14,
    kRead = 0x20,
    kXWrite = 0x40,
  };
};

namespace zacad {
struct DocumentData;
struct DocumentFactory;
}  // namespace zacad

class ACCORE_PORT AcApDocument : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcApDocument);
  ~AcApDocument() override;

  // Windows path of the drawing ("Z:\work\a.dxf").
  const ACHAR* fileName() const;
  AcDbDatabase* database() const;
  // The strongest lock held on the document by anyone, and the one the calling context holds
  // (kNone when it holds none). This host runs one context: the two differ only while an
  // application's lock (AcAxDocLock) is stacked over the command's.
  AcAp::DocLockMode lockMode(bool bIncludeMyLocks = true) const;
  AcAp::DocLockMode myLockMode() const;
  bool isReadOnly() const;

  zacad::DocumentData& data() const { return *mData; }

 private:
  friend struct zacad::DocumentFactory;
  explicit AcApDocument(zacad::DocumentData* data);
  zacad::DocumentData* mData;
};

class ACCORE_PORT AcApDocManager : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcApDocManager);
  ~AcApDocManager() override;

  // Null when no drawing is open.
  AcApDocument* curDocument() const;
  AcApDocument* mdiActiveDocument() const;
  AcApDocument* document(const AcDbDatabase* pDb) const;
  int documentCount() const;
  // The caller deletes the iterator.
  AcApDocumentIterator* newAcApDocumentIterator();

  // Locks pDoc (null: the current document) in mode. Shared modes (kWrite, kAutoWrite,
  // kProtectedAutoWrite, kRead) stack; kXWrite needs the document free of other locks and then
  // excludes everything; a write over a read-only document is refused. eOk, eLockViolation,
  // eNoDocument.
  Acad::ErrorStatus lockDocument(AcApDocument* pDoc, AcAp::DocLockMode mode = AcAp::kWrite,
                                 const ACHAR* pGlobalCmdName = nullptr,
                                 const ACHAR* pLocalCmdName = nullptr, bool prompt = true);
  // Releases the newest lock on pDoc. eNotApplicable when it holds none.
  Acad::ErrorStatus unlockDocument(AcApDocument* pDoc);
  Acad::ErrorStatus setCurDocument(AcApDocument* pDoc, AcAp::DocLockMode = AcAp::kNone,
                                   bool activate = false);
  Acad::ErrorStatus activateDocument(AcApDocument* pAcTargetDocument, bool bPassScript = false);

 private:
  friend AcApDocManager* acDocManagerPtr();
  AcApDocManager();
};

class ACCORE_PORT AcApDocumentIterator {
 public:
  virtual ~AcApDocumentIterator();
  bool done() const;
  void step();
  AcApDocument* document();

 private:
  friend class AcApDocManager;
  AcApDocumentIterator();
  size_t mIndex = 0;
};

ACCORE_PORT AcApDocManager* acDocManagerPtr();
#define acDocManager acDocManagerPtr()

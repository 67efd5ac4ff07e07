// A test application that writes drawings the way the module does: TAGIT selects entities and
// gives each the record (1000 "LIST_HEADER") (1040 0.0) of ZANT_LIST_TEMPLATE, registering the
// application first and locking the document unless the command already holds it for write.
#include "accmd.h"
#include "acdbads.h"
#include "acdocman.h"
#include "acedads.h"
#include "acutads.h"
#include "axlock.h"
#include "dbents.h"
#include "dbobjptr.h"
#include "rxdlinkr.h"

namespace {

constexpr const ACHAR* kApp = u"ZANT_LIST_TEMPLATE";

void tagIt() {
  ads_name ss;
  if (acedSSGet(nullptr, nullptr, nullptr, nullptr, ss) != RTNORM)
    return;
  AcApDocument* doc = acDocManager->curDocument();
  if (doc == nullptr) {
    acedSSFree(ss);
    return;
  }
  const AcAp::DocLockMode held = doc->myLockMode();
  const bool writable =
      held == AcAp::kWrite || held == AcAp::kProtectedAutoWrite || held == AcAp::kXWrite;
  AcAxDocLock* lock = writable ? nullptr : new AcAxDocLock(doc->database());
  if (resbuf* found = acdbTblSearch(u"APPID", kApp, 0))
    acutRelRb(found);
  else
    acdbRegApp(kApp);
  long length = 0;
  acedSSLength(ss, &length);
  int tagged = 0;
  for (long i = 0; i < length; ++i) {
    ads_name name;
    AcDbObjectId id;
    if (acedSSName(ss, i, name) != RTNORM || acdbGetObjectId(id, name) != Acad::eOk)
      continue;
    AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
    if (entity.openStatus() != Acad::eOk) {
      acutPrintf(u"\n%s", acadErrorStatusText(entity.openStatus()));
      continue;
    }
    entity->assertWriteEnabled(true, true);
    resbuf* record = acutBuildList(1001, kApp, 1000, u"LIST_HEADER", 1040, 0.0, 0);
    tagged += entity->setXData(record) == Acad::eOk;
    acutRelRb(record);
  }
  acedSSFree(ss);
  delete lock;
  acutPrintf(u"\n%d tagged", tagged);
}

}  // namespace

extern "C" __declspec(dllexport) AcRx::AppRetCode
    acrxEntryPoint(AcRx::AppMsgCode msg, void* appId) {
  if (msg == AcRx::kInitAppMsg) {
    acrxDynamicLinker->unlockApplication(appId);
    acedRegCmds->addCommand(u"DBFIXTURE", u"TAGIT", u"TAGIT", ACRX_CMD_MODAL, tagIt);
  } else if (msg == AcRx::kUnloadAppMsg) {
    acedRegCmds->removeGroup(u"DBFIXTURE");
  }
  return AcRx::kRetOK;
}

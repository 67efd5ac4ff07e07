#include "template/tag_template_entities.h"

#include "template/smart_lock.h"
#include "template/template_record.h"
#include "template/xdata_append.h"

namespace {

// The drawn kinds a list template is made of; classes derived from them (an attribute
// definition is a text) count as well.
AcRxClass* (*const kTaggableClasses[])() = {
    &AcDbLine::desc,       &AcDbPolyline::desc, &AcDb2dPolyline::desc,
    &AcDb3dPolyline::desc, &AcDbText::desc,     &AcDbMText::desc,
    &AcDbArc::desc,        &AcDbHatch::desc,    &AcDbSpline::desc,
};

bool isTaggable(const AcDbEntity* pEntity) {
  for (AcRxClass* (*desc)() : kTaggableClasses)
    if (pEntity->isKindOf(desc()))
      return true;
  return false;
}

void tagEntity(AcDbEntity* pEntity, const ACHAR* key, const ACHAR* subKey, double value,
               const ACHAR* appName) {
  // An application name alone removes that application's data: the former record goes,
  // whatever the entity's class.
  if (resbuf* clear = acutBuildList(kZantXdAppName, appName, RTNONE)) {
    pEntity->setXData(clear);
    acutRelRb(clear);
  }
  if (!isTaggable(pEntity))
    return;
  if (AppendXDataString(pEntity, key, appName) != Acad::eOk)
    return;
  if (subKey[0] != 0)
    AppendXDataString(pEntity, subKey, appName);
  AppendXDataReal(pEntity, value, appName);
}

}  // namespace

Acad::ErrorStatus TagTemplateEntities(AcDbObjectIdArray ids, const ACHAR* key, const ACHAR* subKey,
                                      double value, const ACHAR* appName) {
  ZANTSmartLock lock;
  if (lock.status() != Acad::eOk)
    return lock.status();
  for (int i = 0; i < ids.length(); ++i) {
    // Closed when the pointer goes, also when an exception passes through.
    AcDbObjectPointer<AcDbEntity> pEntity(ids[i], AcDb::kForWrite, false);
    if (pEntity.openStatus() != Acad::eOk)
      continue;
    tagEntity(pEntity.object(), key, subKey, value, appName);
  }
  return Acad::eOk;
}

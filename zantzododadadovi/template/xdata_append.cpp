#include "template/xdata_append.h"

#include "template/template_record.h"

namespace {

// Both append routines: `group` is the one group to link after the application's data.
Acad::ErrorStatus appendGroup(AcDbEntity* pEntity, resbuf* group, const ACHAR* appName) {
  pEntity->assertWriteEnabled(true, true);
  const Acad::ErrorStatus registered = EnsureAppRegistered(appName);
  if (registered != Acad::eOk) {
    acutRelRb(group);
    return registered;
  }
  resbuf* data = pEntity->xData(appName);
  if (data == nullptr)
    data = acutBuildList(kZantXdAppName, appName, RTNONE);
  if (data == nullptr || group == nullptr) {
    acutRelRb(group);
    acutRelRb(data);
    return Acad::eInvalidInput;
  }
  resbuf* last = data;
  while (last->rbnext != nullptr)
    last = last->rbnext;
  last->rbnext = group;
  const Acad::ErrorStatus status = pEntity->setXData(data);
  acutRelRb(data);
  return status;
}

}  // namespace

Acad::ErrorStatus EnsureAppRegistered(const ACHAR* appName) {
  if (resbuf* entry = acdbTblSearch(_T("APPID"), appName, 0)) {
    acutRelRb(entry);
    return Acad::eOk;
  }
  return acdbRegApp(appName) == RTNORM ? Acad::eOk : Acad::eInvalidInput;
}

Acad::ErrorStatus AppendXDataString(AcDbEntity* pEntity, const ACHAR* text, const ACHAR* appName) {
  return appendGroup(pEntity, acutBuildList(kZantXdString, text, RTNONE), appName);
}

Acad::ErrorStatus AppendXDataReal(AcDbEntity* pEntity, double value, const ACHAR* appName) {
  return appendGroup(pEntity, acutBuildList(kZantXdReal, value, RTNONE), appName);
}

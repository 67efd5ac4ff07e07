#include "module/zantzododadadovieditorreactor.h"

#include "outside/maker.h"
#include "module/module_state.h"

namespace {

// The host's editor, when the system registry holds one of the right kind.
AcEditor* HostEditor() {
  AcRxObject* service = acrxSysRegistry()->at(ACED_EDITOR_OBJ);
  if (service == NULL || !service->isKindOf(AcEditor::desc())) {
    return NULL;
  }
  return AcEditor::cast(service);
}

}  // namespace

ZANTZododAdadOviEditorReactor::ZANTZododAdadOviEditorReactor(bool autoInitAndRelease)
    : m_bAttached(autoInitAndRelease), m_bToolbarShown(false) {
  try {
    CZnLogEntry trace(_T("ZANTZododAdadOviEditorReactor::ZANTZododAdadOviEditorReactor"));
    if (autoInitAndRelease) {
      if (AcEditor* editor = HostEditor()) {
        editor->addReactor(this);
      } else {
        m_bAttached = false;
      }
    }
    m_bToolbarShown = false;
  } catch (...) {
    CZnCrashHandler crash(__FILEW__, __LINE__);
  }
}

ZANTZododAdadOviEditorReactor::~ZANTZododAdadOviEditorReactor() {
  try {
    CZnLogEntry trace(_T("ZANTZododAdadOviEditorReactor::~ZANTZododAdadOviEditorReactor"));
    if (m_bAttached) {
      if (AcEditor* editor = HostEditor()) {
        editor->removeReactor(this);
      }
    }
  } catch (...) {
    CZnCrashHandler crash(__FILEW__, __LINE__);
  }
}

void ZANTZododAdadOviEditorReactor::commandEnded(const ACHAR* cmdStr) {
  UNREFERENCED_PARAMETER(cmdStr);
  try {
    CZnLogEntry trace(_T("ZANTZododAdadOviEditorReactor::commandEnded"));
    if (m_bToolbarShown) {
      return;
    }
    m_bToolbarShown = ZANTAcadSystemTools::ShowToolbar(kZantToolbar, true, kZantMenuGroup);
  } catch (...) {
    CZnCrashHandler crash(__FILEW__, __LINE__);
  }
}

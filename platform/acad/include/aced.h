// The host's editor: the event source of command notifications. The host tells every attached
// AcEditorReactor, with the command's global name, when a command starts and whether it ended,
// was cancelled or failed; its own commands included.
#pragma once

#include "AcCoreDefs.h"
#include "accmd.h"
#include "acedads.h"
#include "rxevent.h"

template <class T>
class AcArrayMemCopyReallocator;
template <class T, class R>
class AcArray;
typedef AcArray<void*, AcArrayMemCopyReallocator<void*>> AcDbVoidPtrArray;

// Key of the editor in the system registry.
#define ACED_EDITOR_OBJ ACRX_T("AcEditor")

class ACCORE_PORT AcEditorReactor : public AcRxEventReactor {
 public:
  ACRX_DECLARE_MEMBERS(AcEditorReactor);
  ~AcEditorReactor() override;

  // A name the host could not resolve to any command (al is null here).
  virtual void unknownCommand(const ACHAR* cmdStr, AcDbVoidPtrArray* al);
  virtual void commandWillStart(const ACHAR* cmdStr);
  virtual void commandEnded(const ACHAR* cmdStr);
  virtual void commandCancelled(const ACHAR* cmdStr);
  virtual void commandFailed(const ACHAR* cmdStr);
  virtual void lispWillStart(const ACHAR* firstLine);
  virtual void lispEnded();
  virtual void lispCancelled();
  virtual void beginClose(AcDbDatabase* pDwg);

 public:
  AcEditorReactor();
};

class ACCORE_PORT AcEditor : public AcRxEvent {
 public:
  ACRX_DECLARE_MEMBERS(AcEditor);
  ~AcEditor() override;

 protected:
  AcEditor();
};

#define acedEditor AcEditor::cast(acrxSysRegistry()->at(ACED_EDITOR_OBJ))

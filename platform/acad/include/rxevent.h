// Event reactors of the host: an application derives from AcRxEventReactor (or
// AcEditorReactor, aced.h), overrides the notifications it wants, and attaches it to an event
// source with addReactor. Every notification does nothing unless overridden.
#pragma once

#include "AcCoreDefs.h"
#include "rxdict.h"
#include "rxobject.h"

class AcDbDatabase;

class ACCORE_PORT AcRxEventReactor : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcRxEventReactor);
  ~AcRxEventReactor() override;

  virtual void dwgFileOpened(AcDbDatabase*, ACHAR* fileName);
  virtual void initialDwgFileOpenComplete(AcDbDatabase*);
  virtual void databaseConstructed(AcDbDatabase*);
  virtual void databaseToBeDestroyed(AcDbDatabase*);
  virtual void beginSave(AcDbDatabase*, const ACHAR* pIntendedName);
  virtual void saveComplete(AcDbDatabase*, const ACHAR* pActualName);
  virtual void abortSave(AcDbDatabase*);
  virtual void beginDxfIn(AcDbDatabase*);
  virtual void abortDxfIn(AcDbDatabase*);
  virtual void dxfInComplete(AcDbDatabase*);
  virtual void beginDxfOut(AcDbDatabase*);
  virtual void abortDxfOut(AcDbDatabase*);
  virtual void dxfOutComplete(AcDbDatabase*);

 public:
  AcRxEventReactor();
};

// An event source reactors attach to.
class ACCORE_PORT AcRxEvent : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcRxEvent);
  ~AcRxEvent() override;

  // Attaching a reactor twice keeps one attachment; removing an unattached one does nothing.
  virtual void addReactor(AcRxEventReactor* newObj) = 0;
  virtual void removeReactor(AcRxEventReactor* delObj) = 0;

 protected:
  AcRxEvent();
};

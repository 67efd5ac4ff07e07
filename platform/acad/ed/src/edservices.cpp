// Start-up of the acad library: its runtime classes and the services applications fetch from
// the system registry ("ACAD_REGISTERED_COMMANDS", "AcEditor"). Done when the library loads, so
// the services exist before the host loads any application.
#include "aced.h"
#include "edservices.h"
#include "rxclass.h"
#include "rxregsvc.h"

namespace {

__attribute__((constructor)) void RegisterEditorServices() {
  AcEdCommand::rxInit();
  AcEdCommandIterator::rxInit();
  AcEdCommandStack::rxInit();
  AcRxEventReactor::rxInit();
  AcRxEvent::rxInit();
  AcEditorReactor::rxInit();
  AcEditor::rxInit();
  acrxBuildClassHierarchy();
  // The system registry owns the services from here on.
  acrxSysRegistry()->atPut(ACRX_COMMAND_DOCK, zacad::NewCommandStack());
  acrxSysRegistry()->atPut(ACED_EDITOR_OBJ, zacad::NewEditor());
}

}  // namespace

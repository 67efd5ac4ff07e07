// What the host program needs of the dynamic linker beyond the SDK's AcRxDynamicLinker: the list
// of loaded applications (for "ARX ?") and unloading them all when it quits. Not part of the
// host SDK.
#pragma once

#include <string>
#include <vector>

#include "acdbport.h"
#include "rxdefs.h"
#include "windef.h"

namespace zacad {

struct LoadedApplication {
  std::u16string name;  // file name, as "MyApp.arx"
  std::u16string path;  // Windows path of the file
  HMODULE module;       // load base address
  bool locked;
  bool mdiAware;
};

// The loaded applications in load order.
ACDB_PORT std::vector<LoadedApplication> loadedApplications();

// Sends kUnloadAppMsg to every loaded application, locked or not, newest first, and unmaps it,
// as the host does when it quits. An application's answer cannot keep it loaded here.
ACDB_PORT void unloadAllApplications();

// Sends msg (the drawing messages kLoadDwgMsg and kUnloadDwgMsg) to every loaded application,
// oldest first, as the host does when a drawing opens or closes; the drawing concerned is the
// current document while they hear it.
ACDB_PORT void sendToApplications(AcRx::AppMsgCode msg);

// What the document layer does for one application when it starts (after kInitAppMsg) and before
// it goes (before kUnloadAppMsg): tell it about each drawing open at that moment, with
// sendToApplication.
struct ApplicationHooks {
  void (*started)(void* appId);
  void (*stopping)(void* appId);
};
ACDB_PORT void setApplicationHooks(ApplicationHooks hooks);
ACDB_PORT void sendToApplication(void* appId, AcRx::AppMsgCode msg);

}  // namespace zacad

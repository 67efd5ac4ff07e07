// What the host program needs of the dynamic linker beyond the SDK's AcRxDynamicLinker: the list
// of loaded applications (for "ARX ?") and unloading them all when it quits. Not part of the
// host SDK.
#pragma once

#include <string>
#include <vector>

#include "acdbport.h"
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

}  // namespace zacad

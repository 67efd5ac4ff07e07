// Demand loading as the host does it: the applications recorded under the product key's
// "Applications" (by acrxRegisterApp or by the applications' own registry writes), loaded at
// start-up, on the first use of one of their commands, or on an explicit load request,
// according to their LOADCTRLS bits. Not part of the host SDK.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "acdbport.h"
#include "windef.h"

namespace zacad {

struct DemandLoadEntry {
  std::u16string name;    // the logical name: the key below "Applications"
  DWORD reasons = 0;      // LOADCTRLS, AcadApp::LoadReasons bits; 0 when absent
  std::u16string loader;  // LOADER, else the older layout's "Loader\MODULE"; may be empty
  // "Commands": value name = global command name, data = local name (the global name when the
  // data is empty or not a string).
  std::vector<std::pair<std::u16string, std::u16string>> commands;
  std::vector<std::u16string> groups;  // value names of "Groups"
};

// Every application recorded under the product key, in the registry's order. An unreadable or
// absent key gives none.
ACDB_PORT std::vector<DemandLoadEntry> demandLoadEntries();

// Loads every recorded application with kOnAutoCADStartup and without kLoadDisabled, through
// the dynamic linker (whose messages explain a failure). Returns how many were loaded.
ACDB_PORT int loadStartupApplications();

// For a command name nobody has registered: loads the first application with
// kOnCommandInvocation (and not kLoadDisabled) that lists it under "Commands". `typed` is the
// name as typed: "_NAME" matches global names only, "GROUP.NAME" (after any "." or "_"
// prefix) only applications listing GROUP under "Groups". An application already loaded is
// not loaded again. True when an application was loaded; the caller then looks the command up
// again, since only the application's own registration makes it a command.
ACDB_PORT bool demandLoadCommand(std::u16string_view typed);

}  // namespace zacad

// The variable catalogue: the names a template text can be turned into, offered in this order by
// the variable command's expression dialog.
#pragma once

#include <vector>

#include "outside/mfc.h"
#include "outside/host.h"

// One variable: its name as the list generator knows it, its description in the user's language
// and the unit kind that the expression dialog receives unchanged.
class ZANTProperty {
 public:
  // Looks the description up under prompt `promptId` with this module's resources current; a
  // prompt that cannot be found leaves the description empty.
  ZANTProperty(const ACHAR* name, UINT promptId, int unitKind);
  virtual ~ZANTProperty();
  ZANTProperty(const ZANTProperty&) = default;
  ZANTProperty& operator=(const ZANTProperty&) = default;

  CString name;
  CString description;
  int unitKind;
};

// The catalogue, from load to unload: empty until the first build.
extern std::vector<ZANTProperty> g_variableCatalogue;

// Empties the catalogue and fills it again with its 45 entries, looking every description up anew.
void InitVariableCatalogue();

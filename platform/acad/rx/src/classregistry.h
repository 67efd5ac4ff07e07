// Registration of runtime classes into a given class dictionary. newAcRxClass uses it with the
// system's class dictionary; the runtime's start-up uses it before the system registry exists.
#pragma once

#include "rxclass.h"
#include "rxdict.h"

namespace zacad {

struct ClassDescription {
  const ACHAR* name;
  const ACHAR* parentName;
  int dwgVersion = 0;
  int maintenanceVersion = 0;
  int proxyFlags = 0;
  AcRxPseudoConstructor constructor = nullptr;
  const ACHAR* dxfName = nullptr;
  const ACHAR* appName = nullptr;
};

// Files a new class (or updates the one of that name) and links it to its parent and its
// waiting children. Null when the name is null or empty.
AcRxClass* registerClass(AcRxDictionary& classes, const ClassDescription& description);

}  // namespace zacad

// Services and applications of the system registry: registering services, and the global forms
// of the dynamic linker's calls that applications make from acrxEntryPoint.
#pragma once

#include "acadstrc.h"
#include "rxdict.h"
#include "rxsrvice.h"

// The service registered under serviceName: if none is, a new AcRxService is filed under that
// name in the service dictionary. A service registered while an application initializes
// belongs to it (AcRxDynamicLinker::getSymbolAddress finds its symbols through it).
ACDB_PORT AcRxObject* acrxRegisterService(const ACHAR* serviceName);
// Nonzero when the service dictionary holds serviceName.
ACDB_PORT int acrxServiceIsRegistered(const ACHAR* serviceName);

ACDB_PORT bool acrxLoadModule(const ACHAR* moduleName, bool printit, bool asCmd = false);
ACDB_PORT bool acrxUnloadModule(const ACHAR* moduleName, bool asCmd = false);
ACDB_PORT void* acrxGetServiceSymbolAddr(const ACHAR* serviceName, const ACHAR* symbol);
ACDB_PORT bool acrxApplicationIsLocked(const ACHAR* moduleName);
ACDB_PORT bool acrxLockApplication(void* appId);
ACDB_PORT bool acrxUnlockApplication(void* appId);
ACDB_PORT bool acrxIsAppMDIAware(const ACHAR* moduleName);
ACDB_PORT bool acrxRegisterAppMDIAware(void* appId);
ACDB_PORT bool acrxRegisterAppNotMDIAware(void* appId);

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

// The host's product key below HKEY_LOCAL_MACHINE (no root prefix), under which applications
// record themselves for demand loading: "SOFTWARE\Autodesk\AutoCAD\R17.1\ACAD-6001:40C".
ACDB_PORT const ACHAR* acrxProductKey();

// Records the calling application for demand loading under the product key's
// "Applications\<logicalName>": LOADCTRLS (the reasons), LOADER (the Windows path of the
// module whose code made the call) and DESCRIPTION (the logical name). eOk, eInvalidKey for
// an empty name, eRegAccessDenied when the registry refuses the write; never throws.
ACDB_PORT AcadApp::ErrorStatus acrxRegisterApp(AcadApp::LoadReasons alr, const ACHAR* logicalName,
                                               bool bDwgU = false);

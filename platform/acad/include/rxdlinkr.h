// AcRxDynamicLinker: loads and unloads applications (ObjectARX modules), sends them their
// load and unload messages, and keeps their lock and MDI state. It is a service of the system
// registry, reached through the acrxDynamicLinker macro.
#pragma once

#include "windef.h"

#include "rxregsvc.h"

#define ACRX_DYNAMIC_LINKER ACRX_T("DynamicLinker")

class ACDB_PORT AcRxDynamicLinker : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcRxDynamicLinker);
  ~AcRxDynamicLinker() override;

  // Loads an application: fileName may be a Windows or host path, with or without folder (then
  // the current folder and the host's program folder are searched) and extension (".arx" is
  // added). The module must export acrxGetApiVersion with a version this host accepts and
  // acrxEntryPoint, which receives kInitAppMsg with the application's id; a kRetError answer
  // unloads it again. The application stays locked until it unlocks itself. Failures print a
  // message through acdbHostApplicationServices()->displayString; printit also reports success.
  // Loading an application already loaded does nothing and succeeds.
  virtual bool loadModule(const ACHAR* fileName, bool printit, bool asCmd = false) = 0;

  // Loads the application recorded for demand loading under the logical name appName, when
  // its LOADCTRLS hold the reason al and not kLoadDisabled; false (saying nothing) when no
  // such application is recorded, else the result of loading its LOADER file.
  virtual bool loadApp(const ACHAR* appName, AcadApp::LoadReasons al, bool printit, bool asCmd) = 0;

  // Unloads an application by name (case ignored; folder and extension optional): sends it
  // kUnloadAppMsg, then unmaps it. Refused with a message when it is not loaded, is locked, or
  // answers kRetError. asCmd also reports success.
  virtual bool unloadModule(const ACHAR* fileName, bool asCmd = false) = 0;

  // The address of symbol in the module that registered serviceName (or in the loaded
  // application of that name), or null.
  virtual void* getSymbolAddress(const ACHAR* serviceName, const ACHAR* symbol) const = 0;

  // Files serviceObj in the service dictionary under serviceName; false when the name is taken.
  virtual bool registerService(const ACHAR* serviceName, AcRxService* serviceObj) = 0;

  virtual bool isApplicationLocked(const ACHAR* moduleName) const = 0;
  // appId is the pointer the application received with kInitAppMsg; an unknown id gives false.
  virtual bool lockApplication(void* appId) const = 0;
  virtual bool unlockApplication(void* appId) const = 0;

  virtual bool isAppMDIAware(const ACHAR* moduleName) const = 0;
  virtual bool registerAppMDIAware(void* appId) const = 0;
  virtual bool registerAppNotMDIAware(void* appId) const = 0;

  // The module handle (load base) of a loaded application, or null.
  virtual HMODULE getModuleHandle(const ACHAR* moduleName) const = 0;
};

#define acrxDynamicLinker AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER))

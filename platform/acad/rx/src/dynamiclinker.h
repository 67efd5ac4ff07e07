// The runtime's AcRxDynamicLinker: the loaded applications, their ids and their state.
#pragma once

#include <list>
#include <map>
#include <string>

#include "rxdlinkr.h"
#include "zacad/applications.h"

namespace zacad {

class DynamicLinker : public AcRxDynamicLinker {
 public:
  DynamicLinker();
  ~DynamicLinker() override;

  // The linker filed in the system registry.
  static DynamicLinker& instance();

  bool loadModule(const ACHAR* fileName, bool printit, bool asCmd) override;
  bool loadApp(const ACHAR* appName, AcadApp::LoadReasons al, bool printit, bool asCmd) override;
  bool unloadModule(const ACHAR* fileName, bool asCmd) override;
  void* getSymbolAddress(const ACHAR* serviceName, const ACHAR* symbol) const override;
  bool registerService(const ACHAR* serviceName, AcRxService* serviceObj) override;
  bool isApplicationLocked(const ACHAR* moduleName) const override;
  bool lockApplication(void* appId) const override;
  bool unlockApplication(void* appId) const override;
  bool isAppMDIAware(const ACHAR* moduleName) const override;
  bool registerAppMDIAware(void* appId) const override;
  bool registerAppNotMDIAware(void* appId) const override;
  HMODULE getModuleHandle(const ACHAR* moduleName) const override;

  // Remembers that the application now initializing (if any) registered serviceName.
  void noteServiceRegistered(const std::u16string& serviceName);

  std::vector<LoadedApplication> applications() const;
  void unloadAll();
  void sendToAll(AcRx::AppMsgCode msg);
  void sendTo(void* appId, AcRx::AppMsgCode msg);
  void setHooks(ApplicationHooks hooks) { hooks_ = hooks; }

 private:
  // One loaded application; its address is the appId the application receives.
  struct Application {
    LoadedApplication info;
    AcRx::AppRetCode (*entryPoint)(AcRx::AppMsgCode, void*);
  };
  using Applications = std::list<Application>;

  Application* find(const ACHAR* moduleName) const;
  Application* fromId(void* appId) const;
  // Sends msg through the application's entry point; an exception escaping it counts as
  // kRetError, since the host must survive a faulty application.
  AcRx::AppRetCode send(Application& app, AcRx::AppMsgCode msg);
  void unmap(Applications::iterator app);
  // Sends kUnloadAppMsg after the document layer has told the application that the open drawings
  // go away for it.
  AcRx::AppRetCode stop(Application& app);

  // mutable: the SDK's lock and MDI calls are const, yet they change an application's state.
  mutable Applications applications_;
  Application* initializing_ = nullptr;
  std::map<std::u16string, HMODULE> serviceModules_;
  ApplicationHooks hooks_ = {nullptr, nullptr};
};

}  // namespace zacad

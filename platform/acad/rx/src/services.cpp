// Services of the system registry.
#include "rxregsvc.h"

#include "dynamiclinker.h"
#include "sysregistry.h"

ACRX_CONS_DEFINE_MEMBERS(AcRxService, AcRxObject, 0);

AcRxService::AcRxService() = default;

AcRxService::~AcRxService() = default;

AcRxObject* AcRxService::getSysInfo() const {
  return sysInfo_;
}
void AcRxService::setSysInfo(AcRxObject* sysInfo) {
  sysInfo_ = sysInfo;
}
void AcRxService::addDependency() {
  ++dependencies_;
}
void AcRxService::removeDependency() {
  if (dependencies_ > 0)
    --dependencies_;
}
int AcRxService::dependencyCount() const {
  return dependencies_;
}
bool AcRxService::unloadable() const {
  return dependencies_ == 0;
}

AcRxObject* acrxRegisterService(const ACHAR* serviceName) {
  if (serviceName == nullptr || serviceName[0] == 0)
    return nullptr;
  AcRxDictionary& services = zacad::serviceDictionary();
  if (AcRxObject* existing = services.at(serviceName))
    return existing;
  auto* service = new AcRxService();
  services.atPut(serviceName, service);
  zacad::DynamicLinker::instance().noteServiceRegistered(serviceName);
  return service;
}

int acrxServiceIsRegistered(const ACHAR* serviceName) {
  return zacad::serviceDictionary().has(serviceName) ? 1 : 0;
}

// AcRxService: an entry of the service dictionary. Applications register services by name so
// others can find them; a service that others depend on must not be unloaded.
#pragma once

#include "rxobject.h"

class ACDB_PORT AcRxService : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcRxService);
  AcRxService();
  ~AcRxService() override;

  // Optional object the registering application attaches for its clients (not owned).
  AcRxObject* getSysInfo() const;
  void setSysInfo(AcRxObject* sysInfo);

  void addDependency();
  void removeDependency();
  int dependencyCount() const;
  // True when nothing depends on the service any more.
  bool unloadable() const;

 private:
  AcRxObject* sysInfo_ = nullptr;
  int dependencies_ = 0;
};

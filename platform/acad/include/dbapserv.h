// AcDbHostApplicationServices: what the runtime asks of the program hosting it. The default
// instance writes messages to standard output as UTF-8; a host installs its own to route them
// to its command line.
#pragma once

#include "rxobject.h"

class AcDbDatabase;

class ACDB_PORT AcDbHostApplicationServices : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbHostApplicationServices);
  AcDbHostApplicationServices();
  ~AcDbHostApplicationServices() override;

  // Shows count characters of string (all of it up to its terminator when count is negative).
  virtual void displayString(const ACHAR* string, int count) const;
  virtual void displayChar(ACHAR c) const;

  // The database that the C-level database functions (acdbEntGet, acdbRegApp, ...) work on:
  // the current document's, or null when no drawing is open.
  AcDbDatabase* workingDatabase() const;
  void setWorkingDatabase(AcDbDatabase* pDatabase);
};

// The services in use: the one the host installed, else the default.
ACDB_PORT AcDbHostApplicationServices* acdbHostApplicationServices();
// Installs the host's services (not owned; the host keeps them alive while installed); null
// restores the default. Always eOk.
ACDB_PORT Acad::ErrorStatus acdbSetHostApplicationServices(AcDbHostApplicationServices* services);

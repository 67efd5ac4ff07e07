// The host's AcDbHostApplicationServices: runtime messages (the dynamic linker's, for one) go
// to the command line, as in the host.
#pragma once

#include "dbapserv.h"

class HostServices : public AcDbHostApplicationServices {
 public:
  void displayString(const ACHAR* string, int count) const override;
};

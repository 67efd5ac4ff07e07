// AcRxKernel: the factory of runtime containers (the only way to make an AcRxDictionary).
#pragma once

#include "rxdict.h"

#define ACRX_KERNEL_SERVICES ACRX_T("AcRxKernel")

class ACDB_PORT AcRxKernel : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcRxKernel);
  ~AcRxKernel() override;

  // A new, empty dictionary (the caller deletes it). sorted: kDictSorted iterates by key;
  // ignoreCase: keys compare without case; delObjects: the dictionary deletes what it holds.
  virtual AcRxDictionary* newAcRxDictionary(bool sorted = true, bool ignoreCase = false) = 0;
  virtual AcRxDictionary* newAcRxDictionary(int length, bool delObjects, bool sorted = true,
                                            bool ignoreCase = false) = 0;
};

#define acrxKernel AcRxKernel::cast(acrxSysRegistry()->at(ACRX_KERNEL_SERVICES))

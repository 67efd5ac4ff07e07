// AcRxIterator: the common shape of the host's iterators (done / next / object).
#pragma once

#include "rxobject.h"

class ACDB_PORT AcRxIterator : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcRxIterator);
  ~AcRxIterator() override;

  virtual bool done() const = 0;
  // Moves to the next entry; false when there is none.
  virtual bool next() = 0;
  // The current entry, or null when done.
  virtual AcRxObject* object() const = 0;
};

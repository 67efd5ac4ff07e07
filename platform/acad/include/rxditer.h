// AcRxDictionaryIterator: walks an AcRxDictionary, giving each entry's key and id too.
#pragma once

#include "rxiter.h"

class ACDB_PORT AcRxDictionaryIterator : public AcRxIterator {
 public:
  ACRX_DECLARE_MEMBERS(AcRxDictionaryIterator);
  ~AcRxDictionaryIterator() override;

  // Key and id of the current entry (null and 0 when done).
  virtual const ACHAR* key() const = 0;
  virtual Adesk::UInt32 id() const = 0;
};

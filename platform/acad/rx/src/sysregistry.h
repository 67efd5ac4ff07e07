// The runtime's own access to the dictionaries of the system registry. These never go through
// AcRxDictionary::cast, so they also work while the runtime registers its classes.
#pragma once

#include "rxdict.h"

namespace zacad {

AcRxDictionary& classDictionary();
AcRxDictionary& serviceDictionary();

}  // namespace zacad

// Runtime identity of the abstract container classes; their one implementation is
// zacad::KeyedDictionary.
#include "rxdict.h"
#include "rxkernel.h"

ACRX_NO_CONS_DEFINE_MEMBERS(AcRxIterator, AcRxObject);
ACRX_NO_CONS_DEFINE_MEMBERS(AcRxDictionaryIterator, AcRxIterator);
ACRX_NO_CONS_DEFINE_MEMBERS(AcRxDictionary, AcRxObject);
ACRX_NO_CONS_DEFINE_MEMBERS(AcRxKernel, AcRxObject);

AcRxIterator::~AcRxIterator() = default;
AcRxDictionaryIterator::~AcRxDictionaryIterator() = default;
AcRxDictionary::~AcRxDictionary() = default;
AcRxKernel::~AcRxKernel() = default;

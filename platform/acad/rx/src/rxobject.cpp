#include "rxobject.h"

#include "rxclass.h"

ACRX_NO_CONS_DEFINE_MEMBERS(AcRxObject, );

AcRxObject::AcRxObject() = default;

AcRxObject::~AcRxObject() = default;

bool AcRxObject::isKindOf(const AcRxClass* aClass) const {
  const AcRxClass* cls = isA();
  return cls != nullptr && cls->isDerivedFrom(aClass);
}

AcRxObject* AcRxObject::queryX(const AcRxClass* protocolClass) const {
  AcRxClass* cls = isA();
  return cls == nullptr ? nullptr : cls->queryX(protocolClass);
}

AcRxObject* AcRxObject::clone() const {
  AcRxClass* cls = isA();
  AcRxObject* copy = cls == nullptr ? nullptr : cls->create();
  if (copy != nullptr && copy->copyFrom(this) != Acad::eOk) {
    delete copy;
    return nullptr;
  }
  return copy;
}

Acad::ErrorStatus AcRxObject::copyFrom(const AcRxObject*) {
  return Acad::eNotApplicable;
}

bool AcRxObject::isEqualTo(const AcRxObject* other) const {
  return other == this;
}

AcRx::Ordering AcRxObject::comparedTo(const AcRxObject*) const {
  return AcRx::kNotOrderable;
}

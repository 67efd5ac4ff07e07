// AcRxObject: the root of every runtime class. It knows its class (isA), answers isKindOf
// through the class hierarchy, and can be cloned through its class's pseudo-constructor.
#pragma once

#include "AdAChar.h"
#include "acadstrc.h"
#include "acdbport.h"
#include "adesk.h"
#include "rxboiler.h"
#include "rxdefs.h"

class AcRxClass;

class ACDB_PORT AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcRxObject);

  virtual ~AcRxObject();

  // True when this object's class is aClass or derives from it (false for a null class).
  bool isKindOf(const AcRxClass* aClass) const;

  // The protocol extension object registered for protocolClass on this object's class or its
  // nearest ancestor, or null.
  AcRxObject* queryX(const AcRxClass* protocolClass) const;
  AcRxObject* x(const AcRxClass* protocolClass) const { return queryX(protocolClass); }

  // A new object of the same class, made by the class's pseudo-constructor and filled by
  // copyFrom; null when the class cannot be made by name or the copy is refused.
  virtual AcRxObject* clone() const;

  // Copies other's state into this object. The root has no state of its own to copy, so it
  // answers eNotApplicable; classes with state override it.
  virtual Acad::ErrorStatus copyFrom(const AcRxObject* other);

  // Identity unless a class defines value equality.
  virtual bool isEqualTo(const AcRxObject* other) const;
  virtual AcRx::Ordering comparedTo(const AcRxObject* other) const;

 protected:
  AcRxObject();
  AcRxObject(const AcRxObject&) = default;
  AcRxObject& operator=(const AcRxObject&) = default;
};

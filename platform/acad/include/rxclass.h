// AcRxClass: the runtime description of a class (name, parent, DXF name, owning application,
// pseudo-constructor, protocol extensions). Instances are made by newAcRxClass, never directly,
// and live in the class dictionary (acrxClassDictionary) until deleteAcRxClass.
#pragma once

#include "rxobject.h"

class ACDB_PORT AcRxClass : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcRxClass);

  ~AcRxClass() override;
  AcRxClass(const AcRxClass&) = delete;
  AcRxClass& operator=(const AcRxClass&) = delete;

  // Protocol extensions: an object attached to this class for a protocol class. addX returns
  // the object it replaces and delX the one it removes (the caller owns them); getX looks only
  // here, queryX also in the ancestors.
  AcRxObject* addX(AcRxClass* protocolClass, AcRxObject* protocolObject);
  AcRxObject* getX(const AcRxClass* protocolClass);
  AcRxObject* delX(AcRxClass* protocolClass);
  AcRxObject* queryX(const AcRxClass* protocolClass);

  // A new default instance, or null when the class has no pseudo-constructor.
  AcRxObject* create();

  const ACHAR* name() const;
  // Empty strings when not given at registration.
  const ACHAR* appName() const;
  const ACHAR* dxfName() const;
  void getClassVersion(int& dwgVersion, int& maintenanceVersion) const;
  int proxyFlags() const;

  // True when this class is other or derives from it.
  bool isDerivedFrom(const AcRxClass* other) const;
  // The parent class, or null for a root or a parent not registered yet.
  AcRxClass* myParent() const;

 private:
  AcRxClass();
  friend struct AcRxClassAccess;
  struct Data;
  Data* data_;
};

// Links every registered class to its parent by name.
ACDB_PORT void acrxBuildClassHierarchy();

// Removes a class from the class dictionary and destroys it; its registered children lose their
// parent link until a class of that name is registered again.
ACDB_PORT void deleteAcRxClass(AcRxClass* classObj);

// Boilerplate that gives a class its runtime identity (desc, cast, isA) and registers it in the
// class dictionary. Use ACRX_DECLARE_MEMBERS(Class) in the class body, one of the DEFINE macros
// in one source file, call Class::rxInit() when the application starts (parents first, then
// acrxBuildClassHierarchy()), and deleteAcRxClass(Class::desc()) when it unloads.
#pragma once

#include "AdAChar.h"
#include "acdbport.h"

class AcRxClass;
class AcRxObject;

namespace zacad {
// The class registered under className in the class dictionary, or null (the DEFINE macros
// expand to calls of it).
ACDB_PORT AcRxClass* findRxClass(const ACHAR* className);
}  // namespace zacad

typedef AcRxObject* (*AcRxPseudoConstructor)();

// Registers a class under className, derived from parentClassName (empty or null for a root);
// the parent may be registered later: acrxBuildClassHierarchy links it then. Registering a name
// again updates the existing class (an application loaded anew brings a new constructor) and
// returns it.
ACDB_PORT AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName,
                                  int proxyFlags = 0,
                                  AcRxPseudoConstructor pseudoConstructor = nullptr,
                                  const ACHAR* dxfName = nullptr, const ACHAR* appName = nullptr);
ACDB_PORT AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName,
                                  int dwgVersion, int maintenanceVersion, int proxyFlags = 0,
                                  AcRxPseudoConstructor pseudoConstructor = nullptr,
                                  const ACHAR* dxfName = nullptr, const ACHAR* appName = nullptr);

#define ACRX_DECLARE_MEMBERS(CLASS_NAME)                                         \
  virtual AcRxClass* isA() const;                                                \
  static AcRxClass* gpDesc;                                                      \
  static AcRxClass* desc();                                                      \
  static CLASS_NAME* cast(const AcRxObject* inPtr) {                             \
    return (inPtr == nullptr || !inPtr->isKindOf(CLASS_NAME::desc()))            \
               ? nullptr                                                         \
               : const_cast<CLASS_NAME*>(static_cast<const CLASS_NAME*>(inPtr)); \
  }                                                                              \
  static void rxInit()

// desc() finds the class by name in the class dictionary the first time, then keeps it.
#define ACRX_DEFINE_MEMBERS(CLASS_NAME)                                    \
  AcRxClass* CLASS_NAME::desc() {                                          \
    if (CLASS_NAME::gpDesc != nullptr)                                     \
      return CLASS_NAME::gpDesc;                                           \
    return CLASS_NAME::gpDesc = ::zacad::findRxClass(ACRX_T(#CLASS_NAME)); \
  }                                                                        \
  AcRxClass* CLASS_NAME::isA() const {                                     \
    return CLASS_NAME::desc();                                             \
  }                                                                        \
  AcRxClass* CLASS_NAME::gpDesc = nullptr

// A class that cannot be made by name (abstract, or built only with arguments).
#define ACRX_NO_CONS_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS)                      \
  ACRX_DEFINE_MEMBERS(CLASS_NAME);                                                 \
  void CLASS_NAME::rxInit() {                                                      \
    CLASS_NAME::gpDesc = newAcRxClass(ACRX_T(#CLASS_NAME), ACRX_T(#PARENT_CLASS)); \
  }

// A class whose AcRxClass::create() makes a default-constructed instance.
#define ACRX_CONS_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS, VERNO)                           \
  ACRX_DEFINE_MEMBERS(CLASS_NAME);                                                          \
  static AcRxObject* make##CLASS_NAME() {                                                   \
    return new CLASS_NAME();                                                                \
  }                                                                                         \
  void CLASS_NAME::rxInit() {                                                               \
    CLASS_NAME::gpDesc =                                                                    \
        newAcRxClass(ACRX_T(#CLASS_NAME), ACRX_T(#PARENT_CLASS), VERNO, &make##CLASS_NAME); \
  }

// A class stored in drawings: it also carries its DXF record name and owning application.
#define ACRX_DXF_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS, DWG_VERSION, MAINTENANCE_VERSION,        \
                                PROXY_FLAGS, DXF_NAME, APP)                                        \
  ACRX_DEFINE_MEMBERS(CLASS_NAME);                                                                 \
  static AcRxObject* make##CLASS_NAME() {                                                          \
    return new CLASS_NAME();                                                                       \
  }                                                                                                \
  void CLASS_NAME::rxInit() {                                                                      \
    CLASS_NAME::gpDesc =                                                                           \
        newAcRxClass(ACRX_T(#CLASS_NAME), ACRX_T(#PARENT_CLASS), DWG_VERSION, MAINTENANCE_VERSION, \
                     PROXY_FLAGS, &make##CLASS_NAME, ACRX_T(#DXF_NAME), ACRX_T(#APP));             \
  }

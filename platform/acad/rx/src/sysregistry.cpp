// The system registry and the start-up of the runtime: the dictionaries, the runtime's own
// classes and the services it provides (kernel, dynamic linker). Everything is made on first
// use, so that applications and the host can call in at any time, in any order.
#include "sysregistry.h"

#include "classregistry.h"
#include "dbapserv.h"
#include "dynamiclinker.h"
#include "keyeddictionary.h"
#include "rxdlinkr.h"
#include "rxkernel.h"
#include "rxsrvice.h"

namespace zacad {

namespace {

class Kernel : public AcRxKernel {
 public:
  AcRxDictionary* newAcRxDictionary(bool sorted, bool ignoreCase) override {
    return new KeyedDictionary(sorted, ignoreCase, false);
  }
  AcRxDictionary* newAcRxDictionary(int, bool delObjects, bool sorted, bool ignoreCase) override {
    return new KeyedDictionary(sorted, ignoreCase, delObjects);
  }
};

AcRxObject* makeService() {
  return new AcRxService();
}

struct Runtime {
  AcRxDictionary* registry;
  AcRxDictionary* classes;
  AcRxDictionary* services;
};

// Parents before children, so every class is linked as it is registered.
void registerRuntimeClasses(AcRxDictionary& classes) {
  AcRxObject::gpDesc = registerClass(classes, {u"AcRxObject", nullptr});
  AcRxClass::gpDesc = registerClass(classes, {u"AcRxClass", u"AcRxObject"});
  AcRxDictionary::gpDesc = registerClass(classes, {u"AcRxDictionary", u"AcRxObject"});
  AcRxIterator::gpDesc = registerClass(classes, {u"AcRxIterator", u"AcRxObject"});
  AcRxDictionaryIterator::gpDesc =
      registerClass(classes, {u"AcRxDictionaryIterator", u"AcRxIterator"});
  AcRxKernel::gpDesc = registerClass(classes, {u"AcRxKernel", u"AcRxObject"});
  ClassDescription service{u"AcRxService", u"AcRxObject"};
  service.constructor = &makeService;
  AcRxService::gpDesc = registerClass(classes, service);
  AcRxDynamicLinker::gpDesc = registerClass(classes, {u"AcRxDynamicLinker", u"AcRxObject"});
  AcDbHostApplicationServices::gpDesc =
      registerClass(classes, {u"AcDbHostApplicationServices", u"AcRxObject"});
}

Runtime startRuntime() {
  Runtime runtime{new KeyedDictionary(true, false, false), new KeyedDictionary(true, false, false),
                  new KeyedDictionary(true, false, false)};
  registerRuntimeClasses(*runtime.classes);
  runtime.registry->atPut(ACRX_CLASS_DICTIONARY, runtime.classes);
  runtime.registry->atPut(ACRX_SERVICE_DICTIONARY, runtime.services);
  runtime.registry->atPut(ACRX_KERNEL_SERVICES, new Kernel());
  runtime.registry->atPut(ACRX_DYNAMIC_LINKER, new DynamicLinker());
  return runtime;
}

// The runtime lives as long as the process: applications may still reach it while the host
// unloads them at exit.
const Runtime& runtime() {
  static const Runtime instance = startRuntime();
  return instance;
}

}  // namespace

AcRxDictionary& classDictionary() {
  return *runtime().classes;
}
AcRxDictionary& serviceDictionary() {
  return *runtime().services;
}

}  // namespace zacad

AcRxDictionary* acrxSysRegistry() {
  return zacad::runtime().registry;
}

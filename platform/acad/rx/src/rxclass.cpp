// Runtime classes: their description, the class dictionary's registration rules and the links
// from each class to its parent.
#include "rxclass.h"

#include <map>
#include <string>

#include "classregistry.h"
#include "rxdict.h"
#include "sysregistry.h"

struct AcRxClass::Data {
  std::u16string name;
  std::u16string parentName;
  std::u16string dxfName;
  std::u16string appName;
  AcRxClass* parent = nullptr;
  int dwgVersion = 0;
  int maintenanceVersion = 0;
  int proxyFlags = 0;
  AcRxPseudoConstructor constructor = nullptr;
  std::map<const AcRxClass*, AcRxObject*> extensions;
};

// The registration code's access to AcRxClass's private parts (its constructor is private so
// that classes are only made through newAcRxClass).
struct AcRxClassAccess {
  static AcRxClass* make() { return new AcRxClass(); }
  static AcRxClass::Data& data(AcRxClass* cls) { return *cls->data_; }
};

ACRX_NO_CONS_DEFINE_MEMBERS(AcRxClass, AcRxObject);

AcRxClass::AcRxClass() : data_(new Data) {}

AcRxClass::~AcRxClass() {
  delete data_;
}

AcRxObject* AcRxClass::addX(AcRxClass* protocolClass, AcRxObject* protocolObject) {
  if (protocolClass == nullptr || protocolObject == nullptr)
    return nullptr;
  AcRxObject*& slot = data_->extensions[protocolClass];
  AcRxObject* replaced = slot;
  slot = protocolObject;
  return replaced;
}

AcRxObject* AcRxClass::getX(const AcRxClass* protocolClass) {
  auto found = data_->extensions.find(protocolClass);
  return found == data_->extensions.end() ? nullptr : found->second;
}

AcRxObject* AcRxClass::delX(AcRxClass* protocolClass) {
  auto found = data_->extensions.find(protocolClass);
  if (found == data_->extensions.end())
    return nullptr;
  AcRxObject* removed = found->second;
  data_->extensions.erase(found);
  return removed;
}

AcRxObject* AcRxClass::queryX(const AcRxClass* protocolClass) {
  for (AcRxClass* cls = this; cls != nullptr; cls = cls->myParent()) {
    if (AcRxObject* x = cls->getX(protocolClass))
      return x;
  }
  return nullptr;
}

AcRxObject* AcRxClass::create() {
  return data_->constructor == nullptr ? nullptr : data_->constructor();
}

const ACHAR* AcRxClass::name() const {
  return data_->name.c_str();
}
const ACHAR* AcRxClass::appName() const {
  return data_->appName.c_str();
}
const ACHAR* AcRxClass::dxfName() const {
  return data_->dxfName.c_str();
}

void AcRxClass::getClassVersion(int& dwgVersion, int& maintenanceVersion) const {
  dwgVersion = data_->dwgVersion;
  maintenanceVersion = data_->maintenanceVersion;
}

int AcRxClass::proxyFlags() const {
  return data_->proxyFlags;
}

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const {
  if (other == nullptr)
    return false;
  // Applications ask for every object they visit: the chain is walked without calls.
  for (const AcRxClass* cls = this; cls != nullptr; cls = cls->data_->parent) {
    if (cls == other)
      return true;
  }
  return false;
}

AcRxClass* AcRxClass::myParent() const {
  return data_->parent;
}

namespace zacad {

namespace {

// dynamic_cast, not cast(): cast() asks AcRxClass::desc(), which is not set yet while the runtime
// registers its own classes.
AcRxClass* asClass(AcRxObject* object) {
  return dynamic_cast<AcRxClass*>(object);
}

AcRxClass* classAt(const AcRxDictionary& classes, const std::u16string& name) {
  return name.empty() ? nullptr : asClass(classes.at(name.c_str()));
}

void forEachClass(AcRxDictionary& classes, auto&& visit) {
  AcRxDictionaryIterator* it = classes.newIterator(AcRx::kDictCollated);
  for (; !it->done(); it->next()) {
    if (AcRxClass* cls = asClass(it->object()))
      visit(cls);
  }
  delete it;
}

}  // namespace

AcRxClass* registerClass(AcRxDictionary& classes, const ClassDescription& description) {
  if (description.name == nullptr || description.name[0] == 0)
    return nullptr;
  AcRxClass* cls = asClass(classes.at(description.name));
  if (cls == nullptr) {
    cls = AcRxClassAccess::make();
    classes.atPut(description.name, cls);
  }
  auto& data = AcRxClassAccess::data(cls);
  data.name = description.name;
  data.parentName = description.parentName == nullptr ? u"" : description.parentName;
  data.dxfName = description.dxfName == nullptr ? u"" : description.dxfName;
  data.appName = description.appName == nullptr ? u"" : description.appName;
  data.dwgVersion = description.dwgVersion;
  data.maintenanceVersion = description.maintenanceVersion;
  data.proxyFlags = description.proxyFlags;
  data.constructor = description.constructor;
  data.parent = classAt(classes, data.parentName);
  // Children registered before their parent get it now.
  forEachClass(classes, [&](AcRxClass* child) {
    auto& childData = AcRxClassAccess::data(child);
    if (childData.parent == nullptr && childData.parentName == data.name)
      childData.parent = cls;
  });
  return cls;
}

}  // namespace zacad

AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int proxyFlags,
                        AcRxPseudoConstructor pseudoConstructor, const ACHAR* dxfName,
                        const ACHAR* appName) {
  return newAcRxClass(className, parentClassName, 0, 0, proxyFlags, pseudoConstructor, dxfName,
                      appName);
}

AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int dwgVersion,
                        int maintenanceVersion, int proxyFlags,
                        AcRxPseudoConstructor pseudoConstructor, const ACHAR* dxfName,
                        const ACHAR* appName) {
  return zacad::registerClass(zacad::classDictionary(),
                              {className, parentClassName, dwgVersion, maintenanceVersion,
                               proxyFlags, pseudoConstructor, dxfName, appName});
}

void acrxBuildClassHierarchy() {
  AcRxDictionary& classes = zacad::classDictionary();
  zacad::forEachClass(classes, [&](AcRxClass* cls) {
    auto& data = AcRxClassAccess::data(cls);
    data.parent = zacad::classAt(classes, data.parentName);
  });
}

void deleteAcRxClass(AcRxClass* classObj) {
  if (classObj == nullptr)
    return;
  AcRxDictionary& classes = zacad::classDictionary();
  if (classes.at(classObj->name()) == classObj)
    classes.remove(classObj->name());
  zacad::forEachClass(classes, [&](AcRxClass* cls) {
    auto& data = AcRxClassAccess::data(cls);
    if (data.parent == classObj)
      data.parent = nullptr;
  });
  delete classObj;
}

namespace zacad {
AcRxClass* findRxClass(const ACHAR* className) {
  return className == nullptr ? nullptr : asClass(classDictionary().at(className));
}
}  // namespace zacad

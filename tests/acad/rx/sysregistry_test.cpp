// The system registry, its dictionaries and services, and dictionaries made by the kernel.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "rxclass.h"
#include "rxdlinkr.h"
#include "rxkernel.h"
#include "rxregsvc.h"
#include "zwin32/utf.h"

namespace {

// Counts destructions, to see which dictionaries delete what they hold.
class Counted : public AcRxObject {
 public:
  explicit Counted(int* destroyed) : destroyed_(destroyed) {}
  ~Counted() override { ++*destroyed_; }
  AcRxClass* isA() const override { return AcRxObject::desc(); }

 private:
  int* destroyed_;
};

std::vector<std::u16string> keysOf(AcRxDictionary& dictionary, AcRx::DictIterType type) {
  std::vector<std::u16string> keys;
  std::unique_ptr<AcRxDictionaryIterator> it(dictionary.newIterator(type));
  for (; !it->done(); it->next())
    keys.emplace_back(it->key());
  return keys;
}

TEST(SystemRegistry, HoldsTheRuntimeDictionariesAndServices) {
  AcRxDictionary* registry = acrxSysRegistry();
  ASSERT_NE(registry, nullptr);
  EXPECT_EQ(registry, acrxSysRegistry());
  ASSERT_NE(acrxClassDictionary, nullptr);
  ASSERT_NE(acrxServiceDictionary, nullptr);
  EXPECT_NE(acrxKernel, nullptr);
  ASSERT_NE(acrxDynamicLinker, nullptr);
  EXPECT_TRUE(acrxDynamicLinker->isKindOf(AcRxDynamicLinker::desc()));
  EXPECT_EQ(registry->at(u"DynamicLinker"), acrxDynamicLinker);

  for (const char16_t* name : {u"AcRxObject", u"AcRxClass", u"AcRxDictionary", u"AcRxService",
                               u"AcRxDynamicLinker", u"AcDbHostApplicationServices"}) {
    AcRxClass* cls = AcRxClass::cast(acrxClassDictionary->at(name));
    ASSERT_NE(cls, nullptr) << zwin32::ToUtf8(name);
    EXPECT_TRUE(cls->isDerivedFrom(AcRxObject::desc()));
  }
  EXPECT_TRUE(acrxClassDictionary->isKindOf(AcRxDictionary::desc()));
  EXPECT_EQ(AcRxDictionary::desc()->myParent(), AcRxObject::desc());
}

TEST(SystemRegistry, ServicesAreRegisteredOnce) {
  EXPECT_EQ(acrxServiceIsRegistered(u"RxTestService"), 0);
  AcRxObject* service = acrxRegisterService(u"RxTestService");
  ASSERT_NE(service, nullptr);
  EXPECT_TRUE(service->isKindOf(AcRxService::desc()));
  EXPECT_NE(acrxServiceIsRegistered(u"RxTestService"), 0);
  EXPECT_EQ(acrxRegisterService(u"RxTestService"), service);
  EXPECT_EQ(acrxRegisterService(u""), nullptr);

  AcRxService own;
  EXPECT_FALSE(acrxDynamicLinker->registerService(u"RxTestService", &own));  // name taken
  EXPECT_EQ(acrxServiceDictionary->remove(u"RxTestService"), service);
  delete service;
  EXPECT_EQ(acrxServiceIsRegistered(u"RxTestService"), 0);

  EXPECT_TRUE(own.unloadable());
  own.addDependency();
  EXPECT_FALSE(own.unloadable());
  own.removeDependency();
  own.removeDependency();  // never below zero
  EXPECT_EQ(own.dependencyCount(), 0);
}

TEST(KernelDictionary, KeysIdsAndIteration) {
  std::unique_ptr<AcRxDictionary> dict(acrxKernel->newAcRxDictionary());
  AcRxService a, b, c;
  Adesk::UInt32 idC = 99, idA = 99;
  dict->atPut(u"charlie", &c, idC);
  dict->atPut(u"alpha", &a, idA);
  dict->atPut(u"bravo", &b);
  EXPECT_EQ(dict->numEntries(), 3u);
  EXPECT_EQ(idC, 0u);
  EXPECT_EQ(idA, 1u);
  EXPECT_EQ(dict->at(u"alpha"), &a);
  EXPECT_EQ(dict->at(idC), &c);
  EXPECT_EQ(dict->at(u"ALPHA"), nullptr);  // case-sensitive by default
  EXPECT_EQ(std::u16string(dict->keyAt(idA)), u"alpha");
  EXPECT_EQ(dict->idAt(u"missing"), 0xFFFFFFFFu);

  EXPECT_EQ(keysOf(*dict, AcRx::kDictSorted),
            (std::vector<std::u16string>{u"alpha", u"bravo", u"charlie"}));
  EXPECT_EQ(keysOf(*dict, AcRx::kDictCollated),
            (std::vector<std::u16string>{u"charlie", u"alpha", u"bravo"}));

  // Replacing keeps the id and hands back the old object (this dictionary does not own it).
  AcRxService a2;
  Adesk::UInt32 replacedId = 0;
  EXPECT_EQ(dict->atPut(u"alpha", &a2, replacedId), &a);
  EXPECT_EQ(replacedId, idA);

  EXPECT_TRUE(dict->resetKey(u"alpha", u"delta"));
  EXPECT_FALSE(dict->resetKey(u"delta", u"bravo"));  // taken
  EXPECT_FALSE(dict->has(u"alpha"));
  EXPECT_EQ(dict->at(u"delta"), &a2);
  EXPECT_FALSE(dict->atKeyAndIdPut(u"echo", idC, &a));  // id taken
  EXPECT_TRUE(dict->atKeyAndIdPut(u"echo", 40, &a));
  EXPECT_EQ(dict->at(40), &a);

  // An entry removed during iteration is skipped.
  std::unique_ptr<AcRxDictionaryIterator> it(dict->newIterator(AcRx::kDictSorted));
  ASSERT_EQ(std::u16string(it->key()), u"bravo");
  EXPECT_EQ(dict->remove(u"charlie"), &c);
  std::vector<std::u16string> rest;
  for (it->next(); !it->done(); it->next())
    rest.emplace_back(it->key());
  EXPECT_EQ(rest, (std::vector<std::u16string>{u"delta", u"echo"}));
  EXPECT_EQ(it->object(), nullptr);
  EXPECT_FALSE(it->next());

  EXPECT_EQ(dict->remove(u"charlie"), nullptr);
  EXPECT_EQ(dict->atPut(nullptr, &a), nullptr);
  EXPECT_EQ(dict->atPut(u"null", nullptr), nullptr);
  EXPECT_FALSE(dict->has(u"null"));
}

TEST(KernelDictionary, CaseInsensitiveAndOwning) {
  int destroyed = 0;
  {
    std::unique_ptr<AcRxDictionary> dict(acrxKernel->newAcRxDictionary(0, true, true, true));
    EXPECT_TRUE(dict->deletesObjects());
    EXPECT_FALSE(dict->isCaseSensitive());
    dict->atPut(u"Layer", new Counted(&destroyed));
    EXPECT_NE(dict->at(u"LAYER"), nullptr);
    EXPECT_EQ(dict->atPut(u"layer", new Counted(&destroyed)), nullptr);  // old one deleted
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(dict->numEntries(), 1u);
    EXPECT_EQ(dict->remove(u"LaYeR"), nullptr);
    EXPECT_EQ(destroyed, 2);
    dict->atPut(u"kept", new Counted(&destroyed));
  }
  EXPECT_EQ(destroyed, 3);  // the dictionary deletes what it still holds
}

TEST(ErrorStatus, NamesAndNumbers) {
  EXPECT_EQ(Acad::eInvalidInput, 3);
  EXPECT_EQ(Acad::eNoDocument, 330);
  EXPECT_EQ(std::u16string(acadErrorStatusText(Acad::eKeyNotFound)), u"eKeyNotFound");
  EXPECT_EQ(std::u16string(acadErrorStatusText(static_cast<Acad::ErrorStatus>(9999))),
            u"Unknown ErrorStatus");
  EXPECT_EQ(AcRx::kSuspendMsg, 16);
  EXPECT_EQ(AcadApp::kTransparentlyLoadable, 0x20);
}

}  // namespace

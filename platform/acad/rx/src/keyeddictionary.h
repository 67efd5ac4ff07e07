// The one concrete AcRxDictionary: entries by key (case-sensitive or not) and by id, iterated by
// key or by id.
#pragma once

#include <map>
#include <string>

#include "rxdict.h"

namespace zacad {

class KeyedDictionary : public AcRxDictionary {
 public:
  KeyedDictionary(bool sorted, bool ignoreCase, bool deletesObjects);
  ~KeyedDictionary() override;

  AcRxObject* at(const ACHAR* key) const override;
  AcRxObject* at(Adesk::UInt32 id) const override;
  using AcRxDictionary::atPut;
  AcRxObject* atPut(const ACHAR* key, AcRxObject* pObject, Adesk::UInt32& retId) override;
  bool resetKey(const ACHAR* oldKey, const ACHAR* newKey) override;
  bool resetKey(Adesk::UInt32 id, const ACHAR* newKey) override;
  bool atKeyAndIdPut(const ACHAR* newKey, Adesk::UInt32 id, AcRxObject* pObject) override;
  AcRxObject* remove(const ACHAR* key) override;
  AcRxObject* remove(Adesk::UInt32 id) override;
  bool has(const ACHAR* entryName) const override;
  bool has(Adesk::UInt32 id) const override;
  Adesk::UInt32 idAt(const ACHAR* key) const override;
  const ACHAR* keyAt(Adesk::UInt32 id) const override;
  Adesk::UInt32 numEntries() const override;
  AcRxDictionaryIterator* newIterator(AcRx::DictIterType type) override;
  bool deletesObjects() const override { return deletesObjects_; }
  bool isCaseSensitive() const override { return !ignoreCase_; }
  bool isSorted() const override { return sorted_; }

  struct Entry {
    std::u16string key;
    AcRxObject* object;
  };
  // Entries by id, for the iterator.
  const std::map<Adesk::UInt32, Entry>& entries() const { return byId_; }

 private:
  struct KeyLess {
    bool ignoreCase;
    bool operator()(const std::u16string& a, const std::u16string& b) const;
  };

  // Gives up an object leaving the dictionary: deleted when the dictionary owns its objects.
  AcRxObject* release(AcRxObject* object);
  AcRxObject* removeEntry(std::map<Adesk::UInt32, Entry>::iterator entry);

  bool sorted_;
  bool ignoreCase_;
  bool deletesObjects_;
  Adesk::UInt32 nextId_ = 0;
  std::map<Adesk::UInt32, Entry> byId_;
  std::map<std::u16string, Adesk::UInt32, KeyLess> byKey_;
};

}  // namespace zacad

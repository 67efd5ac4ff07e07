#include "keyeddictionary.h"

#include <algorithm>
#include <vector>

#include "textcase.h"

namespace zacad {

namespace {

constexpr Adesk::UInt32 kNoId = 0xFFFFFFFF;

// Walks a snapshot of the ids taken when it was made, so entries removed meanwhile are skipped
// and entries added meanwhile are not visited.
class KeyedDictionaryIterator : public AcRxDictionaryIterator {
 public:
  KeyedDictionaryIterator(const KeyedDictionary& dictionary, AcRx::DictIterType type)
      : dictionary_(dictionary) {
    for (const auto& [id, entry] : dictionary.entries())
      ids_.push_back(id);
    if (type == AcRx::kDictSorted && dictionary.isSorted()) {
      std::stable_sort(ids_.begin(), ids_.end(), [&](Adesk::UInt32 a, Adesk::UInt32 b) {
        return before(dictionary.entries().at(a).key, dictionary.entries().at(b).key);
      });
    }
    skipRemoved();
  }

  bool done() const override { return position_ >= ids_.size(); }
  bool next() override {
    if (done())
      return false;
    ++position_;
    skipRemoved();
    return !done();
  }
  AcRxObject* object() const override {
    const KeyedDictionary::Entry* e = current();
    return e ? e->object : nullptr;
  }
  const ACHAR* key() const override {
    const KeyedDictionary::Entry* e = current();
    return e ? e->key.c_str() : nullptr;
  }
  Adesk::UInt32 id() const override { return done() ? 0 : ids_[position_]; }

 private:
  bool before(const std::u16string& a, const std::u16string& b) const {
    return dictionary_.isCaseSensitive() ? a < b : foldCase(a) < foldCase(b);
  }
  const KeyedDictionary::Entry* current() const {
    if (done())
      return nullptr;
    auto found = dictionary_.entries().find(ids_[position_]);
    return found == dictionary_.entries().end() ? nullptr : &found->second;
  }
  void skipRemoved() {
    while (!done() && !dictionary_.entries().contains(ids_[position_]))
      ++position_;
  }

  const KeyedDictionary& dictionary_;
  std::vector<Adesk::UInt32> ids_;
  size_t position_ = 0;
};

}  // namespace

bool KeyedDictionary::KeyLess::operator()(const std::u16string& a, const std::u16string& b) const {
  if (!ignoreCase)
    return a < b;
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](char16_t x, char16_t y) { return foldCase(x) < foldCase(y); });
}

KeyedDictionary::KeyedDictionary(bool sorted, bool ignoreCase, bool deletesObjects)
    : sorted_(sorted),
      ignoreCase_(ignoreCase),
      deletesObjects_(deletesObjects),
      byKey_(KeyLess{ignoreCase}) {}

KeyedDictionary::~KeyedDictionary() {
  if (deletesObjects_) {
    for (auto& [id, entry] : byId_)
      delete entry.object;
  }
}

AcRxObject* KeyedDictionary::at(const ACHAR* key) const {
  if (key == nullptr)
    return nullptr;
  auto found = byKey_.find(key);
  return found == byKey_.end() ? nullptr : byId_.at(found->second).object;
}

AcRxObject* KeyedDictionary::at(Adesk::UInt32 id) const {
  auto found = byId_.find(id);
  return found == byId_.end() ? nullptr : found->second.object;
}

AcRxObject* KeyedDictionary::release(AcRxObject* object) {
  if (!deletesObjects_)
    return object;
  delete object;
  return nullptr;
}

AcRxObject* KeyedDictionary::atPut(const ACHAR* key, AcRxObject* pObject, Adesk::UInt32& retId) {
  if (key == nullptr || pObject == nullptr)
    return nullptr;
  auto found = byKey_.find(key);
  if (found != byKey_.end()) {
    retId = found->second;
    Entry& entry = byId_.at(found->second);
    AcRxObject* replaced = entry.object;
    entry.object = pObject;
    return replaced == pObject ? nullptr : release(replaced);
  }
  while (byId_.contains(nextId_))
    ++nextId_;
  retId = nextId_++;
  byId_.emplace(retId, Entry{key, pObject});
  byKey_.emplace(key, retId);
  return nullptr;
}

bool KeyedDictionary::resetKey(const ACHAR* oldKey, const ACHAR* newKey) {
  if (oldKey == nullptr)
    return false;
  auto found = byKey_.find(oldKey);
  return found != byKey_.end() && resetKey(found->second, newKey);
}

bool KeyedDictionary::resetKey(Adesk::UInt32 id, const ACHAR* newKey) {
  auto entry = byId_.find(id);
  if (entry == byId_.end() || newKey == nullptr)
    return false;
  auto taken = byKey_.find(newKey);
  if (taken != byKey_.end() && taken->second != id)
    return false;
  byKey_.erase(entry->second.key);
  entry->second.key = newKey;
  byKey_.emplace(newKey, id);
  return true;
}

bool KeyedDictionary::atKeyAndIdPut(const ACHAR* newKey, Adesk::UInt32 id, AcRxObject* pObject) {
  if (newKey == nullptr || pObject == nullptr || id == kNoId)
    return false;
  if (byKey_.contains(newKey) || byId_.contains(id))
    return false;
  byId_.emplace(id, Entry{newKey, pObject});
  byKey_.emplace(newKey, id);
  return true;
}

AcRxObject* KeyedDictionary::removeEntry(std::map<Adesk::UInt32, Entry>::iterator entry) {
  AcRxObject* object = entry->second.object;
  byKey_.erase(entry->second.key);
  byId_.erase(entry);
  return release(object);
}

AcRxObject* KeyedDictionary::remove(const ACHAR* key) {
  if (key == nullptr)
    return nullptr;
  auto found = byKey_.find(key);
  return found == byKey_.end() ? nullptr : removeEntry(byId_.find(found->second));
}

AcRxObject* KeyedDictionary::remove(Adesk::UInt32 id) {
  auto entry = byId_.find(id);
  return entry == byId_.end() ? nullptr : removeEntry(entry);
}

bool KeyedDictionary::has(const ACHAR* entryName) const {
  return entryName != nullptr && byKey_.contains(entryName);
}

bool KeyedDictionary::has(Adesk::UInt32 id) const {
  return byId_.contains(id);
}

Adesk::UInt32 KeyedDictionary::idAt(const ACHAR* key) const {
  if (key == nullptr)
    return kNoId;
  auto found = byKey_.find(key);
  return found == byKey_.end() ? kNoId : found->second;
}

const ACHAR* KeyedDictionary::keyAt(Adesk::UInt32 id) const {
  auto entry = byId_.find(id);
  return entry == byId_.end() ? nullptr : entry->second.key.c_str();
}

Adesk::UInt32 KeyedDictionary::numEntries() const {
  return static_cast<Adesk::UInt32>(byId_.size());
}

AcRxDictionaryIterator* KeyedDictionary::newIterator(AcRx::DictIterType type) {
  return new KeyedDictionaryIterator(*this, type);
}

}  // namespace zacad

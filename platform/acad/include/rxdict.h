// AcRxDictionary: objects filed under a string key and a 32-bit id. The system registry, the
// class dictionary and the service dictionary are dictionaries; acrxKernel->newAcRxDictionary
// makes new ones. Neither keys nor objects may be null.
#pragma once

#include "rxditer.h"
#include "rxobject.h"

// Keys of the system registry (acrxSysRegistry()).
#define ACRX_CLASS_DICTIONARY ACRX_T("ClassDictionary")
#define ACRX_SERVICE_DICTIONARY ACRX_T("ServiceDictionary")

class ACDB_PORT AcRxDictionary : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcRxDictionary);
  ~AcRxDictionary() override;

  // The object under key or id, or null.
  virtual AcRxObject* at(const ACHAR* key) const = 0;
  virtual AcRxObject* at(Adesk::UInt32 id) const = 0;

  // Files pObject under key (replacing an entry of that key, which keeps its id) and gives the
  // entry's id. Returns the replaced object when the dictionary does not delete its objects,
  // else null (the replaced object is deleted). A null key or object changes nothing.
  AcRxObject* atPut(const ACHAR* key, AcRxObject* pObject) {
    Adesk::UInt32 id = 0;
    return atPut(key, pObject, id);
  }
  virtual AcRxObject* atPut(const ACHAR* key, AcRxObject* pObject, Adesk::UInt32& retId) = 0;

  // Renames an entry; false when it does not exist or newKey is taken.
  virtual bool resetKey(const ACHAR* oldKey, const ACHAR* newKey) = 0;
  virtual bool resetKey(Adesk::UInt32 id, const ACHAR* newKey) = 0;

  // Files pObject under both newKey and id; false when either is already taken.
  virtual bool atKeyAndIdPut(const ACHAR* newKey, Adesk::UInt32 id, AcRxObject* pObject) = 0;

  // Takes an entry out. Returns its object when the dictionary does not delete its objects
  // (the caller owns it then), else null; null too when there was no such entry.
  virtual AcRxObject* remove(const ACHAR* key) = 0;
  virtual AcRxObject* remove(Adesk::UInt32 id) = 0;

  virtual bool has(const ACHAR* entryName) const = 0;
  virtual bool has(Adesk::UInt32 id) const = 0;

  // The id of key (0xFFFFFFFF when absent) and the key of id (null when absent).
  virtual Adesk::UInt32 idAt(const ACHAR* key) const = 0;
  virtual const ACHAR* keyAt(Adesk::UInt32 id) const = 0;

  virtual Adesk::UInt32 numEntries() const = 0;

  // A new iterator (the caller deletes it). Entries removed while it runs are skipped.
  virtual AcRxDictionaryIterator* newIterator(AcRx::DictIterType type = AcRx::kDictSorted) = 0;

  virtual bool deletesObjects() const = 0;
  virtual bool isCaseSensitive() const = 0;
  virtual bool isSorted() const = 0;
};

// The system registry: the dictionary that holds the class and service dictionaries and the
// host's services (dynamic linker, command stack, editor, ...).
ACDB_PORT AcRxDictionary* acrxSysRegistry();

#define acrxClassDictionary AcRxDictionary::cast(acrxSysRegistry()->at(ACRX_CLASS_DICTIONARY))
#define acrxServiceDictionary AcRxDictionary::cast(acrxSysRegistry()->at(ACRX_SERVICE_DICTIONARY))

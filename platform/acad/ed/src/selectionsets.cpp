// Selection sets by name: acedSSAdd, acedSSDel, acedSSMemb, acedSSLength, acedSSName,
// acedSSFree, and the pick-first set (acedSSSetFirst, acedSSGetFirst).
#include "selectionsets.h"

#include <algorithm>
#include <map>
#include <memory>

#include "acedads.h"
#include "acutads.h"

namespace zacad {
namespace {

// Marks the second word of a set's name, so that an entity name is never taken for a set.
constexpr int64_t kSetTag = 0x5353;

std::map<int64_t, std::shared_ptr<Members>>& Sets() {
  static std::map<int64_t, std::shared_ptr<Members>> sets;
  return sets;
}

// The members of a live set to change, no longer shared with anything else; null for a freed or
// unknown name.
Members* ChangeSelectionSet(const ads_name ss) {
  if (ss == nullptr || ss[1] != kSetTag)
    return nullptr;
  auto it = Sets().find(ss[0]);
  if (it == Sets().end())
    return nullptr;
  if (it->second.use_count() > 1)
    it->second = std::make_shared<Members>(*it->second);
  return it->second.get();
}

// Serial numbers are never reused, so a freed set's name stays invalid.
int64_t gLastSerial = 0;

}  // namespace

EntityName ToEntity(const ads_name name) {
  return {name[0], name[1]};
}

bool NewSelectionSet(std::shared_ptr<Members> members, ads_name ss) {
  ads_name_clear(ss);
  if (Sets().size() >= kMaxSelectionSets)
    return false;
  ss[0] = ++gLastSerial;
  ss[1] = kSetTag;
  Sets()[ss[0]] = std::move(members);
  return true;
}

const Members* FindSelectionSet(const ads_name ss) {
  if (ss == nullptr || ss[1] != kSetTag)
    return nullptr;
  auto it = Sets().find(ss[0]);
  return it == Sets().end() ? nullptr : it->second.get();
}

Members& PickFirst() {
  static Members pickFirst;
  return pickFirst;
}

SharedMembers& Previous(const void* drawing) {
  static std::map<const void*, SharedMembers> previous;
  return previous[drawing];
}

}  // namespace zacad

using zacad::FindSelectionSet;
using zacad::Members;

int acedSSFree(const ads_name sname) {
  if (FindSelectionSet(sname) == nullptr)
    return RTERROR;
  zacad::Sets().erase(sname[0]);
  return RTNORM;
}

int acedSSLength(const ads_name sname, long* len) {
  const Members* set = FindSelectionSet(sname);
  if (set == nullptr || len == nullptr)
    return RTERROR;
  *len = static_cast<long>(set->size());
  return RTNORM;
}

int acedSSName(const ads_name ss, long i, ads_name entres) {
  const Members* set = FindSelectionSet(ss);
  if (set == nullptr || entres == nullptr || i < 0 || static_cast<size_t>(i) >= set->size())
    return RTERROR;
  entres[0] = (*set)[i][0];
  entres[1] = (*set)[i][1];
  return RTNORM;
}

int acedSSAdd(const ads_name ename, const ads_name sname, ads_name result) {
  if (result == nullptr)
    return RTERROR;
  const bool named = ename != nullptr && !ads_name_nil(ename);
  if (sname == nullptr || ads_name_nil(sname)) {
    // No set: a new one, empty or holding the entity.
    Members members;
    if (named)
      members.push_back(zacad::ToEntity(ename));
    return zacad::NewSelectionSet(std::make_shared<Members>(std::move(members)), result) ? RTNORM
                                                                                         : RTERROR;
  }
  const Members* set = FindSelectionSet(sname);
  if (set == nullptr)
    return RTERROR;
  if (named && std::find(set->begin(), set->end(), zacad::ToEntity(ename)) == set->end())
    zacad::ChangeSelectionSet(sname)->push_back(zacad::ToEntity(ename));
  ads_name_set(sname, result);
  return RTNORM;
}

int acedSSDel(const ads_name ename, const ads_name ss) {
  const Members* set = FindSelectionSet(ss);
  if (set == nullptr || ename == nullptr)
    return RTERROR;
  const auto at = std::find(set->begin(), set->end(), zacad::ToEntity(ename));
  if (at == set->end())
    return RTERROR;
  const auto place = at - set->begin();
  Members* own = zacad::ChangeSelectionSet(ss);
  own->erase(own->begin() + place);
  return RTNORM;
}

int acedSSMemb(const ads_name ename, const ads_name ss) {
  const Members* set = FindSelectionSet(ss);
  if (set == nullptr || ename == nullptr)
    return RTERROR;
  return std::find(set->begin(), set->end(), zacad::ToEntity(ename)) == set->end() ? RTERROR
                                                                                   : RTNORM;
}

int acedSSSetFirst(const ads_name pset, const ads_name unused) {
  (void)unused;
  if (pset == nullptr || ads_name_nil(pset)) {
    zacad::PickFirst().clear();
    return RTNORM;
  }
  const Members* set = FindSelectionSet(pset);
  if (set == nullptr)
    return RTERROR;
  zacad::PickFirst() = *set;
  return RTNORM;
}

int acedSSGetFirst(struct resbuf** gset, struct resbuf** pset) {
  // This host has no grips: the gripped set is always empty.
  if (gset != nullptr)
    *gset = acutNewRb(RTNIL);
  if (pset == nullptr)
    return RTNORM;
  *pset = nullptr;
  if (zacad::PickFirst().empty()) {
    *pset = acutNewRb(RTNIL);
    return RTNORM;
  }
  ads_name ss;
  if (!zacad::NewSelectionSet(std::make_shared<Members>(zacad::PickFirst()), ss))
    return RTERROR;
  *pset = acutNewRb(RTPICKS);
  ads_name_set(ss, (*pset)->resval.rlname);
  return RTNORM;
}

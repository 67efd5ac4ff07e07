// The system variable table. Each entry is typed, as in the host: a 16-bit integer with its
// allowed range, or a 3D point; acedSetVar refuses a value of the wrong type or range.
#include "sysvars.h"

#include <string>
#include <string_view>

#include "acedads.h"
#include "zacad/commandline.h"

namespace zacad {
namespace {

struct Variable {
  const char16_t* name;
  short restype;  // RTSHORT or RT3DPOINT
  short low;
  short high;
  short value;
  Point3 point;
};

// PICKBOX is the half size of the pick aperture in pixels (see PickAperture).
Variable gVariables[] = {
    {u"LASTPOINT", RT3DPOINT, 0, 0, 0, {0, 0, 0}},
    {u"PICKAUTO", RTSHORT, 0, 7, 1, {}},
    {u"PICKBOX", RTSHORT, 0, 50, 3, {}},
    {u"PICKFIRST", RTSHORT, 0, 1, 1, {}},
};

char16_t Upper(char16_t c) {
  return (c >= u'a' && c <= u'z') ? char16_t(c - (u'a' - u'A')) : c;
}

Variable* Find(std::u16string_view name) {
  for (Variable& variable : gVariables) {
    std::u16string_view known(variable.name);
    if (known.size() != name.size())
      continue;
    bool same = true;
    for (size_t i = 0; i < name.size() && same; ++i)
      same = known[i] == Upper(name[i]);
    if (same)
      return &variable;
  }
  return nullptr;
}

}  // namespace

int IntVar(const char16_t* name) {
  Variable* variable = Find(name);
  return variable == nullptr ? 0 : variable->value;
}

double PickAperture() {
  const InputSource* source = CommandLine::instance().source();
  return IntVar(u"PICKBOX") * (source != nullptr ? source->pixelSize() : 1.0);
}

Point3 LastPoint() {
  return Find(u"LASTPOINT")->point;
}

void SetLastPoint(const Point3& point) {
  Find(u"LASTPOINT")->point = point;
}

}  // namespace zacad

int acedGetVar(const ACHAR* sym, struct resbuf* result) {
  zacad::Variable* variable = sym == nullptr ? nullptr : zacad::Find(sym);
  if (variable == nullptr || result == nullptr)
    return RTERROR;
  result->restype = variable->restype;
  if (variable->restype == RTSHORT) {
    result->resval.rint = variable->value;
  } else {
    for (int i = 0; i < 3; ++i)
      result->resval.rpoint[i] = variable->point[i];
  }
  return RTNORM;
}

int acedSetVar(const ACHAR* sym, const struct resbuf* val) {
  zacad::Variable* variable = sym == nullptr ? nullptr : zacad::Find(sym);
  if (variable == nullptr || val == nullptr)
    return RTERROR;
  if (variable->restype == RTSHORT) {
    if (val->restype != RTSHORT || val->resval.rint < variable->low ||
        val->resval.rint > variable->high) {
      return RTERROR;
    }
    variable->value = val->resval.rint;
    return RTNORM;
  }
  if (val->restype != RTPOINT && val->restype != RT3DPOINT)
    return RTERROR;
  // A 2D point keeps the current elevation, 0 here.
  variable->point = {val->resval.rpoint[0], val->resval.rpoint[1],
                     val->restype == RT3DPOINT ? val->resval.rpoint[2] : 0.0};
  return RTNORM;
}

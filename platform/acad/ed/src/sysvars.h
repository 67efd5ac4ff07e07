// The system variables the editor's input and selection read (PICKFIRST, PICKBOX, PICKAUTO,
// LASTPOINT), kept in one table that acedGetVar and acedSetVar reach by name.
#pragma once

#include <array>

namespace zacad {

using Point3 = std::array<double, 3>;

// Value of an integer variable of the table (PICKFIRST, PICKBOX, PICKAUTO).
int IntVar(const char16_t* name);

// The pick aperture's half size in drawing units: PICKBOX pixels of the view that the current
// input source shows (a source without a view counts one unit a pixel).
double PickAperture();

// LASTPOINT: the last point entered, the base of relative input ("@dx,dy").
Point3 LastPoint();
void SetLastPoint(const Point3& point);

}  // namespace zacad

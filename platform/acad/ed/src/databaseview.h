// Selection's view of the working drawing (acdbHostApplicationServices()->workingDatabase()).
#pragma once

#include <memory>

#include "zacad/selectionview.h"

namespace zacad {

// The view of the working database, or null when no drawing is open.
std::unique_ptr<SelectionView> MakeDatabaseView();

}  // namespace zacad

// The selection sets alive in the session, named by ads_name as the host names them, the
// pick-first set, and each drawing's previous selection.
#pragma once

#include <memory>
#include <vector>

#include "adsdef.h"
#include "zacad/selectionview.h"

namespace zacad {

using Members = std::vector<EntityName>;  // in selection order, no duplicates
// The previous selection, which the set made by the same selection shares until the set changes.
using SharedMembers = std::shared_ptr<const Members>;

// The host keeps at most this many application selection sets alive at once.
constexpr size_t kMaxSelectionSets = 128;

// Names a new set holding `members`; false (and `ss` cleared) when kMaxSelectionSets are alive.
bool NewSelectionSet(std::shared_ptr<Members> members, ads_name ss);

// The members of a live set, or null for a freed or unknown name.
const Members* FindSelectionSet(const ads_name ss);

// The pick-first set (what was selected before the command started).
Members& PickFirst();

// The previous selection of a drawing (the last completed selection in it); null for none.
SharedMembers& Previous(const void* drawing);

EntityName ToEntity(const ads_name name);

}  // namespace zacad

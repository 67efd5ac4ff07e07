// One entity as the host's LIST shows it: kind, layer, handle and every application's
// extended data.
#pragma once

#include <string>

#include "adsdef.h"

namespace zanthost {

// The lines LIST prints for the entity (each starting with a line end), or empty when the name
// names no entity that can be read now.
std::u16string EntityListing(const ads_name name);

}  // namespace zanthost

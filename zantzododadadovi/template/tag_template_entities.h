// The tagging step shared by the capture commands.
#pragma once

#include "outside/host.h"

// Under a document lock, replaces the template record of each entity of `ids`: its former record
// of `appName` is removed, and an entity of a taggable class gets (1001 appName) (1000 key),
// (1000 subKey) when subKey is not empty, and (1040 value). Entities that cannot be opened for
// write are passed over. eOk, or the lock's status when the document cannot be written.
Acad::ErrorStatus TagTemplateEntities(AcDbObjectIdArray ids, const ACHAR* key, const ACHAR* subKey,
                                      double value, const ACHAR* appName);

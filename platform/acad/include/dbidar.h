// AcDbObjectIdArray: object ids in order (selections, iteration results).
#pragma once

#include "acarray.h"
#include "dbid.h"

typedef AcArray<AcDbObjectId> AcDbObjectIdArray;

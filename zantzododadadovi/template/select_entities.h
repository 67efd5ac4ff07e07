// The selection step shared by the capture commands.
#pragma once

#include "outside/host.h"

// Prints `prompt` (when given) and runs one host selection, in single mode when `single` is set,
// with `filter` as its selection filter (null for none). The ids of the picked entities are
// appended to `ids` in selection order; a cancelled or empty selection leaves `ids` as it was.
void SelectEntities(AcDbObjectIdArray& ids, const ACHAR* prompt, const resbuf* filter, bool single);

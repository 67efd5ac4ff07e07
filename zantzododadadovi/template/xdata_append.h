// Appending groups to an entity's extended data of one application.
#pragma once

#include "outside/host.h"

// Registers `appName` in the current drawing's APPID table unless it is there already.
// eOk, or eInvalidInput when the host refuses the name.
Acad::ErrorStatus EnsureAppRegistered(const ACHAR* appName);

// Append (1000, text) or (1040, value) after the entity's extended data of `appName`, starting
// that data when the entity has none. The entity must be open for write. eInvalidInput when the
// application cannot be registered or the list cannot be built, else the status of setXData.
Acad::ErrorStatus AppendXDataString(AcDbEntity* pEntity, const ACHAR* text, const ACHAR* appName);
Acad::ErrorStatus AppendXDataReal(AcDbEntity* pEntity, double value, const ACHAR* appName);

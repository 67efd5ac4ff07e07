// Strings the host allocates for an application (for result buffer values).
#pragma once

#include "AdAChar.h"
#include "acdbport.h"

// Copies input into a new string that acutRelRb (or acutDelString) frees. RTNORM; RTERROR
// when input is null (output is set to null).
ACDB_PORT int acutNewString(const ACHAR* input, ACHAR*& output);
ACDB_PORT void acutDelString(ACHAR*& string);

// Base services: module loading, resources, last error.
#pragma once

#include "windef.h"
#include "winnt.h"
#include "errhandlingapi.h"
#include "libloaderapi.h"
#include "processthreadsapi.h"
#include "winnls.h"

#define ERROR_BAD_EXE_FORMAT 193L

// nNumber * nNumerator / nDenominator through a 64-bit product, rounded to the nearest integer
// (halves away from zero); -1 when nDenominator is 0 or the result does not fit an int.
WINBASEAPI int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator);

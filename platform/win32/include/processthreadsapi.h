// The current process, as Windows names it.
#pragma once

#include "windef.h"

// A pseudo handle for the calling process: (HANDLE)-1, as on Windows.
WINBASEAPI HANDLE WINAPI GetCurrentProcess(void);

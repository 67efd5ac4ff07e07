// The calling thread's last-error code, as Windows keeps it.
#pragma once

#include "windef.h"

// The last error code a Windows call of this thread set; 0 until one does.
WINBASEAPI DWORD WINAPI GetLastError(void);
WINBASEAPI void WINAPI SetLastError(DWORD dwErrCode);

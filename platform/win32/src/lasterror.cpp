// The last-error code: one per thread, as on Windows.
#include "errhandlingapi.h"

namespace {
thread_local DWORD tLastError = 0;
}

DWORD WINAPI GetLastError(void) {
  return tLastError;
}

void WINAPI SetLastError(DWORD dwErrCode) {
  tLastError = dwErrCode;
}

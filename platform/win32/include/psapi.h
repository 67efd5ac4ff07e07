// Process status: the modules of the process.
#pragma once

#include "windef.h"
#include "processthreadsapi.h"

// Fills lphModule with the handles of the modules mapped in the process (the program first), up
// to cb bytes, and sets *lpcbNeeded to the bytes all handles need. Only GetCurrentProcess() is
// known; any other process gives FALSE and ERROR_INVALID_HANDLE.
WINBASEAPI BOOL WINAPI EnumProcessModules(HANDLE hProcess, HMODULE* lphModule, DWORD cb,
                                          LPDWORD lpcbNeeded);

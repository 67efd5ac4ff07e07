// Loading modules and reading their resources, with Windows' names and results. A module handle
// (HMODULE, HINSTANCE) is the address the module's file is mapped at, as on Windows.
#pragma once

#include "windef.h"

// Windows declares INT_PTR (*)(); the generic void (*)(void) lets callers cast the result to the
// export's real type without GCC's -Wcast-function-type.
typedef void(WINAPI* FARPROC)(void);

// Maps a module (Windows or host path; a name without a folder is looked for in the program's
// folder, then the current folder) and runs its DllMain. NULL on failure, with GetLastError()
// ERROR_MOD_NOT_FOUND (no such file), ERROR_BAD_EXE_FORMAT (not loadable, e.g. a missing
// symbol: zwin32::LoaderDiagnostic tells which) or ERROR_DLL_INIT_FAILED (DllMain returned FALSE
// or threw; the module is unmapped again).
WINBASEAPI HMODULE WINAPI LoadLibraryW(LPCWSTR lpLibFileName);
WINBASEAPI HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName);
WINBASEAPI BOOL WINAPI FreeLibrary(HMODULE hLibModule);
WINBASEAPI FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName);

// The handle of a module already mapped, by file name or full path (case-insensitive; ".dll" is
// assumed when the name has no extension); NULL is the program. No reference is taken.
WINBASEAPI HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName);
WINBASEAPI HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName);

// The Windows path of a module's file (NULL: the program). Returns its length without the NUL;
// when the buffer is too small, writes nSize - 1 characters and a NUL, returns nSize and sets
// ERROR_INSUFFICIENT_BUFFER. 0 and ERROR_MOD_NOT_FOUND for an unknown handle. The A form is in
// code page 1252.
WINBASEAPI DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize);
WINBASEAPI DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);

// Resources compiled into a module (see cmake/Win32Resources.cmake). lpName/lpType are strings,
// "#123", or MAKEINTRESOURCE ordinals. The language chosen is the one asked for, then its neutral
// sublanguage, then LANG_NEUTRAL, then any; FindResourceW (or language 0) asks for the thread's
// UI language.
WINBASEAPI HRSRC WINAPI FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType);
WINBASEAPI HRSRC WINAPI FindResourceExW(HMODULE hModule, LPCWSTR lpType, LPCWSTR lpName,
                                        WORD wLanguage);
WINBASEAPI HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo);
WINBASEAPI LPVOID WINAPI LockResource(HGLOBAL hResData);
WINBASEAPI DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo);

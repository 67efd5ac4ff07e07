// Code page conversions between the narrow code pages and UTF-16, as Windows declares them.
// CP_ACP is code page 1252 on this platform, as on a French or English Windows.
#pragma once

#include "windef.h"

#define CP_ACP 0
#define CP_THREAD_ACP 3
#define CP_UTF8 65001

#define MB_PRECOMPOSED 0x00000001
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_NO_BEST_FIT_CHARS 0x00000400
#define WC_ERR_INVALID_CHARS 0x00000080

// Converts cbMultiByte bytes (-1: up to and including the NUL) of code page CodePage to UTF-16.
// With cchWideChar 0 returns the size needed, in WCHARs. Returns 0 on failure, with
// GetLastError() one of ERROR_INVALID_PARAMETER, ERROR_INVALID_FLAGS, ERROR_INSUFFICIENT_BUFFER,
// ERROR_NO_UNICODE_TRANSLATION (invalid UTF-8 with MB_ERR_INVALID_CHARS; without the flag each
// invalid sequence becomes U+FFFD).
WINBASEAPI int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr,
                                          int cbMultiByte, LPWSTR lpWideCharStr, int cchWideChar);

// Converts cchWideChar WCHARs (-1: up to and including the NUL) to code page CodePage. With
// cbMultiByte 0 returns the size needed, in bytes. A character the code page lacks becomes
// lpDefaultChar's first byte ('?' when NULL) and sets *lpUsedDefaultChar; both must be NULL for
// CP_UTF8, where a lone surrogate becomes U+FFFD, or fails with ERROR_NO_UNICODE_TRANSLATION under
// WC_ERR_INVALID_CHARS.
WINBASEAPI int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr,
                                          int cchWideChar, LPSTR lpMultiByteStr, int cbMultiByte,
                                          LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar);

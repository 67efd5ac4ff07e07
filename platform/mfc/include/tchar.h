// The C runtime's generic-text string functions of a Unicode build, over UTF-16 (TCHAR is
// char16_t here; the C library's wcs* functions work on 32-bit wchar_t and cannot stand in).
// Failures return the C runtime's error numbers instead of calling an invalid-parameter handler.
#pragma once

#include <cerrno>
#include <cstdarg>
#include <cstddef>

#include "windef.h"
#include "zmfc/export.h"
#include "zmfc/vararg.h"

typedef int errno_t;

#ifndef STRUNCATE
#define STRUNCATE 80
#endif
#define _TRUNCATE (static_cast<size_t>(-1))

AFX_EXT_API size_t _tcslen(const TCHAR* str);

// Copies src into dest (size TCHARs). Too small: dest becomes "" and ERANGE; null: EINVAL.
AFX_EXT_API errno_t _tcscpy_s(TCHAR* dest, size_t size, const TCHAR* src);
template <size_t N>
inline errno_t _tcscpy_s(TCHAR (&dest)[N], const TCHAR* src) {
  return _tcscpy_s(dest, N, src);
}

// Copies at most count TCHARs of src, then a NUL. count _TRUNCATE copies what fits and returns
// STRUNCATE if src was cut; otherwise too small: dest becomes "" and ERANGE.
AFX_EXT_API errno_t _tcsncpy_s(TCHAR* dest, size_t size, const TCHAR* src, size_t count);
template <size_t N>
inline errno_t _tcsncpy_s(TCHAR (&dest)[N], const TCHAR* src, size_t count) {
  return _tcsncpy_s(dest, N, src, count);
}

// Appends src to the string in dest (size TCHARs). Too small: dest becomes "" and ERANGE.
AFX_EXT_API errno_t _tcscat_s(TCHAR* dest, size_t size, const TCHAR* src);
template <size_t N>
inline errno_t _tcscat_s(TCHAR (&dest)[N], const TCHAR* src) {
  return _tcscat_s(dest, N, src);
}

// Comparisons return <0, 0 or >0 by UTF-16 unit; the "i" forms compare case-insensitively
// (letters of Latin, Greek and Cyrillic scripts).
AFX_EXT_API int _tcscmp(const TCHAR* a, const TCHAR* b);
AFX_EXT_API int _tcsncmp(const TCHAR* a, const TCHAR* b, size_t count);
AFX_EXT_API int _tcsicmp(const TCHAR* a, const TCHAR* b);
AFX_EXT_API int _tcsnicmp(const TCHAR* a, const TCHAR* b, size_t count);

// First occurrence of sub in str (str itself when sub is empty), or NULL.
AFX_EXT_API const TCHAR* _tcsstr(const TCHAR* str, const TCHAR* sub);
inline TCHAR* _tcsstr(TCHAR* str, const TCHAR* sub) {
  return const_cast<TCHAR*>(_tcsstr(static_cast<const TCHAR*>(str), sub));
}

// First / last occurrence of ch in str, the terminator included (ch 0 finds it), or NULL.
AFX_EXT_API const TCHAR* _tcschr(const TCHAR* str, TCHAR ch);
inline TCHAR* _tcschr(TCHAR* str, TCHAR ch) {
  return const_cast<TCHAR*>(_tcschr(static_cast<const TCHAR*>(str), ch));
}
AFX_EXT_API const TCHAR* _tcsrchr(const TCHAR* str, TCHAR ch);
inline TCHAR* _tcsrchr(TCHAR* str, TCHAR ch) {
  return const_cast<TCHAR*>(_tcsrchr(static_cast<const TCHAR*>(str), ch));
}

// Numbers from text, as the C runtime reads them: leading white space, a sign, then digits (base
// 0: "0x" hexadecimal, "0" octal, else decimal); *endptr (when given) points after the last
// character used, or at str when there was no number. Out of range: the nearest limit of the
// type (Windows' 32-bit long for _tcstol/_tcstoul/_ttoi) and errno ERANGE.
AFX_EXT_API LONG _tcstol(const TCHAR* str, TCHAR** endptr, int base);
AFX_EXT_API ULONG _tcstoul(const TCHAR* str, TCHAR** endptr, int base);
AFX_EXT_API LONGLONG _tcstoi64(const TCHAR* str, TCHAR** endptr, int base);
AFX_EXT_API double _tcstod(const TCHAR* str, TCHAR** endptr);
AFX_EXT_API int _ttoi(const TCHAR* str);
AFX_EXT_API double _tstof(const TCHAR* str);

// Formats into buf (size TCHARs) with the conversions of zmfc/format.h. Returns the number of
// TCHARs written without the NUL, or -1 (buf becomes "") when it does not fit or buf is null.
AFX_EXT_API int _vstprintf_s(TCHAR* buf, size_t size, const TCHAR* format, va_list args);

namespace zmfc {
AFX_EXT_API int PrintToBuffer(TCHAR* buf, size_t size, const TCHAR* format, ...);
}  // namespace zmfc

template <typename... Args>
inline int _stprintf_s(TCHAR* buf, size_t size, const TCHAR* format, const Args&... args) {
  return zmfc::PrintToBuffer(buf, size, format, zmfc::VarArg(args)...);
}
template <size_t N, typename... Args>
inline int _stprintf_s(TCHAR (&buf)[N], const TCHAR* format, const Args&... args) {
  return zmfc::PrintToBuffer(buf, N, format, zmfc::VarArg(args)...);
}

// The printf engine of the wide (Unicode) build of MFC and the C runtime, shared by
// CString::Format, _stprintf_s and any platform layer with a wide printf-like call.
//
// Conversions: %s %ls %ws wide string, %S %hs narrow string (code page 1252), %c %lc wide char,
// %C %hc narrow char, %d %i %u %o %x %X, %e %E %f %F %g %G %a %A, %p (16 upper-case hex digits,
// as Windows prints it), %%. Flags "-+ #0", width and precision as numbers or '*'. Sizes: h hh
// l (32 bits, as Windows' long) ll I64 I32 I z j t L w. A null string prints "(null)". An
// unknown conversion is copied to the output as written.
#pragma once

#include <cstdarg>
#include <string>

#include "zmfc/export.h"

namespace zmfc {

// Appends the formatted text to out. args is read through a copy, so the caller may reuse it.
AFX_EXT_API void AppendFormatV(std::u16string& out, const char16_t* format, va_list args);

// Returns the formatted text.
AFX_EXT_API std::u16string FormatV(const char16_t* format, va_list args);

}  // namespace zmfc

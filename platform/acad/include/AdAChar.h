// The host's character type: UTF-16, the same type as the Windows layer's WCHAR, so host and
// Windows strings mix without conversion.
#pragma once

typedef char16_t ACHAR;

// Wide literal for host strings; two levels so that a stringized argument gets its prefix.
#define ACRX_T_(x) u##x
#define ACRX_T(x) ACRX_T_(x)

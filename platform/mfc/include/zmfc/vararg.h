// Passing a CString through "..." to a printf-like function: MFC code relies on it because on
// Windows the object holds nothing but its character pointer. Under the Itanium C++ ABI a class
// with a copy constructor is passed by hidden reference instead, so the printf-like functions of
// this platform are thin templates that hand each argument through VarArg() first, turning a
// CString into its LPCTSTR and leaving everything else as it is.
#pragma once

#include "zmfc/export.h"

class CStringW;

namespace zmfc {

template <typename T>
inline const T& VarArg(const T& value) {
  return value;
}

AFX_EXT_API const char16_t* VarArg(const CStringW& value);

}  // namespace zmfc

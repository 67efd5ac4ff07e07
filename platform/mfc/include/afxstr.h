// CString of a Unicode MFC build: a UTF-16 string whose only data member is its character
// pointer, so that (LPCTSTR)str costs nothing. Length and capacity live in a header just before
// the characters, as in MFC. Indexes and lengths count UTF-16 units.
//
// Passing a CString to Format, AppendFormat or _stprintf_s works as in MFC (the templates below
// hand it over as its LPCTSTR); to any other printf-like function pass (LPCTSTR)str or
// str.GetString().
#pragma once

#include <cstdarg>

#include "windef.h"
#include "zmfc/export.h"
#include "zmfc/vararg.h"

class AFX_EXT_CLASS CStringW {
 public:
  typedef WCHAR XCHAR;
  typedef LPWSTR PXSTR;
  typedef LPCWSTR PCXSTR;
  typedef char YCHAR;
  typedef LPSTR PYSTR;
  typedef LPCSTR PCYSTR;

  CStringW() noexcept;
  CStringW(const CStringW& other);
  CStringW(CStringW&& other) noexcept;
  CStringW(PCXSTR psz);  // NULL gives ""
  CStringW(const XCHAR* pch, int nLength);
  CStringW(PCYSTR psz);  // narrow text is in the ANSI code page (1252)
  CStringW(PCYSTR pch, int nLength);
  CStringW(XCHAR ch, int nRepeat = 1);
  ~CStringW();

  CStringW& operator=(const CStringW& other);
  CStringW& operator=(CStringW&& other) noexcept;
  CStringW& operator=(PCXSTR psz);
  CStringW& operator=(PCYSTR psz);
  CStringW& operator=(XCHAR ch);

  operator PCXSTR() const noexcept { return m_pszData; }
  PCXSTR GetString() const noexcept { return m_pszData; }
  int GetLength() const noexcept;
  bool IsEmpty() const noexcept { return GetLength() == 0; }
  void Empty();

  // Index must lie in [0, GetLength()); outside it GetAt returns 0 and SetAt does nothing.
  XCHAR GetAt(int iChar) const;
  void SetAt(int iChar, XCHAR ch);
  XCHAR operator[](int iChar) const { return GetAt(iChar); }

  CStringW& operator+=(const CStringW& str);
  CStringW& operator+=(PCXSTR psz);
  CStringW& operator+=(PCYSTR psz);
  CStringW& operator+=(XCHAR ch);
  void Append(PCXSTR psz);
  void Append(PCXSTR pch, int nLength);
  void AppendChar(XCHAR ch);

  // <0, 0, >0 as the strings compare by UTF-16 unit, or case-insensitively.
  int Compare(PCXSTR psz) const;
  int CompareNoCase(PCXSTR psz) const;

  // Index of the first occurrence at or after iStart, or -1 (also when iStart is out of range).
  int Find(PCXSTR pszSub, int iStart = 0) const;
  int Find(XCHAR ch, int iStart = 0) const;
  int FindOneOf(PCXSTR pszCharSet) const;
  int ReverseFind(XCHAR ch) const;

  // Out-of-range positions and counts are clipped to the string, as MFC does.
  CStringW Mid(int iFirst) const;
  CStringW Mid(int iFirst, int nCount) const;
  CStringW Left(int nCount) const;
  CStringW Right(int nCount) const;
  CStringW SpanIncluding(PCXSTR pszCharSet) const;
  CStringW SpanExcluding(PCXSTR pszCharSet) const;
  // Next token after iStart separated by any of pszTokens; iStart becomes -1 after the last.
  CStringW Tokenize(PCXSTR pszTokens, int& iStart) const;

  CStringW& MakeUpper();
  CStringW& MakeLower();
  CStringW& MakeReverse();

  // Without argument, white space (space, tab, CR, LF, VT, FF) is trimmed.
  CStringW& Trim();
  CStringW& Trim(XCHAR chTarget);
  CStringW& Trim(PCXSTR pszTargets);
  CStringW& TrimLeft();
  CStringW& TrimLeft(XCHAR chTarget);
  CStringW& TrimLeft(PCXSTR pszTargets);
  CStringW& TrimRight();
  CStringW& TrimRight(XCHAR chTarget);
  CStringW& TrimRight(PCXSTR pszTargets);

  // Return the number of replacements / removals; an empty pszOld replaces nothing.
  int Replace(PCXSTR pszOld, PCXSTR pszNew);
  int Replace(XCHAR chOld, XCHAR chNew);
  int Remove(XCHAR chRemove);
  // Return the new length.
  int Insert(int iIndex, PCXSTR psz);
  int Insert(int iIndex, XCHAR ch);
  int Delete(int iIndex, int nCount = 1);
  void Truncate(int nNewLength);

  // Direct access to the characters: a buffer of at least nMinBufferLength + 1 TCHARs holding
  // the current text. ReleaseBuffer(-1) takes the length up to the first NUL (within the
  // buffer); ReleaseBuffer(n) sets it to n.
  PXSTR GetBuffer();
  PXSTR GetBuffer(int nMinBufferLength);
  PXSTR GetBufferSetLength(int nLength);
  void ReleaseBuffer(int nNewLength = -1);
  void ReleaseBufferSetLength(int nNewLength);
  void Preallocate(int nLength);

  // String nID of the string tables of hInstance, or of AfxGetResourceHandle(), in the thread's
  // UI language. FALSE, and the text unchanged, when the module has no such string.
  BOOL LoadString(UINT nID);
  BOOL LoadString(HINSTANCE hInstance, UINT nID);

  // printf-style formatting with the conversions of zmfc/format.h. Format and FormatV replace
  // the text; AppendFormat and AppendFormatV add to it.
  template <typename... Args>
  void Format(PCXSTR pszFormat, const Args&... args) {
    FormatArgs(pszFormat, zmfc::VarArg(args)...);
  }
  template <typename... Args>
  void AppendFormat(PCXSTR pszFormat, const Args&... args) {
    AppendFormatArgs(pszFormat, zmfc::VarArg(args)...);
  }
  // The format may also be string nID of the resource module; a missing one formats as "".
  template <typename... Args>
  void Format(UINT nFormatID, const Args&... args) {
    FormatResourceArgs(nFormatID, zmfc::VarArg(args)...);
  }
  template <typename... Args>
  void AppendFormat(UINT nFormatID, const Args&... args) {
    AppendFormatResourceArgs(nFormatID, zmfc::VarArg(args)...);
  }
  void FormatV(PCXSTR pszFormat, va_list args);
  void AppendFormatV(PCXSTR pszFormat, va_list args);

 private:
  struct Data;
  Data* GetData() const noexcept;
  // The shared "" every empty string points at; never written to.
  static PXSTR NilChars() noexcept;
  bool IsNil() const noexcept { return m_pszData == NilChars(); }
  // Makes room for nLength characters (plus NUL), keeping the current text.
  void Reserve(int nLength);
  // Sets the length and the terminator; the buffer must hold nLength characters.
  void SetLength(int nLength);
  void Assign(const XCHAR* pch, int nLength);
  void FormatArgs(PCXSTR pszFormat, ...);
  void AppendFormatArgs(PCXSTR pszFormat, ...);
  void FormatResourceArgs(UINT nFormatID, ...);
  void AppendFormatResourceArgs(UINT nFormatID, ...);

  PXSTR m_pszData;
};

typedef CStringW CString;

AFX_EXT_API CStringW operator+(const CStringW& str1, const CStringW& str2);
AFX_EXT_API CStringW operator+(const CStringW& str1, LPCWSTR psz2);
AFX_EXT_API CStringW operator+(LPCWSTR psz1, const CStringW& str2);
AFX_EXT_API CStringW operator+(const CStringW& str1, WCHAR ch2);
AFX_EXT_API CStringW operator+(WCHAR ch1, const CStringW& str2);

inline bool operator==(const CStringW& a, const CStringW& b) {
  return a.Compare(b) == 0;
}
inline bool operator==(const CStringW& a, LPCWSTR b) {
  return a.Compare(b) == 0;
}
inline bool operator==(LPCWSTR a, const CStringW& b) {
  return b.Compare(a) == 0;
}
inline bool operator!=(const CStringW& a, const CStringW& b) {
  return a.Compare(b) != 0;
}
inline bool operator!=(const CStringW& a, LPCWSTR b) {
  return a.Compare(b) != 0;
}
inline bool operator!=(LPCWSTR a, const CStringW& b) {
  return b.Compare(a) != 0;
}
inline bool operator<(const CStringW& a, const CStringW& b) {
  return a.Compare(b) < 0;
}
inline bool operator<(const CStringW& a, LPCWSTR b) {
  return a.Compare(b) < 0;
}
inline bool operator<(LPCWSTR a, const CStringW& b) {
  return b.Compare(a) > 0;
}
inline bool operator>(const CStringW& a, const CStringW& b) {
  return a.Compare(b) > 0;
}
inline bool operator>(const CStringW& a, LPCWSTR b) {
  return a.Compare(b) > 0;
}
inline bool operator>(LPCWSTR a, const CStringW& b) {
  return b.Compare(a) < 0;
}
inline bool operator<=(const CStringW& a, const CStringW& b) {
  return a.Compare(b) <= 0;
}
inline bool operator<=(const CStringW& a, LPCWSTR b) {
  return a.Compare(b) <= 0;
}
inline bool operator<=(LPCWSTR a, const CStringW& b) {
  return b.Compare(a) >= 0;
}
inline bool operator>=(const CStringW& a, const CStringW& b) {
  return a.Compare(b) >= 0;
}
inline bool operator>=(const CStringW& a, LPCWSTR b) {
  return a.Compare(b) >= 0;
}
inline bool operator>=(LPCWSTR a, const CStringW& b) {
  return b.Compare(a) <= 0;
}

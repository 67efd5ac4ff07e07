// Basic Windows types, as the Windows SDK spells them. Wide characters are UTF-16: on this
// platform wchar_t is 32 bits wide, so WCHAR is char16_t and wide literals are written _T("...")
// (or TEXT("...")), never L"...".
#pragma once

#include <cstddef>
#include <cstdint>

// Visibility of the platform's exported API: what __declspec(dllimport) says on Windows.
#define WIN32_EXPORT __attribute__((visibility("default")))
#define WINBASEAPI WIN32_EXPORT
#define WINUSERAPI WIN32_EXPORT
#define WINADVAPI WIN32_EXPORT
#define WINGDIAPI WIN32_EXPORT

// Calling conventions have no meaning on x86-64 System V.
#define WINAPI
#define APIENTRY
#define CALLBACK
#define STDAPICALLTYPE

#define CONST const
#define VOID void

typedef char16_t WCHAR;
typedef WCHAR TCHAR;
typedef char CHAR;
typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int INT;
typedef unsigned int UINT;
typedef short SHORT;
typedef unsigned short USHORT;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef ULONG_PTR DWORD_PTR;
typedef size_t SIZE_T;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef LONG HRESULT;
typedef WORD LANGID;
typedef DWORD LCID;
typedef DWORD COLORREF;
typedef DWORD REGSAM;

typedef void* LPVOID;
typedef const void* LPCVOID;
typedef void* HANDLE;
typedef void* HGLOBAL;
typedef BOOL* LPBOOL;
typedef BYTE* LPBYTE;
typedef const BYTE* LPCBYTE;
typedef DWORD* LPDWORD;
typedef DWORD* PDWORD;
typedef LONG* PLONG;
typedef CHAR* LPSTR;
typedef const CHAR* LPCSTR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef TCHAR* LPTSTR;
typedef const TCHAR* LPCTSTR;
typedef WCHAR* PWSTR;
typedef const WCHAR* PCWSTR;

#define DECLARE_HANDLE(name) \
  struct name##__ {          \
    int unused;              \
  };                         \
  typedef struct name##__* name
DECLARE_HANDLE(HINSTANCE);
DECLARE_HANDLE(HWND);
DECLARE_HANDLE(HKEY);
DECLARE_HANDLE(HRSRC);
DECLARE_HANDLE(HBITMAP);
DECLARE_HANDLE(HICON);
DECLARE_HANDLE(HMENU);
DECLARE_HANDLE(HFONT);
DECLARE_HANDLE(HBRUSH);
DECLARE_HANDLE(HDC);
typedef HINSTANCE HMODULE;

// Rectangles and points in pixels: right and bottom lie just outside the rectangle.
typedef struct tagRECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
} RECT, *LPRECT;
typedef const RECT* LPCRECT;
typedef struct tagPOINT {
  LONG x;
  LONG y;
} POINT, *LPPOINT;
typedef HKEY* PHKEY;
typedef HICON HCURSOR;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#ifndef NULL
#define NULL 0
#endif

#define _T(x) u##x
#define __T(x) u##x
#define TEXT(x) u##x
#define _TEXT(x) u##x

#define MAX_PATH 260

#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#define LOBYTE(w) ((BYTE)(((DWORD_PTR)(w)) & 0xff))
#define MAKELONG(a, b) \
  ((LONG)(((WORD)(((DWORD_PTR)(a)) & 0xffff)) | ((DWORD)((WORD)(((DWORD_PTR)(b)) & 0xffff))) << 16))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
#define MAKELANGID(p, s) ((((WORD)(s)) << 10) | (WORD)(p))
#define PRIMARYLANGID(lgid) ((WORD)(lgid)&0x3ff)
#define SUBLANGID(lgid) ((WORD)(lgid) >> 10)
#define RGB(r, g, b) \
  ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) (LOBYTE(rgb))
#define GetGValue(rgb) (LOBYTE(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) (LOBYTE((rgb) >> 16))

// Microsoft's declaration specifiers, so that Windows sources compile unchanged: dllexport makes a
// name visible outside its shared library (the module's export list then narrows it further).
#define __declspec(x) __declspec_##x
#define __declspec_dllexport __attribute__((visibility("default")))
#define __declspec_dllimport
#define __declspec_novtable
#define __declspec_noinline __attribute__((noinline))
#define __declspec_selectany __attribute__((weak))

#define __CRT_WIDE(s) u##s
#define _CRT_WIDE(s) __CRT_WIDE(s)
#define __FILEW__ _CRT_WIDE(__FILE__)

#define UNREFERENCED_PARAMETER(p) (void)(p)

// Graphics: device-independent bitmaps and the GDI objects that hold them. There is no screen:
// a bitmap is its pixels, which a program reads back with GetDIBits.
#pragma once

#include "windef.h"

typedef HANDLE HGDIOBJ;

#pragma pack(push, 2)
typedef struct tagBITMAPFILEHEADER {
  WORD bfType;
  DWORD bfSize;
  WORD bfReserved1;
  WORD bfReserved2;
  DWORD bfOffBits;
} BITMAPFILEHEADER;
#pragma pack(pop)

typedef struct tagBITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;  // positive: rows stored bottom-up; negative: top-down
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
} BITMAPINFOHEADER, *LPBITMAPINFOHEADER;

typedef struct tagRGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
} RGBQUAD;

typedef struct tagBITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
} BITMAPINFO, *LPBITMAPINFO;

typedef struct tagBITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
} BITMAP;

#define BI_RGB 0L
#define BI_RLE8 1L
#define BI_RLE4 2L
#define BI_BITFIELDS 3L
#define DIB_RGB_COLORS 0

// Width, height and depth of a bitmap (cbBuffer at least sizeof(BITMAP)); the bytes written, or 0
// for a handle that is no GDI object.
WINGDIAPI int WINAPI GetObjectW(HGDIOBJ h, int cbBuffer, LPVOID lpvObject);
// Rows [uStartScan, uStartScan + cLines) of hbm as a 32-bit BI_RGB DIB in the order lpbmi's
// height asks for (negative: top-down). With lpvBits null, fills in lpbmi's header only. Returns
// the rows copied, 0 on failure. Only 32-bit output is offered, which is what readers ask for.
WINGDIAPI int WINAPI GetDIBits(HDC hdc, HBITMAP hbm, UINT uStartScan, UINT cLines, LPVOID lpvBits,
                               LPBITMAPINFO lpbmi, UINT uUsage);
// A bitmap of nWidth by nHeight from lpBits, rows top-down, each padded to a multiple of 16 bits;
// only one plane of 32 bits a pixel (0x00RRGGBB) is offered, the depth programs compose in.
// Null lpBits leaves the pixels black.
WINGDIAPI HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount,
                                      const VOID* lpBits);
WINGDIAPI BOOL WINAPI DeleteObject(HGDIOBJ ho);

#define GetObject GetObjectW

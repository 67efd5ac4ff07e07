// GDI bitmaps: a bitmap resource decoded into 32-bit pixels when loaded, or pixels a program
// composed, kept under its handle until DeleteObject, and handed back by GetDIBits.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "windows.h"
#include "zwin32/faultpoint.h"

using namespace zwin32;

namespace {

struct Bitmap {
  LONG width = 0;
  LONG height = 0;
  WORD bitsPerPixel = 0;           // depth of the source, as GetObject reports it
  std::vector<DWORD> topDownRows;  // 0x00RRGGBB, row 0 at the top
};

std::mutex& ObjectsMutex() {
  static std::mutex mutex;
  return mutex;
}

std::map<HGDIOBJ, std::unique_ptr<Bitmap>>& Objects() {
  static std::map<HGDIOBJ, std::unique_ptr<Bitmap>> objects;
  return objects;
}

HDC ScreenDc() {
  static int screen;
  return reinterpret_cast<HDC>(&screen);
}

DWORD ReadDword(const BYTE* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (DWORD{p[3]} << 24);
}

// A packed DIB (header, colour table, pixels) as a bitmap resource holds it; null when the data
// is not an uncompressed DIB of a depth Windows draws, or is shorter than its header says.
std::unique_ptr<Bitmap> Decode(const BYTE* data, DWORD size) {
  if (size < sizeof(BITMAPINFOHEADER) || ReadDword(data) < sizeof(BITMAPINFOHEADER))
    return nullptr;
  BITMAPINFOHEADER header;
  std::memcpy(&header, data, sizeof header);
  const WORD depth = header.biBitCount;
  if (header.biCompression != BI_RGB || header.biPlanes != 1 || header.biWidth <= 0 ||
      header.biHeight == 0 || header.biWidth > 32768 || std::abs(header.biHeight) > 32768 ||
      (depth != 1 && depth != 4 && depth != 8 && depth != 24 && depth != 32))
    return nullptr;
  const DWORD paletteSize =
      depth <= 8 ? (header.biClrUsed != 0 ? header.biClrUsed : DWORD{1} << depth) : 0;
  if (paletteSize > 256)
    return nullptr;
  const LONG width = header.biWidth;
  const LONG height = std::abs(header.biHeight);
  const uint64_t stride = ((uint64_t(width) * depth + 31) / 32) * 4;
  const uint64_t pixelsAt = header.biSize + uint64_t(paletteSize) * 4;
  if (pixelsAt + stride * height > size)
    return nullptr;
  const BYTE* palette = data + header.biSize;
  auto bitmap = std::make_unique<Bitmap>();
  bitmap->width = width;
  bitmap->height = height;
  bitmap->bitsPerPixel = depth;
  bitmap->topDownRows.resize(size_t(width) * height);
  for (LONG row = 0; row < height; ++row) {
    const LONG stored = header.biHeight > 0 ? height - 1 - row : row;
    const BYTE* line = data + pixelsAt + stride * stored;
    for (LONG x = 0; x < width; ++x) {
      DWORD rgb = 0;
      if (depth <= 8) {
        const DWORD bit = DWORD(x) * depth;
        const DWORD index = (line[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
        if (index < paletteSize) {
          const BYTE* quad = palette + index * 4;  // blue, green, red, reserved
          rgb = (DWORD{quad[2]} << 16) | (quad[1] << 8) | quad[0];
        }
      } else {
        const BYTE* pixel = line + x * (depth / 8);
        rgb = (DWORD{pixel[2]} << 16) | (pixel[1] << 8) | pixel[0];
      }
      bitmap->topDownRows[size_t(row) * width + x] = rgb;
    }
  }
  return bitmap;
}

HBITMAP Keep(std::unique_ptr<Bitmap> bitmap) {
  std::lock_guard lock(ObjectsMutex());
  const HGDIOBJ handle = bitmap.get();
  Objects()[handle] = std::move(bitmap);
  return static_cast<HBITMAP>(handle);
}

HBITMAP Load(HINSTANCE instance, LPCWSTR name) {
  HRSRC resource = FindResourceW(instance, name, RT_BITMAP);
  if (resource == nullptr)
    return nullptr;
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(instance, resource)));
  std::unique_ptr<Bitmap> bitmap =
      data != nullptr ? Decode(data, SizeofResource(instance, resource)) : nullptr;
  if (bitmap == nullptr) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  return Keep(std::move(bitmap));
}

}  // namespace

HBITMAP WINAPI LoadBitmapW(HINSTANCE hInstance, LPCWSTR lpBitmapName) {
  FaultPoint("LoadBitmapW");
  return Load(hInstance, lpBitmapName);
}

HANDLE WINAPI LoadImageW(HINSTANCE hInst, LPCWSTR name, UINT type, int cx, int cy, UINT) {
  FaultPoint("LoadImageW");
  if (type != IMAGE_BITMAP || cx != 0 || cy != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return Load(hInst, name);
}

HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount,
                            const VOID* lpBits) {
  FaultPoint("CreateBitmap");
  if (nWidth <= 0 || nHeight <= 0 || nWidth > 32768 || nHeight > 32768 || nPlanes != 1 ||
      nBitCount != 32) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto bitmap = std::make_unique<Bitmap>();
  bitmap->width = nWidth;
  bitmap->height = nHeight;
  bitmap->bitsPerPixel = 32;
  bitmap->topDownRows.resize(size_t(nWidth) * nHeight);
  // 32-bit rows are already word aligned, so the pixels are one block.
  if (lpBits != nullptr) {
    std::memcpy(bitmap->topDownRows.data(), lpBits, bitmap->topDownRows.size() * 4);
    for (DWORD& pixel : bitmap->topDownRows)
      pixel &= 0x00FFFFFF;
  }
  return Keep(std::move(bitmap));
}

HDC WINAPI GetDC(HWND) {
  return ScreenDc();
}

int WINAPI ReleaseDC(HWND, HDC hDC) {
  return hDC == ScreenDc() ? 1 : 0;
}

int WINAPI GetObjectW(HGDIOBJ h, int cbBuffer, LPVOID lpvObject) {
  std::lock_guard lock(ObjectsMutex());
  auto it = Objects().find(h);
  if (it == Objects().end())
    return 0;
  if (lpvObject == nullptr)
    return sizeof(BITMAP);
  if (cbBuffer < static_cast<int>(sizeof(BITMAP)))
    return 0;
  const Bitmap& bitmap = *it->second;
  BITMAP info{};
  info.bmWidth = bitmap.width;
  info.bmHeight = bitmap.height;
  info.bmWidthBytes = ((bitmap.width * bitmap.bitsPerPixel + 15) / 16) * 2;
  info.bmPlanes = 1;
  info.bmBitsPixel = bitmap.bitsPerPixel;
  std::memcpy(lpvObject, &info, sizeof info);
  return sizeof(BITMAP);
}

int WINAPI GetDIBits(HDC hdc, HBITMAP hbm, UINT uStartScan, UINT cLines, LPVOID lpvBits,
                     LPBITMAPINFO lpbmi, UINT uUsage) {
  std::lock_guard lock(ObjectsMutex());
  auto it = Objects().find(hbm);
  if (hdc == nullptr || it == Objects().end() || lpbmi == nullptr || uUsage != DIB_RGB_COLORS ||
      lpbmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER))
    return 0;
  const Bitmap& bitmap = *it->second;
  BITMAPINFOHEADER& header = lpbmi->bmiHeader;
  if (lpvBits == nullptr) {
    const bool topDown = header.biHeight < 0;
    header.biWidth = bitmap.width;
    header.biHeight = topDown ? -bitmap.height : bitmap.height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = DWORD(bitmap.width) * bitmap.height * 4;
    return bitmap.height;
  }
  if (header.biBitCount != 32 || header.biCompression != BI_RGB || header.biWidth != bitmap.width ||
      uStartScan >= UINT(bitmap.height))
    return 0;
  const bool topDown = header.biHeight < 0;
  const UINT lines = std::min<UINT>(cLines, bitmap.height - uStartScan);
  auto* out = static_cast<DWORD*>(lpvBits);
  for (UINT i = 0; i < lines; ++i) {
    // Scan lines count from the bottom of the picture in a bottom-up DIB, from the top otherwise.
    const UINT scan = uStartScan + i;
    const UINT row = topDown ? scan : bitmap.height - 1 - scan;
    std::memcpy(out + size_t(i) * bitmap.width, &bitmap.topDownRows[size_t(row) * bitmap.width],
                size_t(bitmap.width) * 4);
  }
  return static_cast<int>(lines);
}

BOOL WINAPI DeleteObject(HGDIOBJ ho) {
  std::lock_guard lock(ObjectsMutex());
  return Objects().erase(ho) != 0 ? TRUE : FALSE;
}

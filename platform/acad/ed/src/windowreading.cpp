#include "zacad/windowreading.h"

namespace zacad {

std::u16string WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
  return text;
}

std::u16string ClassName(HWND hwnd) {
  char16_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

std::vector<std::u16string> ListItems(HWND list) {
  std::vector<std::u16string> items;
  const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
    std::u16string text(static_cast<size_t>(length > 0 ? length : 0) + 1, u'\0');
    if (length >= 0)
      SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.pop_back();
    items.push_back(std::move(text));
  }
  return items;
}

std::optional<BitmapPixels> ReadBitmap(HBITMAP bitmap, LONG largestSide) {
  BITMAP info{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0 || info.bmWidth <= 0 ||
      info.bmHeight <= 0 || info.bmWidth > largestSide || info.bmHeight > largestSide)
    return std::nullopt;
  BitmapPixels pixels{info.bmWidth, info.bmHeight, {}};
  BITMAPINFO request{};
  request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  request.bmiHeader.biWidth = info.bmWidth;
  request.bmiHeader.biHeight = -info.bmHeight;  // top-down
  request.bmiHeader.biPlanes = 1;
  request.bmiHeader.biBitCount = 32;
  request.bmiHeader.biCompression = BI_RGB;
  pixels.rows.resize(static_cast<size_t>(info.bmWidth) * info.bmHeight);
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight),
                             pixels.rows.data(), &request, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != info.bmHeight)
    return std::nullopt;
  return pixels;
}

}  // namespace zacad

// Reading a live dialog through the window functions, for whoever presents it to the user (the
// command line's dialog front end, the web page's mirror): texts, class names, a list box's
// items and the pixels of a picture button's bitmap.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "zacad/edexport.h"

namespace zacad {

ZACAD_ED_API std::u16string WindowText(HWND hwnd);
ZACAD_ED_API std::u16string ClassName(HWND hwnd);
// A list box's items' texts, in their order.
ZACAD_ED_API std::vector<std::u16string> ListItems(HWND list);

struct BitmapPixels {
  LONG width = 0;
  LONG height = 0;
  std::vector<DWORD> rows;  // 0x00RRGGBB, top row first
};

// The bitmap's pixels, or nothing when it cannot be read or a side is longer than `largestSide`.
ZACAD_ED_API std::optional<BitmapPixels> ReadBitmap(HBITMAP bitmap, LONG largestSide = 32768);

}  // namespace zacad

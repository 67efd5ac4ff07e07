#include "picturetext.h"

#include <map>

#include "zacad/windowreading.h"

namespace zacad {
namespace {

constexpr int kCellWidth = 2;
constexpr int kCellHeight = 4;

char16_t CellCharacter(const std::vector<bool>& ink, LONG width, LONG height, LONG x0, LONG y0) {
  bool horizontal = false;
  bool vertical = false;
  bool any = false;
  for (LONG y = y0; y < std::min(y0 + kCellHeight, height); ++y) {
    for (LONG x = x0; x < std::min(x0 + kCellWidth, width); ++x) {
      if (!ink[size_t(y) * width + x])
        continue;
      any = true;
      // A stroke continues into the next pixel, inside the cell or across its edge.
      if ((x + 1 < width && ink[size_t(y) * width + x + 1]) ||
          (x > 0 && ink[size_t(y) * width + x - 1]))
        horizontal = true;
      if ((y + 1 < height && ink[size_t(y + 1) * width + x]) ||
          (y > 0 && ink[size_t(y - 1) * width + x]))
        vertical = true;
    }
  }
  if (horizontal && vertical)
    return u'+';
  if (horizontal)
    return u'-';
  if (vertical)
    return u'|';
  return any ? u'.' : u' ';
}

}  // namespace

std::vector<std::u16string> PictureAsText(HBITMAP bitmap) {
  const std::optional<BitmapPixels> picture = ReadBitmap(bitmap);
  if (!picture)
    return {};
  const LONG width = picture->width;
  const LONG height = picture->height;
  const std::vector<DWORD>& pixels = picture->rows;

  std::map<DWORD, size_t> counts;
  for (DWORD pixel : pixels)
    ++counts[pixel & 0xFFFFFF];
  DWORD background = 0;
  size_t most = 0;
  for (const auto& [colour, count] : counts) {
    if (count > most) {
      most = count;
      background = colour;
    }
  }
  std::vector<bool> ink(pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i)
    ink[i] = (pixels[i] & 0xFFFFFF) != background;

  std::vector<std::u16string> text;
  for (LONG y = 0; y < height; y += kCellHeight) {
    std::u16string line;
    for (LONG x = 0; x < width; x += kCellWidth)
      line += CellCharacter(ink, width, height, x, y);
    text.push_back(std::move(line));
  }
  return text;
}

}  // namespace zacad

// The base units of a dialog's font: the pixels of its average character, as Windows derives
// them at 96 dpi (the height of the font's cell; the width of "A".."Z" and "a".."z" over 52,
// rounded). There are no fonts here to measure, so the faces dialogs use are listed with the
// figures Windows gives for them; another face or size is scaled from the first of them.
#include <algorithm>
#include <array>

#include "windowstore.h"

namespace zwin32 {
namespace {

struct KnownFont {
  std::u16string_view face;
  WORD points;
  BaseUnits units;
};

constexpr std::array<KnownFont, 6> kKnownFonts = {{
    {u"ms sans serif", 8, {6, 13}},
    {u"microsoft sans serif", 8, {6, 13}},
    {u"ms shell dlg", 8, {6, 13}},
    {u"ms shell dlg 2", 8, {6, 13}},
    {u"tahoma", 8, {6, 13}},
    {u"segoe ui", 9, {7, 15}},
}};

// The system font's, which a template without DS_SETFONT is laid out in.
constexpr BaseUnits kSystemFont = {8, 16};

}  // namespace

BaseUnits TemplateBaseUnits(const DialogTemplate& dialogTemplate) {
  if ((dialogTemplate.style & DS_SETFONT) == 0 || dialogTemplate.pointSize == 0)
    return kSystemFont;
  const std::u16string face = AsciiLowered(dialogTemplate.typeface);
  const auto known = std::find_if(kKnownFonts.begin(), kKnownFonts.end(), [&](const KnownFont& f) {
    return f.face == face && f.points == dialogTemplate.pointSize;
  });
  if (known != kKnownFonts.end())
    return known->units;
  // The font's em in pixels, then its cell and average width in MS Sans Serif 8's proportions
  // (an em of 11 pixels in a cell of 13, characters 6 wide).
  const int em = MulDiv(dialogTemplate.pointSize, 96, 72);
  const int height = MulDiv(em, 13, 11);
  return {std::max(1, MulDiv(height, 6, 13)), height};
}

}  // namespace zwin32

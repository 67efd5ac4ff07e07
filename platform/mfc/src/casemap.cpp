#include "casemap.h"

namespace zmfc {
namespace {

// Latin Extended-A pairs its letters as (upper, lower) with the upper letter on an even code
// point in these ranges and on an odd one elsewhere; U+0130, U+0131, U+0138 and U+017F have no
// simple partner.
bool UpperIsEven(char16_t ch) {
  return (ch >= 0x100 && ch <= 0x12F) || (ch >= 0x132 && ch <= 0x137) ||
         (ch >= 0x14A && ch <= 0x177);
}
bool UpperIsOdd(char16_t ch) {
  return (ch >= 0x139 && ch <= 0x148) || (ch >= 0x179 && ch <= 0x17E);
}

}  // namespace

char16_t ToUpper(char16_t ch) {
  if (ch >= u'a' && ch <= u'z')
    return ch - 0x20;
  if (ch < 0x80)
    return ch;
  if (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7)
    return ch - 0x20;
  if (ch == 0xFF)
    return 0x178;
  if (UpperIsEven(ch))
    return ch & ~char16_t(1);
  if (UpperIsOdd(ch))
    return (ch & 1) ? ch : ch - 1;
  if (ch == 0x192)
    return 0x191;
  if (ch == 0x3C2)
    return 0x3A3;
  if (ch >= 0x3B1 && ch <= 0x3C9)
    return ch - 0x20;
  if (ch >= 0x430 && ch <= 0x44F)
    return ch - 0x20;
  if (ch >= 0x450 && ch <= 0x45F)
    return ch - 0x50;
  return ch;
}

char16_t ToLower(char16_t ch) {
  if (ch >= u'A' && ch <= u'Z')
    return ch + 0x20;
  if (ch < 0x80)
    return ch;
  if (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7)
    return ch + 0x20;
  if (ch == 0x178)
    return 0xFF;
  if (UpperIsEven(ch))
    return ch | 1;
  if (UpperIsOdd(ch))
    return (ch & 1) ? ch + 1 : ch;
  if (ch == 0x191)
    return 0x192;
  if (ch >= 0x391 && ch <= 0x3A9 && ch != 0x3A2)
    return ch + 0x20;
  if (ch >= 0x410 && ch <= 0x42F)
    return ch + 0x20;
  if (ch >= 0x400 && ch <= 0x40F)
    return ch + 0x50;
  return ch;
}

}  // namespace zmfc

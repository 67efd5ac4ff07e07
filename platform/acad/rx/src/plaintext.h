// Characters a drawing's text holds as themselves in every code page: printable ASCII other than
// the backslash and caret, which start escapes and control characters. Text made of them only is
// converted by widening or narrowing each character, without the codec.
#pragma once

#include <array>

namespace zacad {

inline constexpr std::array<bool, 256> kPlainCharacters = [] {
  std::array<bool, 256> plain{};
  for (int c = 0x20; c < 0x7F; ++c)
    plain[c] = c != '\\' && c != '^';
  return plain;
}();

constexpr bool isPlainCharacter(char16_t c) {
  return c < 0x80 && kPlainCharacters[c];
}

}  // namespace zacad

#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "zdxf/export.h"

namespace zdxf {

// Characters a drawing's text holds as themselves in every code page: printable ASCII other than
// the backslash and caret, which start escapes and control characters. Text made of them only is
// converted by widening or narrowing each character.
inline constexpr std::array<bool, 256> kPlainCharacters = [] {
  std::array<bool, 256> plain{};
  for (int c = 0x20; c < 0x7F; ++c)
    plain[c] = c != '\\' && c != '^';
  return plain;
}();

constexpr bool is_plain_character(char16_t c) {
  return c < 0x80 && kPlainCharacters[c];
}

// Converts string values between a drawing's bytes and the host's UTF-16.
//
// Before AC1021 strings are in the code page named by $DWGCODEPAGE and characters outside it are
// written as \U+XXXX; from AC1021 they are UTF-8. Either way control characters travel as caret
// codes (^J = LF, "^ " = a real caret) and \U+XXXX / \M+nXXXX escapes are decoded.
// A codec (and so a Document) converts on one thread at a time: it keeps converter state.
class ZDXF_API TextCodec {
 public:
  // Throws std::invalid_argument for a code page this platform cannot convert.
  TextCodec(bool utf8, std::string_view code_page);
  ~TextCodec();
  TextCodec(TextCodec&&) noexcept;
  TextCodec& operator=(TextCodec&&) noexcept;

  // Never fails: bytes that do not decode become U+FFFD.
  std::u16string decode(std::string_view bytes) const;
  std::string encode(std::u16string_view text) const;

  bool utf8() const { return utf8_; }
  // True when the code page name is one this platform knows ("ANSI_1252", "DOS850", ...).
  static bool known_code_page(std::string_view code_page);

 private:
  struct Converters;
  bool utf8_;
  std::unique_ptr<Converters> conv_;
};

// UTF-8 <-> UTF-16 for the edges (files, terminal); invalid input becomes U+FFFD.
ZDXF_API std::u16string utf8_to_utf16(std::string_view s);
ZDXF_API std::string utf16_to_utf8(std::u16string_view s);

}  // namespace zdxf

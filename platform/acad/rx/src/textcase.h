// Case-insensitive comparison of host strings, for keys and application names that the host
// matches without regard to case. Folds ASCII and Latin-1 letters, which covers the names of
// files, commands and services this platform meets.
#pragma once

#include <string>
#include <string_view>

namespace zacad {

constexpr char16_t foldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z')
    return static_cast<char16_t>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
    return static_cast<char16_t>(c + 0x20);
  return c;
}

inline std::u16string foldCase(std::u16string_view text) {
  std::u16string folded(text);
  for (char16_t& c : folded)
    c = foldCase(c);
  return folded;
}

inline bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (foldCase(a[i]) != foldCase(b[i]))
      return false;
  }
  return true;
}

}  // namespace zacad

// Platform-internal conversions between UTF-16 (the platform's wide strings), UTF-8 (terminal,
// files, SQLite) and code page 1252 (the ANSI code page). Not part of the Windows API.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "windef.h"

namespace zwin32 {

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD, so the result is always valid UTF-8.
WIN32_EXPORT std::string ToUtf8(std::u16string_view text);

// UTF-8 to UTF-16; each invalid sequence (bad lead or continuation byte, overlong form,
// surrogate code point, beyond U+10FFFF, truncated) becomes one U+FFFD.
WIN32_EXPORT std::u16string FromUtf8(std::string_view text);

// UTF-8 to UTF-16 that rejects invalid input instead of replacing it.
WIN32_EXPORT std::optional<std::u16string> FromUtf8Strict(std::string_view text);

// Code page 1252 to UTF-16. Every byte maps: the five bytes 1252 leaves undefined
// (0x81 0x8D 0x8F 0x90 0x9D) map to the C1 controls of the same value, as Windows does.
WIN32_EXPORT std::u16string FromCp1252(std::string_view text);

// UTF-16 to code page 1252; a character 1252 lacks becomes defaultChar, and *usedDefault (when
// given) tells whether that happened.
WIN32_EXPORT std::string ToCp1252(std::u16string_view text, char defaultChar = '?',
                                  bool* usedDefault = nullptr);

// The 1252 byte of one UTF-16 unit, or nothing when 1252 lacks it.
WIN32_EXPORT std::optional<unsigned char> Cp1252FromUnicode(char16_t ch);

// The UTF-16 unit of one 1252 byte.
WIN32_EXPORT char16_t Cp1252ToUnicode(unsigned char byte);

}  // namespace zwin32

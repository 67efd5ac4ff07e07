// MultiByteToWideChar / WideCharToMultiByte over the code pages this platform knows: the ANSI
// code page 1252 and UTF-8. Also the zwin32 helpers the other layers use at their UTF-8 edges.
#include "stringapiset.h"

#include <array>
#include <cstring>

#include "windows.h"
#include "zwin32/utf.h"

namespace zwin32 {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// 0x80..0x9F of code page 1252; the rest of the page is Latin-1. The undefined bytes map to the
// C1 control of the same value, as Windows' table does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

// UTF-16 to UTF-8; counts the lone surrogates it replaced.
std::string EncodeUtf8(std::u16string_view text, size_t* invalid) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      AppendUtf8(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      AppendUtf8(out, kReplacement);
      ++*invalid;
    } else {
      AppendUtf8(out, c);
    }
  }
  return out;
}

// UTF-8 to UTF-16; counts the invalid sequences it replaced. A sequence that goes wrong is
// replaced as far as its valid prefix (the maximal-subpart rule Windows and Unicode follow), so
// the byte that broke it starts the next sequence.
std::u16string DecodeUtf8(std::string_view text, size_t* invalid) {
  std::u16string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      out += b;
      ++i;
      continue;
    }
    int extra;
    char32_t cp;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the first continuation byte
    if (b >= 0xC2 && b <= 0xDF) {
      extra = 1;
      cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      extra = 2;
      cp = b & 0x0F;
      if (b == 0xE0)
        lo = 0xA0;  // overlong
      if (b == 0xED)
        hi = 0x9F;  // surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
      extra = 3;
      cp = b & 0x07;
      if (b == 0xF0)
        lo = 0x90;  // overlong
      if (b == 0xF4)
        hi = 0x8F;  // beyond U+10FFFF
    } else {
      out += kReplacement;
      ++*invalid;
      ++i;
      continue;
    }
    size_t j = i + 1;
    bool ok = true;
    for (int k = 0; k < extra; ++k, ++j) {
      unsigned char c = j < text.size() ? static_cast<unsigned char>(text[j]) : 0;
      unsigned char min = k == 0 ? lo : 0x80, max = k == 0 ? hi : 0xBF;
      if (j >= text.size() || c < min || c > max) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (c & 0x3F);
    }
    if (ok) {
      AppendUtf16(out, cp);
    } else {
      out += kReplacement;
      ++*invalid;
    }
    i = j;
  }
  return out;
}

}  // namespace

std::string ToUtf8(std::u16string_view text) {
  size_t invalid = 0;
  return EncodeUtf8(text, &invalid);
}

std::u16string FromUtf8(std::string_view text) {
  size_t invalid = 0;
  return DecodeUtf8(text, &invalid);
}

std::optional<std::u16string> FromUtf8Strict(std::string_view text) {
  size_t invalid = 0;
  std::u16string out = DecodeUtf8(text, &invalid);
  if (invalid != 0)
    return std::nullopt;
  return out;
}

char16_t Cp1252ToUnicode(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : char16_t(byte);
}

std::optional<unsigned char> Cp1252FromUnicode(char16_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
    return static_cast<unsigned char>(ch);
  for (size_t i = 0; i < kCp1252High.size(); ++i) {
    if (kCp1252High[i] == ch)
      return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

std::u16string FromCp1252(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char c : text)
    out += Cp1252ToUnicode(static_cast<unsigned char>(c));
  return out;
}

std::string ToCp1252(std::u16string_view text, char defaultChar, bool* usedDefault) {
  std::string out;
  out.reserve(text.size());
  bool used = false;
  for (char16_t c : text) {
    if (auto b = Cp1252FromUnicode(c)) {
      out += static_cast<char>(*b);
    } else {
      out += defaultChar;
      used = true;
    }
  }
  if (usedDefault != nullptr)
    *usedDefault = used;
  return out;
}

}  // namespace zwin32

namespace {

enum class CodePage { kAnsi, kUtf8, kUnknown };

CodePage Resolve(UINT codePage) {
  switch (codePage) {
    case CP_ACP:
    case CP_THREAD_ACP:
    case 1252:
      return CodePage::kAnsi;
    case CP_UTF8:
      return CodePage::kUtf8;
    default:
      return CodePage::kUnknown;
  }
}

int Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

// Copies a converted string to the caller's buffer, or reports the size it needs.
template <typename Char>
int Deliver(const std::basic_string<Char>& converted, Char* buffer, int capacity) {
  if (converted.size() > static_cast<size_t>(INT32_MAX))
    return Fail(ERROR_INVALID_PARAMETER);
  int size = static_cast<int>(converted.size());
  if (capacity == 0)
    return size;
  if (size > capacity)
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  std::memcpy(buffer, converted.data(), converted.size() * sizeof(Char));
  return size;
}

}  // namespace

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar) {
  if (lpMultiByteStr == nullptr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
      (cchWideChar > 0 && lpWideCharStr == nullptr) ||
      (cchWideChar > 0 && static_cast<const void*>(lpMultiByteStr) == lpWideCharStr)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  size_t length = cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : size_t(cbMultiByte);
  std::string_view in(lpMultiByteStr, length);
  switch (Resolve(CodePage)) {
    case CodePage::kAnsi:
      if ((dwFlags & ~DWORD(MB_PRECOMPOSED | MB_ERR_INVALID_CHARS)) != 0) {
        return Fail(ERROR_INVALID_FLAGS);
      }
      return Deliver(zwin32::FromCp1252(in), lpWideCharStr, cchWideChar);
    case CodePage::kUtf8: {
      if ((dwFlags & ~DWORD(MB_ERR_INVALID_CHARS)) != 0)
        return Fail(ERROR_INVALID_FLAGS);
      size_t invalid = 0;
      std::u16string out = zwin32::DecodeUtf8(in, &invalid);
      if (invalid != 0 && (dwFlags & MB_ERR_INVALID_CHARS) != 0) {
        return Fail(ERROR_NO_UNICODE_TRANSLATION);
      }
      return Deliver(out, lpWideCharStr, cchWideChar);
    }
    case CodePage::kUnknown:
      break;
  }
  return Fail(ERROR_INVALID_PARAMETER);
}

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                               LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                               LPBOOL lpUsedDefaultChar) {
  if (lpWideCharStr == nullptr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
      (cbMultiByte > 0 && lpMultiByteStr == nullptr) ||
      (cbMultiByte > 0 && static_cast<const void*>(lpWideCharStr) == lpMultiByteStr)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  size_t length = 0;
  if (cchWideChar == -1) {
    while (lpWideCharStr[length] != 0)
      ++length;
    ++length;
  } else {
    length = size_t(cchWideChar);
  }
  std::u16string_view in(lpWideCharStr, length);
  switch (Resolve(CodePage)) {
    case CodePage::kAnsi: {
      if ((dwFlags & ~DWORD(WC_NO_BEST_FIT_CHARS)) != 0)
        return Fail(ERROR_INVALID_FLAGS);
      bool used = false;
      std::string out = zwin32::ToCp1252(in, lpDefaultChar ? *lpDefaultChar : '?', &used);
      if (lpUsedDefaultChar != nullptr)
        *lpUsedDefaultChar = used ? TRUE : FALSE;
      return Deliver(out, lpMultiByteStr, cbMultiByte);
    }
    case CodePage::kUtf8: {
      if ((dwFlags & ~DWORD(WC_ERR_INVALID_CHARS)) != 0)
        return Fail(ERROR_INVALID_FLAGS);
      if (lpDefaultChar != nullptr || lpUsedDefaultChar != nullptr) {
        return Fail(ERROR_INVALID_PARAMETER);
      }
      size_t invalid = 0;
      std::string out = zwin32::EncodeUtf8(in, &invalid);
      if (invalid != 0 && (dwFlags & WC_ERR_INVALID_CHARS) != 0) {
        return Fail(ERROR_NO_UNICODE_TRANSLATION);
      }
      return Deliver(out, lpMultiByteStr, cbMultiByte);
    }
    case CodePage::kUnknown:
      break;
  }
  return Fail(ERROR_INVALID_PARAMETER);
}

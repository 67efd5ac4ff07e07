#include "tchar.h"

#include <string>

#include "casemap.h"
#include "zmfc/format.h"

size_t _tcslen(const TCHAR* str) {
  size_t n = 0;
  while (str[n] != 0)
    ++n;
  return n;
}

errno_t _tcscpy_s(TCHAR* dest, size_t size, const TCHAR* src) {
  if (src == nullptr) {
    if (dest != nullptr && size != 0)
      dest[0] = 0;
    return EINVAL;
  }
  return _tcsncpy_s(dest, size, src, _tcslen(src));
}

errno_t _tcsncpy_s(TCHAR* dest, size_t size, const TCHAR* src, size_t count) {
  if (dest == nullptr && size == 0 && count == 0)
    return 0;
  if (dest == nullptr || size == 0)
    return EINVAL;
  if (src == nullptr) {
    dest[0] = 0;
    return count == 0 ? 0 : EINVAL;
  }
  size_t n = 0;
  while (n < count && src[n] != 0)
    ++n;
  errno_t result = 0;
  if (n >= size) {
    if (count != _TRUNCATE) {
      dest[0] = 0;
      return ERANGE;
    }
    n = size - 1;
    result = STRUNCATE;
  }
  for (size_t i = 0; i < n; ++i)
    dest[i] = src[i];
  dest[n] = 0;
  return result;
}

errno_t _tcscat_s(TCHAR* dest, size_t size, const TCHAR* src) {
  if (dest == nullptr || size == 0)
    return EINVAL;
  size_t used = 0;
  while (used < size && dest[used] != 0)
    ++used;
  if (src == nullptr || used == size) {
    dest[0] = 0;  // no source, or dest holds no terminated string
    return EINVAL;
  }
  errno_t result = _tcscpy_s(dest + used, size - used, src);
  if (result != 0)
    dest[0] = 0;
  return result;
}

int _tcsncmp(const TCHAR* a, const TCHAR* b, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (a[i] != b[i])
      return a[i] < b[i] ? -1 : 1;
    if (a[i] == 0)
      break;
  }
  return 0;
}

int _tcscmp(const TCHAR* a, const TCHAR* b) {
  return _tcsncmp(a, b, _TRUNCATE);
}

// Windows folds to lower case for the case-insensitive comparisons, which orders '_' (0x5F)
// before the letters.
int _tcsnicmp(const TCHAR* a, const TCHAR* b, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    char16_t ca = zmfc::ToLower(a[i]), cb = zmfc::ToLower(b[i]);
    if (ca != cb)
      return ca < cb ? -1 : 1;
    if (ca == 0)
      break;
  }
  return 0;
}

int _tcsicmp(const TCHAR* a, const TCHAR* b) {
  return _tcsnicmp(a, b, _TRUNCATE);
}

const TCHAR* _tcsstr(const TCHAR* str, const TCHAR* sub) {
  std::u16string_view haystack(str);
  size_t at = haystack.find(sub);
  return at == std::u16string_view::npos ? nullptr : str + at;
}

const TCHAR* _tcschr(const TCHAR* str, TCHAR ch) {
  for (;; ++str) {
    if (*str == ch)
      return str;
    if (*str == 0)
      return nullptr;
  }
}

const TCHAR* _tcsrchr(const TCHAR* str, TCHAR ch) {
  const TCHAR* found = nullptr;
  for (;; ++str) {
    if (*str == ch)
      found = str;
    if (*str == 0)
      return found;
  }
}

int _vstprintf_s(TCHAR* buf, size_t size, const TCHAR* format, va_list args) {
  if (buf == nullptr || size == 0)
    return -1;
  if (format == nullptr) {
    buf[0] = 0;
    return -1;
  }
  std::u16string text = zmfc::FormatV(format, args);
  if (text.size() >= size) {
    buf[0] = 0;
    return -1;
  }
  text.copy(buf, text.size());
  buf[text.size()] = 0;
  return static_cast<int>(text.size());
}

namespace zmfc {

int PrintToBuffer(TCHAR* buf, size_t size, const TCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  int n = _vstprintf_s(buf, size, format, args);
  va_end(args);
  return n;
}

}  // namespace zmfc

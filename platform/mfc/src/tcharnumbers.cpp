// The number readers of tchar.h. The C library's strto* work on narrow text; UTF-16 digits are
// ASCII, so integers are read here and floating point through a narrow copy of the text.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "tchar.h"

namespace {

bool IsSpace(TCHAR ch) {
  return ch == u' ' || (ch >= u'\t' && ch <= u'\r');
}

int DigitValue(TCHAR ch) {
  if (ch >= u'0' && ch <= u'9')
    return ch - u'0';
  if (ch >= u'a' && ch <= u'z')
    return ch - u'a' + 10;
  if (ch >= u'A' && ch <= u'Z')
    return ch - u'A' + 10;
  return 99;
}

struct ParsedInteger {
  bool negative = false;
  bool overflow = false;  // the magnitude exceeds 64 bits
  uint64_t magnitude = 0;
  const TCHAR* end = nullptr;
};

ParsedInteger ParseInteger(const TCHAR* str, int base) {
  ParsedInteger result;
  result.end = str;
  if (str == nullptr || base < 0 || base == 1 || base > 36)
    return result;
  const TCHAR* p = str;
  while (IsSpace(*p))
    ++p;
  if (*p == u'-' || *p == u'+')
    result.negative = *p++ == u'-';
  bool hexPrefix = p[0] == u'0' && (p[1] == u'x' || p[1] == u'X') && DigitValue(p[2]) < 16;
  if ((base == 0 || base == 16) && hexPrefix) {
    p += 2;
    base = 16;
  } else if (base == 0) {
    base = p[0] == u'0' ? 8 : 10;
  }
  const TCHAR* digits = p;
  for (int d; (d = DigitValue(*p)) < base; ++p) {
    if (result.magnitude > (UINT64_MAX - uint64_t(d)) / uint64_t(base))
      result.overflow = true;
    result.magnitude = result.magnitude * uint64_t(base) + uint64_t(d);
  }
  if (p != digits)
    result.end = p;
  return result;
}

template <typename T>
T ToSigned(const ParsedInteger& n) {
  using Limits = std::numeric_limits<T>;
  uint64_t limit = n.negative ? uint64_t(Limits::max()) + 1 : uint64_t(Limits::max());
  if (n.overflow || n.magnitude > limit) {
    errno = ERANGE;
    return n.negative ? Limits::min() : Limits::max();
  }
  return n.negative ? T(-int64_t(n.magnitude - 1) - 1) : T(n.magnitude);
}

void SetEnd(TCHAR** endptr, const TCHAR* end) {
  if (endptr != nullptr)
    *endptr = const_cast<TCHAR*>(end);
}

}  // namespace

LONG _tcstol(const TCHAR* str, TCHAR** endptr, int base) {
  ParsedInteger n = ParseInteger(str, base);
  SetEnd(endptr, n.end);
  return ToSigned<LONG>(n);
}

LONGLONG _tcstoi64(const TCHAR* str, TCHAR** endptr, int base) {
  ParsedInteger n = ParseInteger(str, base);
  SetEnd(endptr, n.end);
  return ToSigned<LONGLONG>(n);
}

ULONG _tcstoul(const TCHAR* str, TCHAR** endptr, int base) {
  ParsedInteger n = ParseInteger(str, base);
  SetEnd(endptr, n.end);
  if (n.overflow || n.magnitude > std::numeric_limits<ULONG>::max()) {
    errno = ERANGE;
    return std::numeric_limits<ULONG>::max();
  }
  // As in C, a minus sign negates in the unsigned type.
  return n.negative ? ULONG(0) - ULONG(n.magnitude) : ULONG(n.magnitude);
}

int _ttoi(const TCHAR* str) {
  return _tcstol(str, nullptr, 10);
}

double _tcstod(const TCHAR* str, TCHAR** endptr) {
  SetEnd(endptr, str);
  if (str == nullptr)
    return 0.0;
  // One narrow byte per UTF-16 unit keeps the offsets; non-ASCII stops the number.
  std::string narrow;
  for (const TCHAR* p = str; *p != 0; ++p)
    narrow += *p < 0x80 ? char(*p) : '\x01';
  char* end = nullptr;
  double value = std::strtod(narrow.c_str(), &end);
  SetEnd(endptr, str + (end - narrow.c_str()));
  return value;
}

double _tstof(const TCHAR* str) {
  return _tcstod(str, nullptr);
}

// The wide printf engine. Numbers are rendered by the C library's snprintf, whose output is
// plain ASCII for them; strings and characters are placed here, since snprintf knows neither
// UTF-16 nor code page 1252.
#include "zmfc/format.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "zwin32/utf.h"

namespace zmfc {
namespace {

enum class Size { kDefault, kChar, kShort, kLong, kLongLong, kPointer, kWide };

struct Conversion {
  bool left = false, plus = false, space = false, alternate = false, zero = false;
  int width = 0;
  int precision = -1;  // -1: none
  Size size = Size::kDefault;
};

// Reads flags, width, precision and size at *p; returns false if the text ends first.
bool ParseConversion(const char16_t*& p, Conversion& field, va_list& args) {
  for (;; ++p) {
    if (*p == u'-') {
      field.left = true;
    } else if (*p == u'+') {
      field.plus = true;
    } else if (*p == u' ') {
      field.space = true;
    } else if (*p == u'#') {
      field.alternate = true;
    } else if (*p == u'0') {
      field.zero = true;
    } else {
      break;
    }
  }
  if (*p == u'*') {
    field.width = va_arg(args, int);
    if (field.width < 0) {
      field.left = true;
      field.width = -field.width;
    }
    ++p;
  } else {
    while (*p >= u'0' && *p <= u'9')
      field.width = field.width * 10 + (*p++ - u'0');
  }
  if (*p == u'.') {
    ++p;
    field.precision = 0;
    if (*p == u'*') {
      field.precision = va_arg(args, int);
      if (field.precision < 0)
        field.precision = -1;
      ++p;
    } else {
      while (*p >= u'0' && *p <= u'9')
        field.precision = field.precision * 10 + (*p++ - u'0');
    }
  }
  std::u16string_view rest(p);
  if (rest.starts_with(u"I64") || rest.starts_with(u"ll")) {
    field.size = Size::kLongLong;
    p += rest[0] == u'I' ? 3 : 2;
  } else if (rest.starts_with(u"I32")) {
    field.size = Size::kDefault;
    p += 3;
  } else if (rest.starts_with(u"hh")) {
    field.size = Size::kChar;
    p += 2;
  } else if (!rest.empty()) {
    switch (rest[0]) {
      case u'h':
        field.size = Size::kShort;
        ++p;
        break;
      case u'l':
        field.size = Size::kLong;
        ++p;
        break;
      case u'w':
        field.size = Size::kWide;
        ++p;
        break;
      case u'I':
      case u'z':
      case u'j':
      case u't':
        field.size = Size::kPointer;
        ++p;
        break;
      case u'L':  // long double is double on Windows
        ++p;
        break;
      default:
        break;
    }
  }
  return *p != 0;
}

// Pads text to the field width; MSVC pads strings with zeros too when asked.
void AppendPadded(std::u16string& out, std::u16string_view text, const Conversion& field) {
  size_t pad = field.width > 0 && size_t(field.width) > text.size() ? field.width - text.size() : 0;
  if (field.left) {
    out += text;
    out.append(pad, u' ');
  } else {
    out.append(pad, field.zero ? u'0' : u' ');
    out += text;
  }
}

void AppendString(std::u16string& out, std::u16string_view text, const Conversion& field) {
  if (field.precision >= 0 && size_t(field.precision) < text.size()) {
    text = text.substr(0, field.precision);
  }
  AppendPadded(out, text, field);
}

// Builds the narrow printf directive for a number: "%" flags width precision length conversion.
std::string NarrowDirective(const Conversion& field, const char* length, char conversion) {
  std::string d = "%";
  if (field.left)
    d += '-';
  if (field.plus)
    d += '+';
  if (field.space)
    d += ' ';
  if (field.alternate)
    d += '#';
  if (field.zero)
    d += '0';
  if (field.width > 0)
    d += std::to_string(field.width);
  if (field.precision >= 0)
    d += '.' + std::to_string(field.precision);
  d += length;
  d += conversion;
  return d;
}

template <typename T>
void AppendNumber(std::u16string& out, const Conversion& field, const char* length, char conversion,
                  T value) {
  std::string directive = NarrowDirective(field, length, conversion);
  char small[64];
  int n = std::snprintf(small, sizeof small, directive.c_str(), value);
  if (n < 0)
    return;
  std::string big;
  const char* text = small;
  if (size_t(n) >= sizeof small) {
    big.resize(size_t(n) + 1);
    std::snprintf(big.data(), big.size(), directive.c_str(), value);
    text = big.data();
  }
  for (int i = 0; i < n; ++i)
    out += static_cast<char16_t>(static_cast<unsigned char>(text[i]));
}

void AppendInteger(std::u16string& out, const Conversion& field, char conversion, va_list& args) {
  bool isSigned = conversion == 'd' || conversion == 'i';
  if (field.size == Size::kLongLong || field.size == Size::kPointer) {
    if (isSigned) {
      AppendNumber(out, field, "ll", conversion, va_arg(args, long long));
    } else {
      AppendNumber(out, field, "ll", conversion, va_arg(args, unsigned long long));
    }
    return;
  }
  // Everything narrower arrives promoted to int.
  int raw = va_arg(args, int);
  if (isSigned) {
    long long v = field.size == Size::kShort  ? static_cast<short>(raw)
                  : field.size == Size::kChar ? static_cast<signed char>(raw)
                                              : raw;
    AppendNumber(out, field, "ll", conversion, v);
  } else {
    unsigned long long v = field.size == Size::kShort  ? static_cast<unsigned short>(raw)
                           : field.size == Size::kChar ? static_cast<unsigned char>(raw)
                                                       : static_cast<unsigned int>(raw);
    AppendNumber(out, field, "ll", conversion, v);
  }
}

void AppendPointer(std::u16string& out, const Conversion& field, const void* value) {
  char text[32];
  std::snprintf(text, sizeof text, "%016llX",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(value)));
  std::u16string wide(text, text + 16);
  Conversion padding = field;
  padding.zero = false;
  AppendPadded(out, wide, padding);
}

// One directive after its '%'; p is left on the conversion character.
void AppendDirective(std::u16string& out, const char16_t*& p, va_list& args) {
  const char16_t* start = p - 1;
  Conversion field;
  if (!ParseConversion(p, field, args)) {
    out.append(start, p);
    --p;  // let the caller's loop stop on the terminator
    return;
  }
  char16_t conversion = *p;
  bool narrowByDefault = conversion == u'S' || conversion == u'C';
  bool narrow = field.size == Size::kShort ||
                (narrowByDefault && field.size != Size::kLong && field.size != Size::kWide);
  switch (conversion) {
    case u'%':
      out += u'%';
      break;
    case u's':
    case u'S':
      if (narrow) {
        const char* s = va_arg(args, const char*);
        AppendString(out, s ? zwin32::FromCp1252(s) : u"(null)", field);
      } else {
        const char16_t* s = va_arg(args, const char16_t*);
        AppendString(out, s ? std::u16string_view(s) : u"(null)", field);
      }
      break;
    case u'c':
    case u'C': {
      int raw = va_arg(args, int);
      char16_t ch = narrow ? zwin32::Cp1252ToUnicode(static_cast<unsigned char>(raw))
                           : static_cast<char16_t>(raw);
      Conversion noPrecision = field;
      noPrecision.precision = -1;
      AppendString(out, std::u16string_view(&ch, 1), noPrecision);
      break;
    }
    case u'd':
    case u'i':
    case u'u':
    case u'o':
    case u'x':
    case u'X':
      AppendInteger(out, field, static_cast<char>(conversion), args);
      break;
    case u'e':
    case u'E':
    case u'f':
    case u'F':
    case u'g':
    case u'G':
    case u'a':
    case u'A':
      AppendNumber(out, field, "", static_cast<char>(conversion), va_arg(args, double));
      break;
    case u'p':
      AppendPointer(out, field, va_arg(args, const void*));
      break;
    default:
      out.append(start, p + 1);
      break;
  }
}

}  // namespace

void AppendFormatV(std::u16string& out, const char16_t* format, va_list args) {
  if (format == nullptr)
    return;
  // va_list is an array on x86-64; a local copy lets the helpers take it by reference.
  va_list ap;
  va_copy(ap, args);
  for (const char16_t* p = format; *p != 0; ++p) {
    if (*p != u'%') {
      out += *p;
      continue;
    }
    ++p;
    AppendDirective(out, p, ap);
  }
  va_end(ap);
}

std::u16string FormatV(const char16_t* format, va_list args) {
  std::u16string out;
  AppendFormatV(out, format, args);
  return out;
}

}  // namespace zmfc

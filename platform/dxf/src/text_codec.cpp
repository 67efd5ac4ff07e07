#include "zdxf/text_codec.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <type_traits>

namespace zdxf {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// $DWGCODEPAGE names are "ANSI_<n>" or "DOS<n>"; the C library knows the same tables as "CP<n>".
std::string iconv_name(std::string_view code_page) {
  std::string upper;
  for (char c : code_page)
    upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::string digits;
  if (upper.rfind("ANSI_", 0) == 0) {
    digits = upper.substr(5);
  } else if (upper.rfind("DOS", 0) == 0) {
    digits = upper.substr(3);
  }
  if (digits.empty() || digits.size() > 5 ||
      digits.find_first_not_of("0123456789") != std::string::npos) {
    return {};
  }
  return "CP" + digits;
}

iconv_t open_iconv(const std::string& to, const std::string& from) {
  return iconv_open(to.c_str(), from.c_str());
}

// Printable ASCII without a backslash (escapes such as \U+XXXX) or a caret (caret codes): text
// whose bytes and characters are the same in every code page.
template <typename Char>
bool is_plain(std::basic_string_view<Char> s) {
  for (Char c : s) {
    if (!is_plain_character(static_cast<std::make_unsigned_t<Char>>(c)))
      return false;
  }
  return true;
}

bool is_ascii(std::string_view s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80)
      return false;
  }
  return true;
}

int hex_digit(char16_t c) {
  if (c >= u'0' && c <= u'9')
    return c - u'0';
  if (c >= u'A' && c <= u'F')
    return c - u'A' + 10;
  if (c >= u'a' && c <= u'f')
    return c - u'a' + 10;
  return -1;
}

int hex4(std::u16string_view s, std::size_t at) {
  if (at + 4 > s.size())
    return -1;
  int v = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    int d = hex_digit(s[at + i]);
    if (d < 0)
      return -1;
    v = v * 16 + d;
  }
  return v;
}

void append_utf8(std::string& out, char32_t cp) {
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

void append_utf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

// Caret codes: ^@..^_ are control characters 0..31, "^ " is a caret; anything else stays.
std::u16string uncaret(std::u16string s) {
  if (s.find(u'^') == std::u16string::npos)
    return s;
  std::u16string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'^' && i + 1 < s.size()) {
      char16_t n = s[i + 1];
      if (n == u' ') {
        out += u'^';
        ++i;
        continue;
      }
      if (n >= u'@' && n <= u'_') {
        out += static_cast<char16_t>(n - u'@');
        ++i;
        continue;
      }
    }
    out += s[i];
  }
  return out;
}

std::u16string caret(std::u16string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (char16_t c : s) {
    if (c < 0x20) {
      out += u'^';
      out += static_cast<char16_t>(c + u'@');
    } else if (c == u'^') {
      out += u"^ ";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::u16string utf8_to_utf16(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const auto* end = p + s.size();
  while (p < end) {
    unsigned char c = *p;
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0 || end - p <= extra) {
      out += kReplacement;
      ++p;
      continue;
    }
    char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
    bool ok = true;
    for (int i = 1; i <= extra; ++i) {
      if ((p[i] & 0xC0) != 0x80)
        ok = false;
      cp = (cp << 6) | (p[i] & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (!ok || cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out += kReplacement;
      ++p;
      continue;
    }
    append_utf16(out, cp);
    p += extra + 1;
  }
  return out;
}

std::string utf16_to_utf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    append_utf8(out, c);
  }
  return out;
}

// iconv descriptors keep state and are not thread-safe; one pair per codec, reset per call.
struct TextCodec::Converters {
  iconv_t to_utf16 = reinterpret_cast<iconv_t>(-1);
  iconv_t from_utf16 = reinterpret_cast<iconv_t>(-1);
  ~Converters() {
    if (to_utf16 != reinterpret_cast<iconv_t>(-1))
      iconv_close(to_utf16);
    if (from_utf16 != reinterpret_cast<iconv_t>(-1))
      iconv_close(from_utf16);
  }
};

bool TextCodec::known_code_page(std::string_view code_page) {
  std::string name = iconv_name(code_page);
  if (name.empty())
    return false;
  iconv_t cd = open_iconv("UTF-16LE", name);
  if (cd == reinterpret_cast<iconv_t>(-1))
    return false;
  iconv_close(cd);
  return true;
}

TextCodec::TextCodec(bool utf8, std::string_view code_page) : utf8_(utf8) {
  if (utf8)
    return;
  std::string name = iconv_name(code_page);
  auto c = std::make_unique<Converters>();
  if (!name.empty()) {
    c->to_utf16 = open_iconv("UTF-16LE", name);
    c->from_utf16 = open_iconv(name, "UTF-16LE");
  }
  if (c->to_utf16 == reinterpret_cast<iconv_t>(-1) ||
      c->from_utf16 == reinterpret_cast<iconv_t>(-1)) {
    throw std::invalid_argument("unknown code page '" + std::string(code_page) + "'");
  }
  conv_ = std::move(c);
}

TextCodec::~TextCodec() = default;
TextCodec::TextCodec(TextCodec&&) noexcept = default;
TextCodec& TextCodec::operator=(TextCodec&&) noexcept = default;

namespace {

// Converts `in` with `cd`; input that does not convert becomes U+FFFD (decoding) or is handed to
// `on_fail` one UTF-16 unit at a time (encoding).
template <typename OnFail>
std::string run_iconv(iconv_t cd, std::string_view in, OnFail on_fail, std::size_t fail_step) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string out;
  char buf[1024];
  char* src = const_cast<char*>(in.data());
  std::size_t left = in.size();
  while (left > 0) {
    char* dst = buf;
    std::size_t room = sizeof buf;
    std::size_t r = iconv(cd, &src, &left, &dst, &room);
    out.append(buf, static_cast<std::size_t>(dst - buf));
    if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
      std::size_t step = std::min(fail_step, left);
      on_fail(out, std::string_view(src, step));
      src += step;
      left -= step;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  // Flush any shift state (stateful code pages).
  char* dst = buf;
  std::size_t room = sizeof buf;
  iconv(cd, nullptr, nullptr, &dst, &room);
  out.append(buf, static_cast<std::size_t>(dst - buf));
  return out;
}

std::u16string from_utf16le(const std::string& bytes) {
  std::u16string out(bytes.size() / 2, u'\0');
  std::memcpy(out.data(), bytes.data(), out.size() * 2);
  return out;
}

// \M+nXXXX: a double-byte character of an East-Asian code page n.
const char* mbcs_code_page(char16_t n) {
  switch (n) {
    case u'1':
      return "CP932";
    case u'2':
      return "CP950";
    case u'3':
      return "CP949";
    case u'4':
      return "JOHAB";
    case u'5':
      return "CP936";
    default:
      return nullptr;
  }
}

std::u16string decode_mbcs(char16_t n, int value) {
  const char* cp = mbcs_code_page(n);
  if (cp == nullptr)
    return {};
  iconv_t cd = iconv_open("UTF-16LE", cp);
  if (cd == reinterpret_cast<iconv_t>(-1))
    return {};
  char in[2] = {static_cast<char>(value >> 8), static_cast<char>(value & 0xFF)};
  bool bad = false;
  std::string out = run_iconv(
      cd, std::string_view(in, 2), [&](std::string&, std::string_view) { bad = true; }, 2);
  iconv_close(cd);
  if (bad || out.size() != 2)
    return {};
  return from_utf16le(out);
}

std::u16string unescape(std::u16string s) {
  if (s.find(u'\\') == std::u16string::npos)
    return s;
  std::u16string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'\\' && i + 2 < s.size() && s[i + 2] == u'+') {
      if (s[i + 1] == u'U' || s[i + 1] == u'u') {
        int v = hex4(s, i + 3);
        if (v >= 0) {
          out += static_cast<char16_t>(v);
          i += 6;
          continue;
        }
      } else if ((s[i + 1] == u'M' || s[i + 1] == u'm') && i + 3 < s.size()) {
        int v = hex4(s, i + 4);
        std::u16string ch = v >= 0 ? decode_mbcs(s[i + 3], v) : std::u16string();
        if (!ch.empty()) {
          out += ch;
          i += 7;
          continue;
        }
      }
    }
    out += s[i];
  }
  return out;
}

}  // namespace

std::u16string TextCodec::decode(std::string_view bytes) const {
  // Plain ASCII with no escape or caret reads the same in every code page: widened as it is.
  if (is_plain(bytes))
    return std::u16string(bytes.begin(), bytes.end());
  std::u16string text;
  if (utf8_ || is_ascii(bytes)) {
    text = utf8_to_utf16(bytes);
  } else {
    std::string wide = run_iconv(
        conv_->to_utf16, bytes,
        [](std::string& out, std::string_view) { out.append("\xFD\xFF", 2); }, 1);
    text = from_utf16le(wide);
  }
  return uncaret(unescape(std::move(text)));
}

std::string TextCodec::encode(std::u16string_view text) const {
  if (is_plain(text))
    return std::string(text.begin(), text.end());
  std::u16string careted = caret(text);
  if (utf8_)
    return utf16_to_utf8(careted);
  bool ascii = true;
  for (char16_t c : careted)
    ascii = ascii && c < 0x80;
  if (ascii)
    return utf16_to_utf8(careted);
  std::string_view raw(reinterpret_cast<const char*>(careted.data()), careted.size() * 2);
  // A character the code page lacks is written \U+XXXX, which every reader decodes back.
  return run_iconv(
      conv_->from_utf16, raw,
      [](std::string& out, std::string_view unit) {
        char16_t c;
        std::memcpy(&c, unit.data(), 2);
        static const char kHex[] = "0123456789ABCDEF";
        out += "\\U+";
        for (int shift = 12; shift >= 0; shift -= 4)
          out += kHex[(c >> shift) & 0xF];
      },
      2);
}

}  // namespace zdxf

#include <gtest/gtest.h>

#include <string>

#include "windows.h"
#include "zwin32/utf.h"

namespace {

std::u16string ToWide(UINT codePage, const std::string& bytes, DWORD flags = 0) {
  int n = MultiByteToWideChar(codePage, flags, bytes.data(), int(bytes.size()), nullptr, 0);
  std::u16string out(size_t(n), u'\0');
  if (n > 0) {
    EXPECT_EQ(n,
              MultiByteToWideChar(codePage, flags, bytes.data(), int(bytes.size()), out.data(), n));
  }
  return out;
}

TEST(CodePages, Cp1252SpecialsRoundTripThroughTheAnsiCodePage) {
  // The 0x80..0x9F block is where 1252 differs from Latin-1.
  const std::string bytes = "\x80\x85\x8C\x92\x96\x99\x9C\x9F\xE9\xE0\xFF";
  const std::u16string wide = u"\u20AC\u2026\u0152\u2019\u2013\u2122\u0153\u0178éàÿ";
  EXPECT_EQ(wide, ToWide(CP_ACP, bytes));
  EXPECT_EQ(wide, ToWide(1252, bytes));

  char out[32] = {};
  BOOL usedDefault = TRUE;
  int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), out, sizeof out, nullptr,
                              &usedDefault);
  EXPECT_EQ(bytes, std::string(out, size_t(n)));
  EXPECT_FALSE(usedDefault);

  // The bytes 1252 leaves undefined still decode, to the C1 control of the same value.
  EXPECT_EQ(std::u16string(u"\u0081\u008D\u009D"),
            ToWide(1252, "\x81\x8D\x9D", MB_ERR_INVALID_CHARS));
}

TEST(CodePages, UnmappableCharactersBecomeTheDefaultChar) {
  const std::u16string wide = u"a\u0100b\u4E2D\U0001F600";  // Ā, 中, an emoji (two units)
  char out[16] = {};
  BOOL usedDefault = FALSE;
  int n = WideCharToMultiByte(1252, 0, wide.data(), int(wide.size()), out, sizeof out, nullptr,
                              &usedDefault);
  EXPECT_EQ("a?b???", std::string(out, size_t(n)));
  EXPECT_TRUE(usedDefault);

  n = WideCharToMultiByte(1252, 0, u"x\u4E2D", 2, out, sizeof out, "#", nullptr);
  EXPECT_EQ("x#", std::string(out, size_t(n)));

  EXPECT_EQ("?z", zwin32::ToCp1252(u"\u0400z"));
}

TEST(CodePages, SizingCallsAndTerminators) {
  // -1 counts the terminator in and writes it.
  EXPECT_EQ(5, MultiByteToWideChar(CP_UTF8, 0, "caf\xC3\xA9", -1, nullptr, 0));
  WCHAR wide[8];
  ASSERT_EQ(5, MultiByteToWideChar(CP_UTF8, 0, "caf\xC3\xA9", -1, wide, 8));
  EXPECT_EQ(std::u16string(u"café"), std::u16string(wide));

  EXPECT_EQ(6, WideCharToMultiByte(CP_UTF8, 0, u"café", -1, nullptr, 0, nullptr, nullptr));
  EXPECT_EQ(5, WideCharToMultiByte(1252, 0, u"café", -1, nullptr, 0, nullptr, nullptr));

  // A buffer one too small fails without guessing.
  SetLastError(0);
  EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, 0, "caf\xC3\xA9", -1, wide, 4));
  EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());
  char narrow[4];
  EXPECT_EQ(0, WideCharToMultiByte(CP_UTF8, 0, u"café", 4, narrow, 4, nullptr, nullptr));
  EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());

  // Bad parameters.
  SetLastError(0);
  EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, 0, "abc", 0, wide, 8));
  EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());
  EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, 0, nullptr, -1, wide, 8));
  EXPECT_EQ(0, MultiByteToWideChar(874, 0, "abc", -1, wide, 8));
  EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());
  BOOL used;
  EXPECT_EQ(0, WideCharToMultiByte(CP_UTF8, 0, u"a", -1, narrow, 4, nullptr, &used));
  EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());
  EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, MB_PRECOMPOSED, "a", -1, wide, 8));
  EXPECT_EQ(DWORD(ERROR_INVALID_FLAGS), GetLastError());
}

TEST(CodePages, InvalidUtf8IsReplacedOrRejected) {
  struct Case {
    std::string bytes;
    std::u16string replaced;
  } cases[] = {
      {"a\xFF"
       "b",
       u"a\uFFFDb"},                                      // never a UTF-8 byte
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong '/'
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
      {"x\xE2\x82", u"x\uFFFD"},                          // truncated euro sign
      {"\xE2\x82"
       "A",
       u"\uFFFD"
       "A"},                // broken sequence keeps the next character
      {"\x80", u"\uFFFD"},  // lone continuation byte
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(c.replaced, ToWide(CP_UTF8, c.bytes));
    EXPECT_EQ(c.replaced, zwin32::FromUtf8(c.bytes));
    EXPECT_FALSE(zwin32::FromUtf8Strict(c.bytes).has_value());
    WCHAR out[16];
    SetLastError(0);
    EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, c.bytes.data(),
                                     int(c.bytes.size()), out, 16));
    EXPECT_EQ(DWORD(ERROR_NO_UNICODE_TRANSLATION), GetLastError());
  }
}

TEST(CodePages, Utf8RoundTripsEveryPlane) {
  using namespace std::string_literals;
  const std::u16string withNul = u"Aé€中\U0001F600\U0010FFFF\0z"s;
  std::string utf8 = zwin32::ToUtf8(withNul);
  EXPECT_EQ("A\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF" +
                std::string(1, '\0') + "z",
            utf8);
  EXPECT_EQ(withNul, zwin32::FromUtf8(utf8));
  EXPECT_EQ(withNul, *zwin32::FromUtf8Strict(utf8));
  EXPECT_EQ(withNul, ToWide(CP_UTF8, utf8, MB_ERR_INVALID_CHARS));

  // A lone surrogate becomes U+FFFD, or fails under WC_ERR_INVALID_CHARS.
  const char16_t lone[] = {u'a', 0xD800, u'b'};
  EXPECT_EQ(
      "a\xEF\xBF\xBD"
      "b",
      zwin32::ToUtf8(std::u16string_view(lone, 3)));
  char out[16];
  SetLastError(0);
  EXPECT_EQ(0,
            WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, lone, 3, out, 16, nullptr, nullptr));
  EXPECT_EQ(DWORD(ERROR_NO_UNICODE_TRANSLATION), GetLastError());
  EXPECT_EQ(5, WideCharToMultiByte(CP_UTF8, 0, lone, 3, out, 16, nullptr, nullptr));
}

}  // namespace

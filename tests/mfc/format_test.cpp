#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "afx.h"

namespace {

std::u16string S(const CString& s) {
  return std::u16string(s.GetString(), size_t(s.GetLength()));
}

template <typename... Args>
std::u16string Fmt(const TCHAR* format, const Args&... args) {
  CString s;
  s.Format(format, args...);
  return S(s);
}

TEST(Format, Strings) {
  // %s and %ls are wide in a Unicode build; %S and %hs narrow (code page 1252).
  EXPECT_EQ(u"[Évaluer les côtés]", Fmt(_T("[%s]"), _T("Évaluer les côtés")));
  EXPECT_EQ(u"[é]", Fmt(_T("[%ls]"), _T("é")));
  EXPECT_EQ(u"[caf\u00E9 \u20AC]", Fmt(_T("[%S]"), "caf\xE9 \x80"));
  EXPECT_EQ(u"[caf\u00E9]", Fmt(_T("[%hs]"), "caf\xE9"));
  EXPECT_EQ(u"[\U0001F600x]", Fmt(_T("[%s]"), _T("\U0001F600x")));
  EXPECT_EQ(u"[(null)]", Fmt(_T("[%s]"), static_cast<const TCHAR*>(nullptr)));

  // Width, precision (in UTF-16 units), left alignment, '*'.
  EXPECT_EQ(u"[   ab][ab   ][abc][  é]",
            Fmt(_T("[%5s][%-5s][%.3s][%*s]"), _T("ab"), _T("ab"), _T("abcdef"), 3, _T("é")));
  EXPECT_EQ(u"[ab   ][ab]", Fmt(_T("[%*s][%.*s]"), -5, _T("ab"), 2, _T("abc")));

  // A CString goes straight into the argument list, as MFC code passes it.
  CString dir(_T("C:\\Programmes")), app(_T("Société")), file(_T("QrStrings.mdb"));
  EXPECT_EQ(u"C:\\Programmes\\Société\\QrStrings.mdb", Fmt(_T("%s\\%s\\%s"), dir, app, file));
  EXPECT_EQ(u"C:\\Programmes\\x", Fmt(_T("%s\\%s"), (LPCTSTR)dir, _T("x")));
}

TEST(Format, Characters) {
  EXPECT_EQ(u"[é][x][\u20AC][é][  z][z  ]", Fmt(_T("[%c][%lc][%C][%hc][%3c][%-3c]"), _T('é'),
                                                _T('x'), '\x80', '\xE9', _T('z'), _T('z')));
}

TEST(Format, Integers) {
  EXPECT_EQ(u"-42 42 4294967254 -7", Fmt(_T("%d %i %u %ld"), -42, 42, -42, -7));
  EXPECT_EQ(u"ff FF 0xff 0XFF 17 021", Fmt(_T("%x %X %#x %#X %o %#o"), 255, 255, 255, 255, 15, 17));
  EXPECT_EQ(u"[  -42][-42  ][-0042][+42][ 42][00042]",
            Fmt(_T("[%5d][%-5d][%05d][%+d][% d][%.5d]"), -42, -42, -42, 42, 42, 42));
  EXPECT_EQ(u"[   42]", Fmt(_T("[%*d]"), 5, 42));
  EXPECT_EQ(u"-1 65535 -1 255", Fmt(_T("%hd %hu %hhd %hhu"), 65535, -1, 255, -1));
  EXPECT_EQ(u"-9223372036854775808 18446744073709551615 123456789012",
            Fmt(_T("%I64d %llu %Id"), INT64_MIN, UINT64_MAX, std::intptr_t(123456789012)));
  EXPECT_EQ(u"-1 ffffffff", Fmt(_T("%I32d %I32x"), -1, -1));
}

TEST(Format, FloatingPoint) {
  EXPECT_EQ(u"3.141593 3.14 -2.50 1.000000e+03 1.5E-07 0.0001 1e+20 1E+20",
            Fmt(_T("%f %.2f %.2f %e %.1E %g %g %G"), 3.14159265, 3.14159, -2.5, 1000.0, 1.5e-7,
                0.0001, 1e20, 1e20));
  EXPECT_EQ(u"[   1.50][1.50   ][0001.50][+1.5]",
            Fmt(_T("[%7.2f][%-7.2f][%07.2f][%+.1f]"), 1.5, 1.5, 1.5, 1.5));
  EXPECT_EQ(u"2.5", Fmt(_T("%g"), 2.5f));  // float promotes to double
}

TEST(Format, PointersPercentAndOddDirectives) {
  int x = 0;
  std::u16string p = Fmt(_T("%p"), static_cast<void*>(&x));
  ASSERT_EQ(16u, p.size());
  EXPECT_EQ(std::u16string::npos, p.find_first_not_of(u"0123456789ABCDEF"));
  EXPECT_EQ(u"0000000000000000", Fmt(_T("%p"), static_cast<void*>(nullptr)));
  EXPECT_EQ(u"100% sûr", Fmt(_T("%d%% sûr"), 100));
  EXPECT_EQ(u"a %y b", Fmt(_T("a %y b")));  // an unknown conversion is copied as written
  EXPECT_EQ(u"trailing %", Fmt(_T("trailing %")));
  EXPECT_EQ(u"", Fmt(_T("")));
}

TEST(Format, AppendFormatAndFormatOverItself) {
  CString s(_T("x="));
  s.AppendFormat(_T("%d"), 5);
  s.AppendFormat(_T(", %s"), _T("é"));
  EXPECT_EQ(u"x=5, é", S(s));
  s.Format(_T("[%s|%s]"), s, s);  // the old text is read before it is replaced
  EXPECT_EQ(u"[x=5, é|x=5, é]", S(s));
  s.Format(_T("%d"), 1);
  EXPECT_EQ(u"1", S(s));

  // A long result goes past any fixed buffer.
  CString longer;
  longer.Format(_T("%s%0300d"), _T("a"), 7);
  EXPECT_EQ(301, longer.GetLength());
  EXPECT_EQ(_T('7'), longer[300]);
}

}  // namespace

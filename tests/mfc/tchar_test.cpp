#include <gtest/gtest.h>

#include <string>

#include "afx.h"

namespace {

TEST(TChar, CopyAndConcatenateIntoFixedBuffers) {
  TCHAR buf[6];
  EXPECT_EQ(0, _tcscpy_s(buf, _T("héllo")));
  EXPECT_EQ(5u, _tcslen(buf));
  EXPECT_EQ(ERANGE, _tcscpy_s(buf, _T("toolong")));
  EXPECT_EQ(0, buf[0]);  // a failed copy leaves an empty string, never a partial one
  EXPECT_EQ(EINVAL, _tcscpy_s(buf, nullptr));

  EXPECT_EQ(0, _tcsncpy_s(buf, _T("abcdef"), 3));
  EXPECT_EQ(std::u16string(u"abc"), buf);
  EXPECT_EQ(STRUNCATE, _tcsncpy_s(buf, _T("abcdefgh"), _TRUNCATE));
  EXPECT_EQ(std::u16string(u"abcde"), buf);
  EXPECT_EQ(ERANGE, _tcsncpy_s(buf, _T("abcdefgh"), 7));
  EXPECT_EQ(0, buf[0]);

  EXPECT_EQ(0, _tcscpy_s(buf, _T("ab")));
  EXPECT_EQ(0, _tcscat_s(buf, _T("cd")));
  EXPECT_EQ(std::u16string(u"abcd"), buf);
  EXPECT_EQ(ERANGE, _tcscat_s(buf, _T("ef")));
  EXPECT_EQ(0, buf[0]);
}

TEST(TChar, CompareAndSearch) {
  EXPECT_EQ(0, _tcscmp(_T("abc"), _T("abc")));
  EXPECT_LT(_tcscmp(_T("ab"), _T("abc")), 0);
  EXPECT_GT(_tcscmp(_T("é"), _T("z")), 0);  // by UTF-16 unit
  EXPECT_EQ(0, _tcsncmp(_T("abcX"), _T("abcY"), 3));
  EXPECT_EQ(0, _tcsicmp(_T("ACAD_Zant"), _T("acad_zANT")));
  EXPECT_EQ(0, _tcsicmp(_T("Écran"), _T("éCRAN")));
  EXPECT_NE(0, _tcsicmp(_T("a"), _T("ab")));
  EXPECT_EQ(0, _tcsnicmp(_T("ABx"), _T("aby"), 2));

  const TCHAR* text = _T("C:\\a\\b.dwg");
  EXPECT_EQ(text + 5, _tcsstr(text, _T("b.")));
  EXPECT_EQ(text, _tcsstr(text, _T("")));
  EXPECT_EQ(nullptr, _tcsstr(text, _T("x")));
  EXPECT_EQ(text + 2, _tcschr(text, _T('\\')));
  EXPECT_EQ(text + 4, _tcsrchr(text, _T('\\')));
  EXPECT_EQ(text + 10, _tcschr(text, 0));
  EXPECT_EQ(nullptr, _tcschr(text, _T('z')));
  TCHAR mutableText[] = _T("x=y");
  TCHAR* eq = _tcschr(mutableText, _T('='));
  *eq = 0;
  EXPECT_EQ(std::u16string(u"x"), mutableText);
}

TEST(TChar, PrintIntoFixedBuffers) {
  TCHAR buf[16];
  EXPECT_EQ(7, _stprintf_s(buf, _T("%s-%03d"), _T("été"), 7));
  EXPECT_EQ(std::u16string(u"été-007"), buf);
  CString name(_T("nom"));
  EXPECT_EQ(5, _stprintf_s(buf, 16, _T("[%s]"), name));
  EXPECT_EQ(std::u16string(u"[nom]"), buf);
  // Too long for the buffer: -1 and an empty string.
  EXPECT_EQ(-1, _stprintf_s(buf, _T("%20d"), 1));
  EXPECT_EQ(0, buf[0]);
  EXPECT_EQ(15, _stprintf_s(buf, _T("%15d"), 1));
}

}  // namespace

namespace {

TEST(TChar, ReadNumbers) {
  TCHAR* end = nullptr;
  const TCHAR* text = _T("  -42xyz");
  EXPECT_EQ(-42, _tcstol(text, &end, 10));
  EXPECT_EQ(text + 5, end);
  EXPECT_EQ(0x2A3, _tcstol(_T("2A3"), &end, 16));
  EXPECT_EQ(0x2A3, _tcstol(_T("0x2a3"), nullptr, 0));
  EXPECT_EQ(8, _tcstol(_T("010"), nullptr, 0));
  text = _T("0xg");  // "0x" without hex digits: just the 0
  EXPECT_EQ(0, _tcstol(text, &end, 16));
  EXPECT_EQ(text + 1, end);
  text = _T(" +-1");
  EXPECT_EQ(0, _tcstol(text, &end, 10));
  EXPECT_EQ(text, end);  // no number: end is the start

  // Windows' long is 32 bits.
  errno = 0;
  EXPECT_EQ(2147483647, _tcstol(_T("2147483648"), nullptr, 10));
  EXPECT_EQ(ERANGE, errno);
  errno = 0;
  EXPECT_EQ(-2147483647 - 1, _tcstol(_T("-2147483648"), nullptr, 10));
  EXPECT_EQ(0, errno);
  EXPECT_EQ(-2147483647 - 1, _tcstol(_T("-99999999999999999999999"), nullptr, 10));
  EXPECT_EQ(ERANGE, errno);
  EXPECT_EQ(4294967295u, _tcstoul(_T("-1"), nullptr, 10));
  EXPECT_EQ(4294967295u, _tcstoul(_T("4294967296"), nullptr, 10));
  EXPECT_EQ(INT64_MIN, _tcstoi64(_T("-9223372036854775808"), nullptr, 10));
  EXPECT_EQ(1234567890123LL, _tcstoi64(_T("1234567890123"), nullptr, 10));
  EXPECT_EQ(675, _ttoi(_T("675 mm")));
  EXPECT_EQ(0, _ttoi(_T("é")));

  text = _T(" -1.5e3é");
  EXPECT_DOUBLE_EQ(-1500.0, _tcstod(text, &end));
  EXPECT_EQ(text + 7, end);
  EXPECT_DOUBLE_EQ(0.25, _tstof(_T("0.25")));
  EXPECT_DOUBLE_EQ(0.0, _tstof(_T("abc")));
}

}  // namespace

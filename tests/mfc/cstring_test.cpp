#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "afx.h"

namespace {

std::u16string S(const CString& s) {
  return std::u16string(s.GetString(), size_t(s.GetLength()));
}

TEST(CString, ConstructionAndAssignment) {
  CString empty;
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(0, (LPCTSTR(empty))[0]);
  EXPECT_EQ(u"", S(CString(static_cast<LPCTSTR>(nullptr))));
  EXPECT_EQ(u"Côté", S(CString(_T("Côté"))));
  EXPECT_EQ(u"Cô", S(CString(_T("Côté"), 2)));
  EXPECT_EQ(u"---", S(CString(_T('-'), 3)));
  // Narrow text converts through the ANSI code page, 1252.
  EXPECT_EQ(u"d\u00E9j\u00E0 \u20AC", S(CString("d\xE9j\xE0 \x80")));
  EXPECT_EQ(u"d\u00E9", S(CString("d\xE9j", 2)));

  CString a(_T("alpha"));
  CString b(a);
  b.SetAt(0, _T('A'));
  EXPECT_EQ(u"alpha", S(a));  // copies are independent
  EXPECT_EQ(u"Alpha", S(b));
  CString c(std::move(b));
  EXPECT_EQ(u"Alpha", S(c));
  EXPECT_TRUE(b.IsEmpty());  // NOLINT(bugprone-use-after-move): MFC leaves it empty
  c = a;
  c = static_cast<LPCTSTR>(c) + 2;  // assigning a tail of itself
  EXPECT_EQ(u"pha", S(c));
  c = "\xE9t\xE9";
  EXPECT_EQ(u"été", S(c));
  c = _T('z');
  EXPECT_EQ(u"z", S(c));
  c.Empty();
  EXPECT_EQ(0, c.GetLength());

  // Only the character pointer is stored, as Windows code relying on the layout expects.
  static_assert(sizeof(CString) == sizeof(LPCTSTR));
  CString layout(_T("xy"));
  EXPECT_EQ(LPCTSTR(layout), *reinterpret_cast<LPCTSTR*>(&layout));
}

TEST(CString, ElementAccessAndConcatenation) {
  CString s(_T("ab"));
  EXPECT_EQ(_T('a'), s.GetAt(0));
  EXPECT_EQ(_T('b'), s[1]);
  EXPECT_EQ(0, s.GetAt(2));  // out of range reads nothing
  s.SetAt(5, _T('x'));
  EXPECT_EQ(u"ab", S(s));

  s += _T("cd");
  s += CString(_T("é"));
  s += _T('!');
  s += "\x80";
  EXPECT_EQ(u"abcdé!€", S(s));
  s += s;  // appending itself
  EXPECT_EQ(u"abcdé!€abcdé!€", S(s));

  CString x(_T("x"));
  EXPECT_EQ(u"x\\y", S(x + _T("\\") + CString(_T("y"))));
  EXPECT_EQ(u">x<", S(_T(">") + x + _T('<')));
  EXPECT_EQ(u"-x", S(_T('-') + x));
}

TEST(CString, Comparisons) {
  CString a(_T("abc"));
  EXPECT_TRUE(a == _T("abc"));
  EXPECT_TRUE(_T("abc") == a);
  EXPECT_TRUE(a == CString(_T("abc")));
  EXPECT_TRUE(a != _T("abd"));
  EXPECT_TRUE(a < _T("abd"));
  EXPECT_TRUE(a < CString(_T("abcd")));
  EXPECT_TRUE(_T("abb") < a);
  EXPECT_TRUE(a > _T("ab"));
  EXPECT_TRUE(a <= _T("abc") && a >= _T("abc"));
  EXPECT_LT(a.Compare(_T("b")), 0);
  EXPECT_GT(a.Compare(_T("ab")), 0);
  EXPECT_EQ(0, a.Compare(_T("abc")));
  EXPECT_GT(CString(_T("a")).Compare(nullptr), 0);

  EXPECT_EQ(0, CString(_T("Éléments")).CompareNoCase(_T("éLÉMENTS")));
  EXPECT_EQ(0, CString(_T("ŒUVRE Ÿ")).CompareNoCase(_T("œuvre ÿ")));
  EXPECT_LT(CString(_T("abc")).CompareNoCase(_T("ABD")), 0);
  EXPECT_GT(CString(_T("abcd")).CompareNoCase(_T("ABC")), 0);
  // Case-insensitive comparison folds to lower case, so '_' sorts before letters.
  EXPECT_LT(CString(_T("_")).CompareNoCase(_T("A")), 0);
  EXPECT_GT(CString(_T("_")).Compare(_T("A")), 0);
}

TEST(CString, FindAndReverseFind) {
  CString s(_T("a\\b\\c.dwg"));
  EXPECT_EQ(1, s.Find(_T('\\')));
  EXPECT_EQ(3, s.Find(_T('\\'), 2));
  EXPECT_EQ(-1, s.Find(_T('\\'), 4));
  EXPECT_EQ(-1, s.Find(_T('a'), -1));
  EXPECT_EQ(-1, s.Find(_T('a'), 9));
  EXPECT_EQ(5, s.Find(_T(".dwg")));
  EXPECT_EQ(5, s.Find(_T(".dwg"), 5));
  EXPECT_EQ(-1, s.Find(_T(".dwg"), 6));
  EXPECT_EQ(9, s.Find(_T(""), 9));  // an empty needle is found where the search starts
  EXPECT_EQ(-1, s.Find(_T(""), 10));
  EXPECT_EQ(-1, s.Find(_T("x")));
  EXPECT_EQ(3, s.ReverseFind(_T('\\')));
  EXPECT_EQ(-1, s.ReverseFind(_T('/')));
  EXPECT_EQ(1, s.FindOneOf(_T("/\\")));
  EXPECT_EQ(-1, CString().Find(_T('a')));
}

TEST(CString, Substrings) {
  CString s(_T("Bonjour"));
  EXPECT_EQ(u"jour", S(s.Mid(3)));
  EXPECT_EQ(u"jo", S(s.Mid(3, 2)));
  EXPECT_EQ(u"Bon", S(s.Mid(-2, 3)));  // clipped at both ends
  EXPECT_EQ(u"our", S(s.Mid(4, 100)));
  EXPECT_EQ(u"", S(s.Mid(7)));
  EXPECT_EQ(u"", S(s.Mid(20, 2)));
  EXPECT_EQ(u"", S(s.Mid(2, -1)));
  EXPECT_EQ(u"Bon", S(s.Left(3)));
  EXPECT_EQ(u"Bonjour", S(s.Left(99)));
  EXPECT_EQ(u"", S(s.Left(-1)));
  EXPECT_EQ(u"our", S(s.Right(3)));
  EXPECT_EQ(u"Bonjour", S(s.Right(99)));
  EXPECT_EQ(u"Bon", S(s.SpanExcluding(_T("jx"))));
  EXPECT_EQ(u"Bo", S(s.SpanIncluding(_T("oB"))));

  CString list(_T(";;a;bc;;d"));
  int pos = 0;
  std::u16string tokens;
  for (CString t = list.Tokenize(_T(";"), pos); pos != -1; t = list.Tokenize(_T(";"), pos)) {
    tokens += S(t) + u"|";
  }
  EXPECT_EQ(u"a|bc|d|", tokens);
}

TEST(CString, CaseTrimReplaceRemoveInsertDelete) {
  CString s(_T("Élément œuvre ÿ Straße"));
  EXPECT_EQ(u"ÉLÉMENT ŒUVRE Ÿ STRAßE", S(CString(s).MakeUpper()));
  EXPECT_EQ(u"élément œuvre ÿ straße", S(CString(s).MakeLower()));
  EXPECT_EQ(u"cba", S(CString(_T("abc")).MakeReverse()));

  EXPECT_EQ(u"a b", S(CString(_T(" \t\r\na b \n")).Trim()));
  EXPECT_EQ(u"a b \n", S(CString(_T(" \ta b \n")).TrimLeft()));
  EXPECT_EQ(u" a", S(CString(_T(" a  ")).TrimRight()));
  EXPECT_EQ(u"a", S(CString(_T("xxaxx")).Trim(_T('x'))));
  EXPECT_EQ(u"a", S(CString(_T("-+a+-")).Trim(_T("+-"))));
  EXPECT_EQ(u"", S(CString(_T("   ")).Trim()));
  EXPECT_EQ(u"", S(CString(_T("xx")).TrimLeft(_T('x'))));

  CString path(_T("a/b/c"));
  EXPECT_EQ(2, path.Replace(_T('/'), _T('\\')));
  EXPECT_EQ(u"a\\b\\c", S(path));
  EXPECT_EQ(0, path.Replace(_T('x'), _T('x')));
  CString r(_T("aaaa"));
  EXPECT_EQ(2, r.Replace(_T("aa"), _T("b")));  // left to right, no overlap
  EXPECT_EQ(u"bb", S(r));
  EXPECT_EQ(0, r.Replace(_T(""), _T("z")));
  EXPECT_EQ(2, r.Replace(_T("b"), _T("")));
  EXPECT_TRUE(r.IsEmpty());
  CString grow(_T("%d%"));
  EXPECT_EQ(2, grow.Replace(_T("%"), _T("%%")));
  EXPECT_EQ(u"%%d%%", S(grow));

  CString rm(_T("a-b-c-"));
  EXPECT_EQ(3, rm.Remove(_T('-')));
  EXPECT_EQ(u"abc", S(rm));

  CString ins(_T("ac"));
  EXPECT_EQ(3, ins.Insert(1, _T('b')));
  EXPECT_EQ(5, ins.Insert(99, _T("de")));
  EXPECT_EQ(6, ins.Insert(-4, _T(">")));
  EXPECT_EQ(u">abcde", S(ins));

  EXPECT_EQ(5, ins.Delete(0));
  EXPECT_EQ(2, ins.Delete(2, 99));
  EXPECT_EQ(2, ins.Delete(5, 1));
  EXPECT_EQ(2, ins.Delete(0, -3));
  EXPECT_EQ(u"ab", S(ins));
  ins.Truncate(1);
  EXPECT_EQ(u"a", S(ins));
}

TEST(CString, GetBufferAndReleaseBuffer) {
  // The Windows idiom: let a C API fill the buffer, then take the length up to the NUL.
  CString s;
  LPTSTR buf = s.GetBuffer(MAX_PATH);
  EXPECT_EQ(0, buf[0]);
  _tcscpy_s(buf, MAX_PATH, _T("C:\\Données\\plan.dwg"));
  s.ReleaseBuffer();
  EXPECT_EQ(u"C:\\Données\\plan.dwg", S(s));
  EXPECT_EQ(19, s.GetLength());

  buf = s.GetBuffer();
  buf[2] = 0;
  s.ReleaseBuffer(-1);
  EXPECT_EQ(u"C:", S(s));

  // An explicit length may keep embedded NULs.
  buf = s.GetBufferSetLength(3);
  buf[2] = 0;
  s.ReleaseBuffer(3);
  EXPECT_EQ(3, s.GetLength());
  EXPECT_EQ(std::u16string(u"C:\0", 3), S(s));

  CString t(_T("abc"));
  buf = t.GetBufferSetLength(5);
  buf[3] = _T('d');
  buf[4] = _T('e');
  EXPECT_EQ(0, buf[5]);
  t.ReleaseBuffer();
  EXPECT_EQ(u"abcde", S(t));

  // The buffer holds the old text and is independent of copies taken before.
  CString original(_T("xyz"));
  CString copy(original);
  buf = original.GetBuffer(100);
  buf[0] = _T('X');
  original.ReleaseBuffer();
  EXPECT_EQ(u"Xyz", S(original));
  EXPECT_EQ(u"xyz", S(copy));

  CString untouched;
  untouched.ReleaseBuffer();  // without GetBuffer: stays empty
  EXPECT_TRUE(untouched.IsEmpty());
}

}  // namespace

#include <gtest/gtest.h>

#include <string>

#include "afxwin.h"
#include "strings_ids.h"

namespace {

std::u16string S(const CString& s) {
  return std::u16string(s.GetString(), size_t(s.GetLength()));
}

// Loads the test's string module and makes it the resource module, as an application does
// around the use of its own resources; restores the previous state on the way out.
class LoadStringTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryA(MFC_STRINGS_MODULE);
    ASSERT_NE(nullptr, module_);
    previousLanguage_ = GetThreadUILanguage();
    previousResources_ = AfxGetResourceHandle();
  }
  void TearDown() override {
    AfxSetResourceHandle(previousResources_);
    SetThreadUILanguage(previousLanguage_);
    if (module_ != nullptr)
      FreeLibrary(module_);
  }
  HMODULE module_ = nullptr;
  LANGID previousLanguage_ = 0;
  HINSTANCE previousResources_ = nullptr;
};

TEST_F(LoadStringTest, ResourceHandleStartsAtTheProgram) {
  EXPECT_EQ(GetModuleHandleW(nullptr), AfxGetInstanceHandle());
  EXPECT_EQ(AfxGetInstanceHandle(), AfxGetResourceHandle());
  // The program has no string tables: nothing loads and the text is kept.
  CString s(_T("unchanged"));
  EXPECT_FALSE(s.LoadString(IDS_GREETING));
  EXPECT_EQ(u"unchanged", S(s));

  AfxSetResourceHandle(module_);
  EXPECT_EQ(module_, AfxGetResourceHandle());
  EXPECT_EQ(GetModuleHandleW(nullptr), AfxGetInstanceHandle());
}

TEST_F(LoadStringTest, StringsFollowTheResourceModuleAndTheLanguage) {
  AfxSetResourceHandle(module_);
  SetThreadUILanguage(MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH));
  CString s;
  ASSERT_TRUE(s.LoadString(IDS_GREETING));
  EXPECT_EQ(u"Bienvenue à l'été", S(s));
  EXPECT_EQ(u"Bienvenue à l'été", S(CString(MAKEINTRESOURCE(IDS_GREETING))));
  EXPECT_FALSE(s.LoadString(999));
  EXPECT_EQ(u"Bienvenue à l'été", S(s));

  // Longer than any fixed buffer: loaded whole.
  ASSERT_TRUE(s.LoadString(IDS_LONG));
  EXPECT_GT(s.GetLength(), MAX_PATH);
  EXPECT_EQ(u"fin.", S(s.Right(4)));

  s.Format(IDS_PATH_FORMAT, _T("C:\\Données"), CString(_T("plan.dwg")), 3);
  EXPECT_EQ(u"C:\\Données\\plan.dwg (3)", S(s));

  SetThreadUILanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  ASSERT_TRUE(s.LoadString(IDS_GREETING));
  EXPECT_EQ(u"Welcome to summer", S(s));
  s.Format(IDS_PATH_FORMAT, _T("a"), _T("b"), 4);
  EXPECT_EQ(u"a/b [4]", S(s));
  s.AppendFormat(IDS_PATH_FORMAT, _T("c"), _T("d"), 5);
  EXPECT_EQ(u"a/b [4]c/d [5]", S(s));
  // Windows chooses the language per block of 16 strings: a block missing in English falls back
  // to French, a string missing from the English block does not.
  ASSERT_TRUE(s.LoadString(IDS_LONG));
  EXPECT_EQ(u"Une chaîne", S(s.Left(10)));
  EXPECT_FALSE(s.LoadString(IDS_FRENCH_ONLY));

  // An explicit module wins over the resource handle.
  AfxSetResourceHandle(AfxGetInstanceHandle());
  EXPECT_FALSE(s.LoadString(IDS_GREETING));
  ASSERT_TRUE(s.LoadString(module_, IDS_GREETING));
  EXPECT_EQ(u"Welcome to summer", S(s));
}

}  // namespace

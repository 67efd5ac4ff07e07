// The expression dialog, shown modally and answered by a scripted front end: what it lists, what
// it returns, and from which module its template comes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ZnDlgExpression.h"
#include "scripted_frontend.h"

namespace {

std::u16string TextOf(HWND window) {
  char16_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

std::u16string ClassOf(HWND window) {
  char16_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// What the user sees of an open dialog: its caption, its static texts in window order, and the
// edit line to type into.
struct Look {
  std::u16string caption;
  std::vector<std::u16string> texts;
  HWND edit = nullptr;
};

Look LookAt(HWND dialog) {
  Look look{TextOf(dialog), {}, nullptr};
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child))
      continue;
    if (ClassOf(child) == u"Static")
      look.texts.push_back(TextOf(child));
    else if (ClassOf(child) == u"Edit")
      look.edit = child;
  }
  return look;
}

// A step that records the dialog and types `text` into its edit line.
ScriptedFrontEnd::Step LookAndType(std::vector<Look>& looks, std::u16string text) {
  return [&looks, text](HWND dialog) {
    looks.push_back(LookAt(dialog));
    return zwin32::DialogInput{zwin32::DialogInput::Kind::kSetText, looks.back().edit, text};
  };
}

void AddVariables(CZnDlgExpression& dialog) {
  dialog.AddItem(_T("PositionNum"), -1, _T("Numéro de position barre ou treillis"), true, 0);
  dialog.AddItem(_T("Length"), 1, _T("Longueur de barre"), true, 5);
  dialog.AddItem(_T("TotalWeight"), 4, _T("Poids total de barre ou treillis"), false, 16);
  dialog.AddItem(_T("SegmentLength[0]"), -1, _T(""), false, 41);
  dialog.AddItem(_T("Odd"), 7, _T("Code d'unité inconnu"), false, 42);
}

const std::vector<std::u16string> kShownLines = {
    u"Expression :",
    u"Variables (* : en tête de liste) :",
    u"0* PositionNum: Numéro de position barre ou treillis (none)",
    u"5* Length: Longueur de barre (length)",
    u"16 TotalWeight: Poids total de barre ou treillis (weight)",
    u"41 SegmentLength[0] (none)",
    u"42 Odd: Code d'unité inconnu (7)",
};

TEST(ExpressionDialog, ListsItsVariablesAndReturnsTheTypedExpressionOnOk) {
  ScriptedFrontEnd frontEnd;
  std::vector<Look> looks;
  frontEnd.Then(LookAndType(looks, u"Quantity * Length")).Click(IDOK);
  CZnDlgExpression dialog(nullptr);
  AddVariables(dialog);
  EXPECT_EQ(dialog.GetExpression(), CString());
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(frontEnd.finished());
  EXPECT_EQ(dialog.GetExpression(), CString(_T("Quantity * Length")));

  ASSERT_EQ(looks.size(), 1u);
  EXPECT_EQ(looks[0].caption, u"Expression");
  EXPECT_EQ(looks[0].texts, kShownLines);
  ASSERT_NE(looks[0].edit, nullptr);

  // Shown again, the dialog lists the same variables once, holds the last expression, and the
  // default button confirms what was typed over it, spaces and all.
  std::u16string held;
  frontEnd.Then([&](HWND dialog) {
    held = TextOf(LookAt(dialog).edit);
    return LookAndType(looks, u"  Weight / 2 ")(dialog);
  });
  frontEnd.Enter();
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(held, u"Quantity * Length");
  EXPECT_EQ(looks.back().texts, kShownLines);
  EXPECT_EQ(dialog.GetExpression(), CString(_T("  Weight / 2 ")));
}

TEST(ExpressionDialog, CancelKeepsTheExpressionOfTheLastConfirmedRun) {
  ScriptedFrontEnd frontEnd;
  std::vector<Look> looks;
  CZnDlgExpression dialog(nullptr);
  AddVariables(dialog);
  frontEnd.Then(LookAndType(looks, u"Length")).Click(IDCANCEL);
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.GetExpression(), CString());

  frontEnd.Then(LookAndType(looks, u"Length")).Click(IDOK);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  frontEnd.Then(LookAndType(looks, u"Weight")).Escape();
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.GetExpression(), CString(_T("Length")));
  EXPECT_EQ(looks.size(), 3u);
}

TEST(ExpressionDialog, TakesItsTemplateFromItsOwnModuleWhileTheCallersIsCurrent) {
  std::u16string path = u"Z:";
  for (char c : std::string(EXPRESSION_CALLER_MODULE))
    path += c == '/' ? u'\\' : static_cast<char16_t>(c);
  HMODULE caller = LoadLibraryW(path.c_str());
  ASSERT_NE(caller, nullptr);
  const HINSTANCE previous = AfxGetResourceHandle();
  AfxSetResourceHandle(caller);

  ScriptedFrontEnd frontEnd;
  std::vector<Look> looks;
  frontEnd.Then(LookAndType(looks, u"PageNum")).Click(IDOK);
  CZnDlgExpression dialog(nullptr);
  AddVariables(dialog);
  const INT_PTR result = dialog.DoModal();
  const HINSTANCE afterwards = AfxGetResourceHandle();
  AfxSetResourceHandle(previous);
  FreeLibrary(caller);

  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(afterwards, caller);
  ASSERT_EQ(looks.size(), 1u);
  EXPECT_EQ(looks[0].caption, u"Expression");
  EXPECT_EQ(looks[0].texts, kShownLines);
  EXPECT_EQ(dialog.GetExpression(), CString(_T("PageNum")));
}

}  // namespace

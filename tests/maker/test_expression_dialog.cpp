// The expression dialog, shown modally and answered by a scripted front end: what it lists, what
// it returns, what a double click on a variable does, and from which module and in which
// language its template comes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ZnDlgExpression.h"
#include "scripted_frontend.h"

namespace {

constexpr int kVariables = 30104;  // the list's id in the dialog's templates

// The product's settings live in a registry file of the test's own.
class ProductRegistry : public ::testing::Environment {
 public:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() / ("znexpression-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    ::setenv("ZANT_REGISTRY", (folder_ / "registry.reg").c_str(), 1);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

 private:
  std::filesystem::path folder_;
};

const auto* const g_registry = ::testing::AddGlobalTestEnvironment(new ProductRegistry);

// Sets the product's LanguageUI, or removes it (0).
void SetProductLanguage(DWORD language) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\ZANT\\Vorlane", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  if (language == 0)
    RegDeleteValueW(key, u"LanguageUI");
  else
    EXPECT_EQ(RegSetValueExW(key, u"LanguageUI", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&language), sizeof language),
              ERROR_SUCCESS);
  RegCloseKey(key);
}

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

// What the user sees of an open dialog: its caption, its static texts and buttons in window
// order, the edit line to type into and the list's lines.
struct Look {
  std::u16string caption;
  std::vector<std::u16string> texts;
  std::vector<std::u16string> buttons;
  HWND edit = nullptr;
  std::vector<std::u16string> lines;
};

Look LookAt(HWND dialog) {
  Look look{TextOf(dialog), {}, {}, nullptr, {}};
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child))
      continue;
    if (ClassOf(child) == u"Static") {
      look.texts.push_back(TextOf(child));
    } else if (ClassOf(child) == u"Button") {
      look.buttons.push_back(TextOf(child));
    } else if (ClassOf(child) == u"Edit") {
      look.edit = child;
    } else if (ClassOf(child) == u"ListBox") {
      for (int i = 0; i < SendMessageW(child, LB_GETCOUNT, 0, 0); ++i) {
        std::u16string line(static_cast<size_t>(SendMessageW(child, LB_GETTEXTLEN, i, 0)), u' ');
        SendMessageW(child, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
        look.lines.push_back(line);
      }
    }
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

const std::vector<std::u16string> kFrenchTexts = {
    u"Expression :", u"Variables (* : en tête de liste), double-clic pour insérer :"};

const std::vector<std::u16string> kShownLines = {
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
  EXPECT_EQ(looks[0].texts, kFrenchTexts);
  EXPECT_EQ(looks[0].lines, kShownLines);
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
  EXPECT_EQ(looks.back().lines, kShownLines);
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
  EXPECT_EQ(looks[0].lines, kShownLines);
  EXPECT_EQ(dialog.GetExpression(), CString(_T("PageNum")));
}

TEST(ExpressionDialog, ADoubleClickedVariableGoesInAtTheCaret) {
  ScriptedFrontEnd frontEnd;
  std::vector<std::u16string> shown;
  auto remember = [&](HWND dialog) {
    shown.push_back(TextOf(GetDlgItem(dialog, 30102)));
    return zwin32::DialogInput{zwin32::DialogInput::Kind::kEnter, nullptr, {}};
  };
  // A click only selects; a double click inserts after what was typed; a second double click
  // on another line inserts there too.
  frontEnd.Type(30102, u"Quantity * ").ClickItem(kVariables, 0);
  frontEnd.ClickItem(kVariables, 1, true);
  frontEnd.Then([&](HWND dialog) {
    shown.push_back(TextOf(GetDlgItem(dialog, 30102)));
    return zwin32::DialogInput{zwin32::DialogInput::Kind::kSetText, GetDlgItem(dialog, 30102),
                               u"PositionNum + "};
  });
  frontEnd.ClickItem(kVariables, 3, true).Then(remember);
  CZnDlgExpression dialog(nullptr);
  AddVariables(dialog);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(frontEnd.finished());
  const std::vector<std::u16string> expected = {u"Quantity * Length",
                                                u"PositionNum + SegmentLength[0]"};
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(dialog.GetExpression(), CString(_T("PositionNum + SegmentLength[0]")));
}

TEST(ExpressionDialog, SpeaksTheProductsLanguageAndLeavesTheThreadsAlone) {
  const LANGID threadLanguage = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
  SetThreadUILanguage(threadLanguage);
  ScriptedFrontEnd frontEnd;
  std::vector<Look> looks;
  frontEnd.Then(LookAndType(looks, u"Weight")).Escape();
  frontEnd.Then(LookAndType(looks, u"Weight")).Escape();
  CZnDlgExpression dialog(nullptr);
  AddVariables(dialog);
  SetProductLanguage(0x0409);
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(GetThreadUILanguage(), threadLanguage);
  SetProductLanguage(0);  // French when the product names none
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  SetThreadUILanguage(0);
  ASSERT_EQ(looks.size(), 2u);
  EXPECT_EQ(looks[0].caption, u"Expression");
  EXPECT_EQ(looks[0].texts,
            (std::vector<std::u16string>{
                u"Expression:", u"Variables (* : listed first), double-click to insert:"}));
  EXPECT_EQ(looks[0].buttons, (std::vector<std::u16string>{u"OK", u"Cancel"}));
  EXPECT_EQ(looks[0].lines, kShownLines);
  EXPECT_EQ(looks[1].texts, kFrenchTexts);
  EXPECT_EQ(looks[1].buttons, (std::vector<std::u16string>{u"Ok", u"Annuler"}));
}

}  // namespace

// Windows, controls, dialogs and message boxes, driven through the window functions and a real
// module's dialog template, answered by a scripted front end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogmodule_ids.h"
#include "scripted_frontend.h"
#include "windows.h"

namespace {

std::u16string TextOf(HWND hwnd) {
  char16_t buffer[256] = {};
  GetWindowTextW(hwnd, buffer, 256);
  return buffer;
}

// What the windows of a test heard, in order.
std::vector<std::string> g_heard;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      g_heard.push_back("create " + std::to_string(GetDlgCtrlID(hwnd)));
      break;
    case WM_DESTROY:
      g_heard.push_back("destroy " + std::to_string(GetDlgCtrlID(hwnd)));
      break;
    case WM_NCDESTROY:
      g_heard.push_back("ncdestroy " + std::to_string(GetDlgCtrlID(hwnd)));
      break;
    case WM_COMMAND: {
      HWND control = reinterpret_cast<HWND>(lParam);
      g_heard.push_back("command " + std::to_string(LOWORD(wParam)) + " code " +
                        std::to_string(HIWORD(wParam)) + " check " +
                        std::to_string(SendMessageW(control, BM_GETCHECK, 0, 0)));
      break;
    }
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

WNDPROC g_buttonProc = nullptr;

// Subclass procedure: shouts every text it is given, then lets the button do the rest.
LRESULT CALLBACK ShoutingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETTEXT) {
    std::u16string text = reinterpret_cast<LPCWSTR>(lParam);
    for (char16_t& c : text)
      c = (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
    return CallWindowProcW(g_buttonProc, hwnd, msg, wParam, reinterpret_cast<LPARAM>(text.c_str()));
  }
  return CallWindowProcW(g_buttonProc, hwnd, msg, wParam, lParam);
}

class WindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static bool registered = false;
    if (registered)
      return;
    registered = true;
    WNDCLASSW cls{};
    cls.lpfnWndProc = RecordingProc;
    cls.lpszClassName = u"RecordingWindow";
    ASSERT_NE(RegisterClassW(&cls), 0);
  }
  void SetUp() override { g_heard.clear(); }

  HWND MakeParent() {
    return CreateWindowExW(0, u"recordingwindow", u"Parent", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                           nullptr, nullptr, nullptr, nullptr);
  }
  HWND MakeButton(HWND parent, int id, DWORD type, const char16_t* text = u"Button") {
    return CreateWindowExW(0, u"BUTTON", text, WS_CHILD | WS_VISIBLE | type, 0, 0, 10, 10, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  }
};

TEST_F(WindowTest, WindowsHoldTheirAttributesAndDieWithTheirChildren) {
  WNDCLASSW again{};
  again.lpfnWndProc = RecordingProc;
  again.lpszClassName = u"RECORDINGWINDOW";
  EXPECT_EQ(RegisterClassW(&again), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  EXPECT_EQ(
      CreateWindowExW(0, u"NoSuchClass", u"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
      nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));

  HWND parent = MakeParent();
  ASSERT_NE(parent, nullptr);
  HWND first = CreateWindowExW(WS_EX_CLIENTEDGE, u"RecordingWindow", u"été", WS_CHILD, 1, 2, 3, 4,
                               parent, reinterpret_cast<HMENU>(7), nullptr, nullptr);
  HWND second = MakeButton(parent, 8, BS_PUSHBUTTON, u"Second");
  EXPECT_EQ(GetParent(first), parent);
  EXPECT_EQ(GetDlgItem(parent, 8), second);
  EXPECT_EQ(GetDlgItem(parent, 9), nullptr);
  EXPECT_EQ(GetWindow(parent, GW_CHILD), first);
  EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
  EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), nullptr);
  EXPECT_EQ(GetWindowLongW(first, GWL_EXSTYLE), WS_EX_CLIENTEDGE);
  char16_t className[32];
  EXPECT_EQ(GetClassNameW(second, className, 32), 6);
  EXPECT_EQ(std::u16string(className), u"Button");

  EXPECT_EQ(TextOf(first), u"été");
  EXPECT_EQ(GetWindowTextLengthW(first), 3);
  char16_t small[3];
  EXPECT_EQ(GetWindowTextW(second, small, 3), 2);  // cut, NUL-terminated
  EXPECT_EQ(std::u16string(small), u"Se");

  EXPECT_FALSE(EnableWindow(second, FALSE));
  EXPECT_FALSE(IsWindowEnabled(second));
  EXPECT_TRUE(EnableWindow(second, TRUE));
  EXPECT_TRUE(IsWindowVisible(second));
  EXPECT_TRUE(ShowWindow(second, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(second));

  // Subclassing: the new procedure sees messages first and hands them on.
  g_buttonProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(second, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ShoutingProc)));
  ASSERT_NE(g_buttonProc, nullptr);
  SetWindowTextW(second, u"quiet");
  EXPECT_EQ(TextOf(second), u"QUIET");
  SetWindowLongPtrW(second, GWLP_USERDATA, 1234);
  EXPECT_EQ(GetWindowLongPtrW(second, GWLP_USERDATA), 1234);
  SetWindowLongPtrW(second, GWLP_ID, 80);
  EXPECT_EQ(GetDlgCtrlID(second), 80);

  EXPECT_TRUE(DestroyWindow(parent));
  EXPECT_FALSE(IsWindow(parent));
  EXPECT_FALSE(IsWindow(first));
  EXPECT_FALSE(IsWindow(second));
  EXPECT_FALSE(DestroyWindow(parent));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  const std::vector<std::string> expected = {"create 0",  "create 7",    "destroy 0",
                                             "destroy 7", "ncdestroy 7", "ncdestroy 0"};
  EXPECT_EQ(g_heard, expected);
}

TEST_F(WindowTest, ButtonsChangeTheirStateBeforeTheOwnerHearsTheClick) {
  HWND parent = MakeParent();
  HWND automatic = MakeButton(parent, 1, BS_AUTOCHECKBOX);
  HWND manual = MakeButton(parent, 2, BS_CHECKBOX);
  HWND push = MakeButton(parent, 3, BS_PUSHBUTTON);
  HWND disabled = MakeButton(parent, 4, BS_PUSHBUTTON | WS_DISABLED);
  HWND radioA = MakeButton(parent, 5, BS_AUTORADIOBUTTON | WS_GROUP);
  HWND radioB = MakeButton(parent, 6, BS_AUTORADIOBUTTON);
  HWND other = MakeButton(parent, 9, BS_AUTORADIOBUTTON | WS_GROUP);
  g_heard.clear();

  SendMessageW(automatic, BM_CLICK, 0, 0);
  SendMessageW(automatic, BM_CLICK, 0, 0);
  SendMessageW(manual, BM_CLICK, 0, 0);
  SendMessageW(push, BM_CLICK, 0, 0);
  SendMessageW(disabled, BM_CLICK, 0, 0);
  const std::vector<std::string> expected = {"command 1 code 0 check 1", "command 1 code 0 check 0",
                                             "command 2 code 0 check 0",
                                             "command 3 code 0 check 0"};
  EXPECT_EQ(g_heard, expected);

  // The owner sets a manual box; push buttons have no check, only a pushed look.
  EXPECT_TRUE(CheckDlgButton(parent, 2, BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(parent, 2), static_cast<UINT>(BST_CHECKED));
  SendMessageW(manual, BM_SETCHECK, BST_INDETERMINATE, 0);  // two-state: means checked
  EXPECT_EQ(IsDlgButtonChecked(parent, 2), static_cast<UINT>(BST_CHECKED));
  SendMessageW(push, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SendMessageW(push, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessageW(push, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(SendMessageW(push, BM_GETSTATE, 0, 0), BST_PUSHED);
  SendMessageW(manual, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(SendMessageW(manual, BM_GETSTATE, 0, 0), BST_PUSHED | BST_CHECKED);

  // Automatic radio buttons clear the others of their group only.
  SendMessageW(other, BM_CLICK, 0, 0);
  SendMessageW(radioA, BM_CLICK, 0, 0);
  SendMessageW(radioB, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(radioA, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(radioB, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(other, BM_GETCHECK, 0, 0), BST_CHECKED);

  SendMessageW(push, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(GetWindowLongW(push, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_TRUE(GetWindowLongW(push, GWL_STYLE) & WS_CHILD);
  DestroyWindow(parent);
}

TEST_F(WindowTest, SystemColoursAreTheClassicScheme) {
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
  EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(255, 255, 225));
  EXPECT_EQ(GetSysColor(-1), 0u);
  EXPECT_EQ(GetSysColor(31), 0u);
  EXPECT_EQ(RGB(255, 0, 0), 255u);
}

// A dialog procedure that remembers what it heard and ends on OK and Cancel, unless told to
// ignore Cancel (a dialog that refuses to close).
struct DialogLog {
  std::vector<std::string> heard;
  bool ignoreCancel = false;
  LPARAM initParam = 0;
  int checkAtOk = -1;
};

INT_PTR CALLBACK LoggingDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    reinterpret_cast<DialogLog*>(lParam)->initParam = lParam;
    reinterpret_cast<DialogLog*>(lParam)->heard.push_back("init");
    return TRUE;
  }
  auto* log = reinterpret_cast<DialogLog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (msg == WM_APP) {
    log->heard.push_back("posted " + std::to_string(wParam));
    return TRUE;
  }
  if (msg != WM_COMMAND)
    return FALSE;
  const int id = LOWORD(wParam);
  log->heard.push_back("command " + std::to_string(id) + " code " + std::to_string(HIWORD(wParam)));
  if (id == IDOK) {
    log->checkAtOk = static_cast<int>(IsDlgButtonChecked(dialog, IDC_AUTO_CHECK));
    EndDialog(dialog, IDOK);
  } else if (id == IDCANCEL && !log->ignoreCancel) {
    EndDialog(dialog, IDCANCEL);
  } else if (id == IDC_HELP_BUTTON) {
    PostMessageW(dialog, WM_APP, 42, 0);
  }
  return TRUE;
}

class DialogTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    module_ = LoadLibraryW(WindowsModulePath().c_str());
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override { FreeLibrary(module_); }

  static std::u16string WindowsModulePath() {
    std::u16string path = u"Z:";
    for (char c : std::string(WIN32_DIALOG_MODULE))
      path += c == '/' ? u'\\' : static_cast<char16_t>(c);
    return path;
  }
  INT_PTR Show(DialogLog& log, HWND owner = nullptr) {
    return DialogBoxParamW(module_, MAKEINTRESOURCEW(IDD_OPTIONS), owner, LoggingDialogProc,
                           reinterpret_cast<LPARAM>(&log));
  }

  HMODULE module_ = nullptr;
};

TEST_F(DialogTest, ATemplateBecomesWindowsThatTheFrontEndSees) {
  ScriptedFrontEnd frontEnd;
  DialogLog log;
  std::vector<std::string> seen;
  frontEnd.Then([&](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), u"Options d'essai");
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
    HWND picture = GetDlgItem(dialog, IDC_PICTURE);
    EXPECT_EQ(GetWindowLongW(picture, GWL_STYLE) & BS_TYPEMASK, BS_CHECKBOX);
    EXPECT_EQ(GetWindowContextHelpId(picture), 0xAF14044Eu);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_AUTO_CHECK)), u"Choisir un &filtre");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_DISABLED)));
    char16_t cls[16];
    GetClassNameW(GetDlgItem(dialog, IDC_NAME), cls, 16);
    EXPECT_EQ(std::u16string(cls), u"Edit");
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
      seen.push_back(std::to_string(GetDlgCtrlID(c)));
    return zwin32::DialogInput{
        zwin32::DialogInput::Kind::kClick, GetDlgItem(dialog, IDC_AUTO_CHECK), {}};
  });
  frontEnd.Click(IDC_PICTURE).Click(IDC_DISABLED).Click(IDC_HELP_BUTTON).Type(IDC_NAME, u"Zoé");
  frontEnd.Then([&](HWND dialog) {
    char16_t name[16];
    EXPECT_EQ(GetDlgItemTextW(dialog, IDC_NAME, name, 16), 3u);
    EXPECT_EQ(std::u16string(name), u"Zoé");
    return zwin32::DialogInput{zwin32::DialogInput::Kind::kEnter, nullptr, {}};
  });

  EXPECT_EQ(Show(log), IDOK);
  EXPECT_TRUE(frontEnd.finished());
  EXPECT_EQ(log.initParam, reinterpret_cast<LPARAM>(&log));
  const std::vector<std::string> order = {"1",    "2",    "1101", "1102", "1103",
                                          "1104", "1105", "1106", "1107"};
  EXPECT_EQ(seen, order);
  // The disabled button said nothing; the help button's posted message came before the next
  // turn; the edit told its owner; Enter is the default button's command.
  const std::vector<std::string> heard = {
      "init",      "command 1103 code 0",   "command 1102 code 0", "command 1101 code 0",
      "posted 42", "command 1104 code 768", "command 1 code 0"};
  EXPECT_EQ(log.heard, heard);
  EXPECT_EQ(log.checkAtOk, BST_CHECKED);
}

TEST_F(DialogTest, EscapeCancelsAndAbandonedDialogsCloseAnyway) {
  {
    ScriptedFrontEnd frontEnd;
    frontEnd.Escape();
    DialogLog log;
    HWND owner = MakeParent();
    EXPECT_EQ(Show(log, owner), IDCANCEL);
    EXPECT_TRUE(IsWindowEnabled(owner));  // disabled while the dialog ran, enabled again
    DestroyWindow(owner);
  }
  {
    ScriptedFrontEnd frontEnd;  // says nothing: the input ended
    DialogLog log;
    log.ignoreCancel = true;
    EXPECT_EQ(Show(log), IDCANCEL);
    const std::vector<std::string> heard = {"init", "command 2 code 0"};
    EXPECT_EQ(log.heard, heard);
  }
}

TEST_F(DialogTest, DialogsThatCannotBeShownReturnMinusOne) {
  DialogLog log;
  EXPECT_EQ(Show(log), -1);  // no front end
  EXPECT_TRUE(log.heard.empty());
  ScriptedFrontEnd frontEnd;
  EXPECT_EQ(DialogBoxParamW(module_, MAKEINTRESOURCEW(999), nullptr, LoggingDialogProc, 0), -1);
  EXPECT_EQ(DialogBoxIndirectParamW(module_, nullptr, nullptr, LoggingDialogProc, 0), -1);
  EXPECT_EQ(frontEnd.turns(), 0);
}

TEST_F(DialogTest, IndirectTemplatesAndModelessDialogs) {
  HRSRC resource = FindResourceW(module_, MAKEINTRESOURCEW(IDD_OPTIONS), RT_DIALOG);
  ASSERT_NE(resource, nullptr);
  auto* data = static_cast<LPCDLGTEMPLATEW>(LockResource(LoadResource(module_, resource)));
  DialogLog log;
  HWND dialog = CreateDialogIndirectParamW(module_, data, nullptr, LoggingDialogProc,
                                           reinterpret_cast<LPARAM>(&log));
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(IsWindowVisible(dialog));  // the template has no WS_VISIBLE
  SendMessageW(GetDlgItem(dialog, IDC_AUTO_CHECK), BM_CLICK, 0, 0);
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_AUTO_CHECK), static_cast<UINT>(BST_CHECKED));
  SendMessageW(dialog, DM_SETDEFID, IDC_HELP_BUTTON, 0);
  EXPECT_EQ(LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)), IDC_HELP_BUTTON);
  EXPECT_TRUE(DestroyWindow(dialog));
  EXPECT_FALSE(EndDialog(dialog, IDOK));

  ScriptedFrontEnd frontEnd;
  frontEnd.Click(IDC_AUTO_CHECK).Click(IDOK);
  DialogLog modal;
  EXPECT_EQ(DialogBoxIndirectParamW(module_, data, nullptr, LoggingDialogProc,
                                    reinterpret_cast<LPARAM>(&modal)),
            IDOK);
  EXPECT_EQ(modal.checkAtOk, BST_CHECKED);
}

TEST_F(WindowTest, MessageBoxesAreDialogsToo) {
  EXPECT_EQ(MessageBoxW(nullptr, u"No one to ask", u"Test", MB_OK), 0);
  ScriptedFrontEnd frontEnd;
  std::u16string text;
  frontEnd.Then([&](HWND box) {
    EXPECT_EQ(TextOf(box), u"Question");
    text = TextOf(GetDlgItem(box, IDC_STATIC));
    // Laid out like Windows' boxes: the text above, the buttons side by side under it, all in
    // the box's client area.
    RECT client{}, label{}, yes{}, no{};
    GetClientRect(box, &client);
    GetWindowRect(GetDlgItem(box, IDC_STATIC), &label);
    GetWindowRect(GetDlgItem(box, IDYES), &yes);
    GetWindowRect(GetDlgItem(box, IDNO), &no);
    for (RECT* r : {&label, &yes, &no}) {
      ScreenToClient(box, reinterpret_cast<LPPOINT>(&r->left));
      ScreenToClient(box, reinterpret_cast<LPPOINT>(&r->right));
      EXPECT_TRUE(r->left >= 0 && r->top >= 0 && r->right <= client.right &&
                  r->bottom <= client.bottom && r->right > r->left && r->bottom > r->top);
    }
    EXPECT_LT(label.bottom, yes.top);
    EXPECT_EQ(yes.top, no.top);
    EXPECT_LT(yes.right, no.left);
    // In MS Shell Dlg 8 (6 by 13 pixels a character): one line of text, then the two buttons
    // of 50 by 14 units from (7,25) and (61,25), 4 units apart.
    EXPECT_EQ(yes.left, 11);    // 10.5
    EXPECT_EQ(yes.top, 41);     // 40.625
    EXPECT_EQ(yes.right, 86);   // 85.5
    EXPECT_EQ(yes.bottom, 63);  // 63.375
    EXPECT_EQ(no.left, 92);     // 91.5
    EXPECT_EQ(client.right, 177);
    EXPECT_EQ(client.bottom, 75);
    return zwin32::DialogInput{zwin32::DialogInput::Kind::kEscape, nullptr, {}};
  });
  frontEnd.Enter();  // the second button is the default
  EXPECT_EQ(MessageBoxW(nullptr, u"Continuer ?", u"Question", MB_YESNO | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(text, u"Continuer ?");
  frontEnd.Escape();
  EXPECT_EQ(MessageBoxW(nullptr, u"Fait.", nullptr, MB_OK | MB_ICONINFORMATION), IDOK);
  frontEnd.Click(IDRETRY);
  EXPECT_EQ(MessageBoxW(nullptr, u"Encore ?", u"", MB_RETRYCANCEL), IDRETRY);
}

}  // namespace

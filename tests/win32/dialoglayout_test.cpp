// Dialogs laid out from their templates in pixels. The expected figures come from Windows'
// documented rules, not from the code: one dialog unit is a quarter of the font's average
// character width across and an eighth of its height down (MS Sans Serif 8 at 96 dpi: 6 by 13;
// Segoe UI 9: 7 by 15; the system font: 8 by 16), each side rounded to the nearest pixel; the
// template gives the client area, from the owner's client area; a Classic caption is 19 pixels,
// a dialog frame 3, a sizing frame 4, a border 1.
#include <gtest/gtest.h>

#include <string>

#include "dialogmodule_ids.h"
#include "scripted_frontend.h"
#include "windows.h"

namespace {

std::u16string ModulePath() {
  std::u16string path = u"Z:";
  for (char c : std::string(WIN32_DIALOG_MODULE))
    path += c == '/' ? u'\\' : static_cast<char16_t>(c);
  return path;
}

INT_PTR CALLBACK QuietDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
  if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
    EndDialog(dialog, LOWORD(wParam));
  return msg == WM_INITDIALOG || msg == WM_COMMAND;
}

struct Rect {
  LONG left, top, right, bottom;
  bool operator==(const Rect&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rect& r) {
  return out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

Rect WindowRect(HWND hwnd) {
  RECT r{};
  EXPECT_TRUE(GetWindowRect(hwnd, &r));
  return {r.left, r.top, r.right, r.bottom};
}

Rect ClientRect(HWND hwnd) {
  RECT r{};
  EXPECT_TRUE(GetClientRect(hwnd, &r));
  return {r.left, r.top, r.right, r.bottom};
}

// A control's rectangle in its dialog's client coordinates.
Rect InDialog(HWND dialog, int id) {
  const Rect screen = WindowRect(GetDlgItem(dialog, id));
  POINT topLeft{screen.left, screen.top};
  POINT bottomRight{screen.right, screen.bottom};
  EXPECT_TRUE(ScreenToClient(dialog, &topLeft));
  EXPECT_TRUE(ScreenToClient(dialog, &bottomRight));
  return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

class DialogLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryW(ModulePath().c_str());
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override { FreeLibrary(module_); }

  HMODULE module_ = nullptr;
};

TEST_F(DialogLayoutTest, MsSansSerif8DialogsSitInTheirOwnersClientArea) {
  // A sizable captioned owner at (200,100): its client area starts 4 pixels in and 4 + 19 down.
  HWND owner = CreateWindowExW(0, u"#32770", u"Owner", WS_OVERLAPPEDWINDOW, 200, 100, 400, 300,
                               nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  POINT origin{0, 0};
  ASSERT_TRUE(ClientToScreen(owner, &origin));
  EXPECT_EQ(origin.x, 204);
  EXPECT_EQ(origin.y, 123);
  EXPECT_EQ(ClientRect(owner), (Rect{0, 0, 392, 273}));

  ScriptedFrontEnd frontEnd;
  frontEnd.Then([&](HWND dialog) {
    // 235 x 166 units: 352.5 -> 353 by 269.75 -> 270 pixels, in a 3-pixel frame and a caption.
    EXPECT_EQ(ClientRect(dialog), (Rect{0, 0, 353, 270}));
    EXPECT_EQ(WindowRect(dialog), (Rect{201, 101, 560, 396}));
    // Ok at (59,145) 50 x 14: 88.5, 235.625, 163.5, 258.375.
    EXPECT_EQ(InDialog(dialog, IDOK), (Rect{89, 236, 164, 258}));
    // Cancel at (119,145): 178.5 and 253.5 across, the same height.
    EXPECT_EQ(InDialog(dialog, IDCANCEL), (Rect{179, 236, 254, 258}));
    EXPECT_EQ(WindowRect(GetDlgItem(dialog, IDOK)), (Rect{293, 359, 368, 381}));
    // The picture at (15,7) 96 x 103: 22.5, 11.375, 166.5, 178.75.
    EXPECT_EQ(InDialog(dialog, IDC_PICTURE), (Rect{23, 11, 167, 179}));
    // An edit box's one-pixel border is outside its client area.
    EXPECT_EQ(InDialog(dialog, IDC_NAME), (Rect{186, 11, 330, 31}));
    EXPECT_EQ(ClientRect(GetDlgItem(dialog, IDC_NAME)), (Rect{0, 0, 142, 18}));
    // MapDialogRect converts with the dialog's font; GetDialogBaseUnits tells the system font's.
    RECT character{0, 0, 4, 8};
    EXPECT_TRUE(MapDialogRect(dialog, &character));
    EXPECT_EQ((Rect{character.left, character.top, character.right, character.bottom}),
              (Rect{0, 0, 6, 13}));
    RECT ok{59, 145, 109, 159};
    EXPECT_TRUE(MapDialogRect(dialog, &ok));
    EXPECT_EQ((Rect{ok.left, ok.top, ok.right, ok.bottom}), InDialog(dialog, IDOK));
    return zwin32::DialogInput{zwin32::DialogInput::Kind::kEnter, nullptr, {}};
  });
  EXPECT_EQ(DialogBoxParamW(module_, MAKEINTRESOURCEW(IDD_OPTIONS), owner, QuietDialogProc, 0),
            IDOK);
  EXPECT_TRUE(frontEnd.finished());
  EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(8, 16));
  RECT notDialog{0, 0, 4, 8};
  HWND button =
      CreateWindowExW(0, u"Button", u"", WS_CHILD, 0, 0, 10, 10, owner, nullptr, nullptr, nullptr);
  EXPECT_FALSE(MapDialogRect(button, &notDialog));
  DestroyWindow(owner);
}

TEST_F(DialogLayoutTest, OtherFontsAndTheSystemFont) {
  ScriptedFrontEnd frontEnd;
  frontEnd.Then([&](HWND dialog) {
    // Segoe UI 9: Ok at (25,30) 50 x 14 is 43.75, 56.25, 131.25, 82.5.
    EXPECT_EQ(InDialog(dialog, IDOK), (Rect{44, 56, 131, 83}));
    EXPECT_EQ(ClientRect(dialog), (Rect{0, 0, 175, 94}));
    return zwin32::DialogInput{zwin32::DialogInput::Kind::kEscape, nullptr, {}};
  });
  // Without an owner the template's position is on the screen: (10,20) in the system font is
  // (20,40), and the frame and caption lie around it.
  frontEnd.Then([&](HWND dialog) {
    EXPECT_EQ(WindowRect(dialog), (Rect{17, 18, 423, 243}));
    EXPECT_EQ(ClientRect(dialog), (Rect{0, 0, 400, 200}));
    // The list at (7,25) 186 x 50: 14, 50, 386, 150.
    EXPECT_EQ(InDialog(dialog, IDC_LIST), (Rect{14, 50, 386, 150}));
    return zwin32::DialogInput{zwin32::DialogInput::Kind::kEscape, nullptr, {}};
  });
  EXPECT_EQ(DialogBoxParamW(module_, MAKEINTRESOURCEW(IDD_SEGOE), nullptr, QuietDialogProc, 0),
            IDCANCEL);
  EXPECT_EQ(DialogBoxParamW(module_, MAKEINTRESOURCEW(IDD_LIST), nullptr, QuietDialogProc, 0),
            IDCANCEL);
  EXPECT_TRUE(frontEnd.finished());
}

TEST(FrameTest, FramesOfTheClassicLook) {
  EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
  EXPECT_EQ(GetSystemMetrics(SM_CXDLGFRAME), 3);
  EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 4);
  EXPECT_EQ(GetSystemMetrics(SM_CXBORDER), 1);
  EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
  auto grown = [](DWORD style, DWORD exStyle) {
    RECT r{10, 20, 110, 70};
    EXPECT_TRUE(AdjustWindowRectEx(&r, style, FALSE, exStyle));
    return Rect{r.left, r.top, r.right, r.bottom};
  };
  EXPECT_EQ(grown(WS_CHILD, 0), (Rect{10, 20, 110, 70}));
  EXPECT_EQ(grown(WS_CHILD | WS_BORDER, 0), (Rect{9, 19, 111, 71}));
  // A sunken edge inside a border: an edit box of a dialog.
  EXPECT_EQ(grown(WS_CHILD | WS_BORDER, WS_EX_CLIENTEDGE), (Rect{7, 17, 113, 73}));
  EXPECT_EQ(grown(WS_POPUP | WS_CAPTION, WS_EX_DLGMODALFRAME), (Rect{7, -2, 113, 73}));
  EXPECT_EQ(grown(WS_OVERLAPPEDWINDOW, 0), (Rect{6, -3, 114, 74}));
  RECT menu{0, 0, 1, 1};
  EXPECT_FALSE(AdjustWindowRectEx(&menu, WS_POPUP, TRUE, 0));  // no window here has a menu bar
}

TEST(MulDivTest, RoundsHalvesAwayFromZeroAndRefusesWhatCannotBe) {
  EXPECT_EQ(MulDiv(59, 6, 4), 89);
  EXPECT_EQ(MulDiv(145, 13, 8), 236);
  EXPECT_EQ(MulDiv(-59, 6, 4), -89);
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(5, -1, 2), -3);
  EXPECT_EQ(MulDiv(0x40000000, 4, 1), -1);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
  EXPECT_EQ(MulDiv(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF), 0x7FFFFFFF);
}

}  // namespace

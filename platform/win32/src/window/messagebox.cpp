// MessageBoxW: a dialog built in memory, shown and answered like any other modal dialog.
#include <algorithm>
#include <vector>

#include "windowstore.h"
#include "zwin32/dialogfrontend.h"

using namespace zwin32;

namespace {

struct BoxButton {
  int id;
  const char16_t* label;
};

std::vector<BoxButton> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {{IDOK, u"OK"}, {IDCANCEL, u"Cancel"}};
    case MB_ABORTRETRYIGNORE:
      return {{IDABORT, u"&Abort"}, {IDRETRY, u"&Retry"}, {IDIGNORE, u"&Ignore"}};
    case MB_YESNOCANCEL:
      return {{IDYES, u"&Yes"}, {IDNO, u"&No"}, {IDCANCEL, u"Cancel"}};
    case MB_YESNO:
      return {{IDYES, u"&Yes"}, {IDNO, u"&No"}};
    case MB_RETRYCANCEL:
      return {{IDRETRY, u"&Retry"}, {IDCANCEL, u"Cancel"}};
    default:
      return {{IDOK, u"OK"}};
  }
}

INT_PTR CALLBACK MessageBoxProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    SetWindowLongPtrW(hDlg, DWLP_USER, lParam);
    return TRUE;
  }
  if (msg != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
    return FALSE;
  const int id = LOWORD(wParam);
  if (GetDlgItem(hDlg, id) != nullptr) {
    EndDialog(hDlg, id);
  } else if (id == IDCANCEL) {
    // Escape without a Cancel button: a lone "OK" box takes it as OK, the others ignore it.
    const UINT type = static_cast<UINT>(GetWindowLongPtrW(hDlg, DWLP_USER));
    if ((type & MB_TYPEMASK) == MB_OK)
      EndDialog(hDlg, IDOK);
  }
  return TRUE;
}

// Dialog units of the box's layout: Windows' margins and button size for dialogs.
constexpr short kMargin = 7;
constexpr short kButtonWidth = 50;
constexpr short kButtonHeight = 14;
constexpr short kButtonGap = 4;
constexpr short kLineHeight = 8;  // a character's height
constexpr short kCharWidth = 4;   // an average character's width
constexpr short kWidestText = 280;

// Lays the box out in dialog units, as Windows does in its own way: the text at the top left,
// as wide as its longest line (up to a limit past which lines wrap), and the buttons side by
// side, centred under it.
void LayOut(DialogTemplate& box) {
  const std::u16string& text = box.items.front().text;
  std::vector<size_t> lines{0};
  for (char16_t c : text) {
    if (c == u'\n')
      lines.push_back(0);
    else if (c != u'\r')
      ++lines.back();
  }
  size_t longest = 0;
  for (size_t length : lines)
    longest = std::max(longest, length);
  const short textWidth =
      static_cast<short>(std::clamp<size_t>(longest * kCharWidth, kButtonWidth, kWidestText));
  size_t rows = 0;
  for (size_t length : lines)
    rows += std::max<size_t>(1, (length * kCharWidth + textWidth - 1) / textWidth);
  const auto buttons = static_cast<short>(box.items.size() - 1);
  const short buttonsWidth =
      static_cast<short>(buttons * kButtonWidth + (buttons - 1) * kButtonGap);
  const short width = std::max(textWidth, buttonsWidth);
  const auto textHeight = static_cast<short>(rows * kLineHeight);
  const short buttonsTop = static_cast<short>(kMargin + textHeight + kMargin + 3);
  DialogItem& label = box.items.front();
  label.x = kMargin;
  label.y = kMargin;
  label.cx = width;
  label.cy = textHeight;
  short left = static_cast<short>(kMargin + (width - buttonsWidth) / 2);
  for (size_t i = 1; i < box.items.size(); ++i) {
    DialogItem& button = box.items[i];
    button.x = left;
    button.y = buttonsTop;
    button.cx = kButtonWidth;
    button.cy = kButtonHeight;
    left = static_cast<short>(left + kButtonWidth + kButtonGap);
  }
  box.cx = static_cast<short>(width + 2 * kMargin);
  box.cy = static_cast<short>(buttonsTop + kButtonHeight + kMargin);
}

}  // namespace

int WINAPI MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType) {
  if (GetDialogFrontEnd() == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  DialogTemplate box;
  // In the dialog font of Windows' own dialogs.
  box.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
  box.pointSize = 8;
  box.typeface = u"MS Shell Dlg";
  box.caption = lpCaption != nullptr ? lpCaption : u"Error";
  DialogItem text;
  text.id = static_cast<DWORD>(IDC_STATIC);
  text.classAtom = 0x82;
  text.style = WS_CHILD | WS_VISIBLE | SS_LEFT;
  text.text = lpText != nullptr ? lpText : u"";
  box.items.push_back(text);
  const std::vector<BoxButton> buttons = ButtonsOf(uType);
  const size_t defaultIndex = (uType & MB_DEFMASK) >> 8;
  for (size_t i = 0; i < buttons.size(); ++i) {
    DialogItem button;
    button.id = static_cast<DWORD>(buttons[i].id);
    button.classAtom = 0x80;
    button.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                   (i == (defaultIndex < buttons.size() ? defaultIndex : 0) ? BS_DEFPUSHBUTTON
                                                                            : BS_PUSHBUTTON);
    button.text = buttons[i].label;
    box.items.push_back(button);
  }
  LayOut(box);
  HWND dialog = CreateFromTemplate(nullptr, box, hWnd, MessageBoxProc, uType);
  return dialog != nullptr ? static_cast<int>(RunModal(dialog, hWnd)) : 0;
}

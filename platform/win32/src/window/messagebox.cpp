// MessageBoxW: a dialog built in memory, shown and answered like any other modal dialog.
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

}  // namespace

int WINAPI MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType) {
  if (GetDialogFrontEnd() == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  DialogTemplate box;
  box.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
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
  HWND dialog = CreateFromTemplate(nullptr, box, hWnd, MessageBoxProc, uType);
  return dialog != nullptr ? static_cast<int>(RunModal(dialog, hWnd)) : 0;
}

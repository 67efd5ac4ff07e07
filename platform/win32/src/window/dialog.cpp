// Dialogs: creation from templates, the dialog class's procedure, the modal loop and the
// dialog-item helpers.
#include <limits>

#include "windowstore.h"
#include "zwin32/dialogfrontend.h"
#include "zwin32/dlgtemplate.h"

using namespace zwin32;

namespace zwin32 {

DialogFrontEnd::~DialogFrontEnd() = default;

namespace {

DialogFrontEnd*& CurrentFrontEnd() {
  static DialogFrontEnd* frontEnd = nullptr;
  return frontEnd;
}

std::optional<DialogTemplate> ReadTemplate(LPCDLGTEMPLATEW data) {
  if (data == nullptr)
    return std::nullopt;
  // Read as far as the template's own counts reach, as Windows does.
  const size_t reach = std::numeric_limits<size_t>::max() - reinterpret_cast<uintptr_t>(data);
  return ParseDialogTemplate(data, reach, nullptr);
}

// A rectangle of dialog units in pixels: its sides are mapped, not its size, so that
// neighbours meet in pixels where they meet in dialog units.
RECT ToPixels(BaseUnits units, int x, int y, int cx, int cy) {
  return {MulDiv(x, units.x, 4), MulDiv(y, units.y, 8), MulDiv(x + cx, units.x, 4),
          MulDiv(y + cy, units.y, 8)};
}

}  // namespace

HWND CreateFromTemplate(HINSTANCE instance, const DialogTemplate& dialogTemplate, HWND owner,
                        DLGPROC proc, LPARAM param) {
  const std::u16string windowClass =
      dialogTemplate.windowClass.empty() ? u"#32770" : dialogTemplate.windowClass;
  // The window is hidden until WM_INITDIALOG has run, as Windows shows it only afterwards.
  const DWORD style = dialogTemplate.style & ~static_cast<DWORD>(WS_VISIBLE | WS_CHILD);
  DWORD exStyle = dialogTemplate.exStyle;
  if ((style & DS_MODALFRAME) != 0)
    exStyle |= WS_EX_DLGMODALFRAME;
  // The template gives the client area in dialog units, from the owner's client area (the
  // screen's with DS_ABSALIGN or without an owner); the frame is added around it.
  const BaseUnits units = TemplateBaseUnits(dialogTemplate);
  RECT bounds =
      ToPixels(units, dialogTemplate.x, dialogTemplate.y, dialogTemplate.cx, dialogTemplate.cy);
  AdjustWindowRectEx(&bounds, style, FALSE, exStyle);
  POINT origin{0, 0};
  if (owner != nullptr && (style & DS_ABSALIGN) == 0)
    ClientToScreen(owner, &origin);
  HWND dialog =
      CreateWindowExW(exStyle, windowClass.c_str(), dialogTemplate.caption.c_str(), style,
                      origin.x + bounds.left, origin.y + bounds.top, bounds.right - bounds.left,
                      bounds.bottom - bounds.top, owner, nullptr, instance, nullptr);
  Window* record = FindWindowRecord(dialog);
  if (record == nullptr || !record->dialog)
    return dialog == nullptr ? nullptr : (DestroyWindow(dialog), nullptr);
  record->dialog->proc = proc;
  record->dialog->baseUnitX = units.x;
  record->dialog->baseUnitY = units.y;
  record->helpId = dialogTemplate.helpId;
  for (const DialogItem& item : dialogTemplate.items) {
    LPCWSTR className =
        item.className.empty() ? MAKEINTRESOURCEW(item.classAtom) : item.className.c_str();
    const RECT rect = ToPixels(units, item.x, item.y, item.cx, item.cy);
    HWND control = CreateWindowExW(
        item.exStyle, className, item.text.c_str(), item.style | WS_CHILD, rect.left, rect.top,
        rect.right - rect.left, rect.bottom - rect.top, dialog,
        reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(item.id)), instance, nullptr);
    if (control == nullptr) {
      DestroyWindow(dialog);
      return nullptr;
    }
    SetWindowContextHelpId(control, item.helpId);
    if ((item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && item.classAtom == 0x80 &&
        FindWindowRecord(dialog)->dialog->defId == 0)
      FindWindowRecord(dialog)->dialog->defId = static_cast<WORD>(item.id);
  }
  HWND firstTabStop = nullptr;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr && firstTabStop == nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) != 0)
      firstTabStop = child;
  }
  try {
    SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstTabStop), param);
  } catch (...) {
    DestroyWindow(dialog);  // a failed initialisation leaves no half-made dialog behind
    throw;
  }
  if (IsWindow(dialog) && (dialogTemplate.style & WS_VISIBLE) != 0)
    ShowWindow(dialog, SW_SHOW);
  return IsWindow(dialog) ? dialog : nullptr;
}

namespace {

bool Ended(HWND dialog) {
  Window* record = FindWindowRecord(dialog);
  return record == nullptr || record->dialog->ended;
}

void SendCommand(HWND dialog, int id) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Apply(HWND dialog, const DialogInput& input) {
  switch (input.kind) {
    case DialogInput::Kind::kClick:
      if (GetParent(input.control) == dialog)
        SendMessageW(input.control, BM_CLICK, 0, 0);
      return;
    case DialogInput::Kind::kSetText:
      if (GetParent(input.control) == dialog) {
        SetWindowTextW(input.control, input.text.c_str());
        // Typing leaves the caret after the text typed.
        SendMessageW(input.control, EM_SETSEL, input.text.size(), input.text.size());
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(input.control), EN_CHANGE),
                     reinterpret_cast<LPARAM>(input.control));
      }
      return;
    case DialogInput::Kind::kClickItem:
    case DialogInput::Kind::kDoubleClickItem:
      if (GetParent(input.control) == dialog && IsWindowEnabled(input.control))
        ClickListItem(input.control, input.item, input.kind == DialogInput::Kind::kDoubleClickItem);
      return;
    case DialogInput::Kind::kEnter: {
      const LRESULT defId = SendMessageW(dialog, DM_GETDEFID, 0, 0);
      const int id = HIWORD(defId) == DC_HASDEFID ? LOWORD(defId) : IDOK;
      HWND button = GetDlgItem(dialog, id);
      if (button == nullptr || IsWindowEnabled(button))
        SendCommand(dialog, id);
      return;
    }
    case DialogInput::Kind::kEscape:
      SendCommand(dialog, IDCANCEL);
      return;
    case DialogInput::Kind::kAbandon:
      SendCommand(dialog, IDCANCEL);
      if (!Ended(dialog))
        EndDialog(dialog, IDCANCEL);
      return;
  }
}

}  // namespace

INT_PTR RunModal(HWND dialog, HWND owner) {
  const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
  if (ownerWasEnabled)
    EnableWindow(owner, FALSE);
  if (!Ended(dialog))
    ShowWindow(dialog, SW_SHOW);
  try {
    for (;;) {
      DeliverPostedMessages();
      if (Ended(dialog))
        break;
      DialogFrontEnd* frontEnd = CurrentFrontEnd();
      Apply(dialog, frontEnd != nullptr ? frontEnd->NextInput(dialog) : DialogInput{});
    }
  } catch (...) {
    // An exception from a handler ends the dialog on its way out, as the stack unwinds.
    if (IsWindow(dialog))
      DestroyWindow(dialog);
    if (ownerWasEnabled)
      EnableWindow(owner, TRUE);
    throw;
  }
  Window* record = FindWindowRecord(dialog);
  const INT_PTR result = record != nullptr ? record->dialog->result : -1;
  if (record != nullptr)
    DestroyWindow(dialog);
  if (ownerWasEnabled)
    EnableWindow(owner, TRUE);
  return result;
}

namespace {

std::optional<DialogTemplate> FindTemplate(HINSTANCE instance, LPCWSTR name) {
  HRSRC resource = FindResourceW(instance, name, RT_DIALOG);
  if (resource == nullptr)
    return std::nullopt;
  const void* data = LockResource(LoadResource(instance, resource));
  return ParseDialogTemplate(data, SizeofResource(instance, resource), nullptr);
}

}  // namespace

DialogFrontEnd* SetDialogFrontEnd(DialogFrontEnd* frontEnd) {
  DialogFrontEnd* previous = CurrentFrontEnd();
  CurrentFrontEnd() = frontEnd;
  return previous;
}

DialogFrontEnd* GetDialogFrontEnd() {
  return CurrentFrontEnd();
}

}  // namespace zwin32

HWND WINAPI CreateDialogIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW lpTemplate,
                                       HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  std::optional<DialogTemplate> dialogTemplate = ReadTemplate(lpTemplate);
  if (!dialogTemplate) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return CreateFromTemplate(hInstance, *dialogTemplate, hWndParent, lpDialogFunc, dwInitParam);
}

HWND WINAPI CreateDialogParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  std::optional<DialogTemplate> dialogTemplate = FindTemplate(hInstance, lpTemplateName);
  if (!dialogTemplate)
    return nullptr;
  return CreateFromTemplate(hInstance, *dialogTemplate, hWndParent, lpDialogFunc, dwInitParam);
}

INT_PTR WINAPI DialogBoxIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW hDialogTemplate,
                                       HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  if (GetDialogFrontEnd() == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);  // nobody could ever answer it
    return -1;
  }
  HWND dialog =
      CreateDialogIndirectParamW(hInstance, hDialogTemplate, hWndParent, lpDialogFunc, dwInitParam);
  return dialog != nullptr ? RunModal(dialog, hWndParent) : -1;
}

INT_PTR WINAPI DialogBoxParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  if (GetDialogFrontEnd() == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  std::optional<DialogTemplate> dialogTemplate = FindTemplate(hInstance, lpTemplateName);
  if (!dialogTemplate)
    return -1;
  HWND dialog =
      CreateFromTemplate(hInstance, *dialogTemplate, hWndParent, lpDialogFunc, dwInitParam);
  return dialog != nullptr ? RunModal(dialog, hWndParent) : -1;
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
  Window* record = FindWindowRecord(hDlg);
  if (record == nullptr || !record->dialog) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  record->dialog->ended = true;
  record->dialog->result = nResult;
  return TRUE;
}

LRESULT WINAPI DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Window* record = FindWindowRecord(hDlg);
  if (record == nullptr || !record->dialog)
    return DefWindowProcW(hDlg, Msg, wParam, lParam);
  if (DLGPROC proc = record->dialog->proc) {
    record->dialog->msgResult = 0;
    const INT_PTR handled = proc(hDlg, Msg, wParam, lParam);
    record = FindWindowRecord(hDlg);
    if (handled) {
      // These messages return the procedure's own result; others what it left in DWLP_MSGRESULT.
      if (Msg == WM_INITDIALOG || record == nullptr)
        return handled;
      return record->dialog->msgResult;
    }
    if (record == nullptr)
      return 0;
  }
  switch (Msg) {
    case DM_GETDEFID:
      return record->dialog->defId != 0 ? MAKELONG(record->dialog->defId, DC_HASDEFID) : 0;
    case DM_SETDEFID:
      record->dialog->defId = static_cast<UINT>(wParam);
      return TRUE;
    case WM_CLOSE:
      // The close box means Cancel to a dialog.
      PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
      return 0;
    default:
      return DefWindowProcW(hDlg, Msg, wParam, lParam);
  }
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
  Window* record = FindWindowRecord(hDlg);
  if (record == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  for (HWND child : record->children) {
    if (static_cast<int>(FindWindowRecord(child)->id) == nIDDlgItem)
      return child;
  }
  SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
  return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hWnd) {
  return static_cast<int>(GetWindowLongPtrW(hWnd, GWLP_ID));
}

LRESULT WINAPI SendDlgItemMessageW(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam,
                                   LPARAM lParam) {
  HWND control = GetDlgItem(hDlg, nIDDlgItem);
  return control != nullptr ? SendMessageW(control, Msg, wParam, lParam) : 0;
}

BOOL WINAPI SetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPCWSTR lpString) {
  HWND control = GetDlgItem(hDlg, nIDDlgItem);
  return control != nullptr && SetWindowTextW(control, lpString);
}

UINT WINAPI GetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPWSTR lpString, int cchMax) {
  HWND control = GetDlgItem(hDlg, nIDDlgItem);
  if (control == nullptr) {
    if (lpString != nullptr && cchMax > 0)
      lpString[0] = u'\0';
    return 0;
  }
  return static_cast<UINT>(GetWindowTextW(control, lpString, cchMax));
}

BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
  HWND control = GetDlgItem(hDlg, nIDButton);
  if (control == nullptr)
    return FALSE;
  SendMessageW(control, BM_SETCHECK, uCheck, 0);
  return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton) {
  return static_cast<UINT>(SendDlgItemMessageW(hDlg, nIDButton, BM_GETCHECK, 0, 0));
}

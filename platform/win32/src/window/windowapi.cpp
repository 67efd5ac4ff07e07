// Creating and destroying windows, their attributes, and message delivery.
#include <algorithm>
#include <array>

#include "windowstore.h"
#include "zwin32/faultpoint.h"

using namespace zwin32;

namespace {

Window* Lookup(HWND hWnd) {
  Window* window = FindWindowRecord(hWnd);
  if (window == nullptr)
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return window;
}

int CopyText(const std::u16string& text, LPWSTR buffer, int size) {
  if (buffer == nullptr || size <= 0)
    return 0;
  const int length = std::min(static_cast<int>(text.size()), size - 1);
  std::copy_n(text.data(), length, buffer);
  buffer[length] = u'\0';
  return length;
}

}  // namespace

HWND WINAPI CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName,
                            DWORD dwStyle, int X, int Y, int nWidth, int nHeight, HWND hWndParent,
                            HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam) {
  if ((dwStyle & WS_CHILD) != 0 && FindWindowRecord(hWndParent) == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);  // a child needs a live parent
    return nullptr;
  }
  Window* window = NewWindowRecord(lpClassName);
  if (window == nullptr)
    return nullptr;
  const HWND hwnd = window->handle;
  window->instance = hInstance;
  window->parent = hWndParent;
  window->text = lpWindowName != nullptr ? lpWindowName : u"";
  window->style = dwStyle;
  window->exStyle = dwExStyle;
  window->id = (dwStyle & WS_CHILD) != 0 ? reinterpret_cast<LONG_PTR>(hMenu) : 0;
  window->x = X;
  window->y = Y;
  window->cx = nWidth;
  window->cy = nHeight;
  if ((dwStyle & WS_CHILD) != 0)
    FindWindowRecord(hWndParent)->children.push_back(hwnd);

  CREATESTRUCTW create{lpParam,
                       hInstance,
                       hMenu,
                       hWndParent,
                       nHeight,
                       nWidth,
                       Y,
                       X,
                       static_cast<LONG>(dwStyle),
                       lpWindowName,
                       nullptr,
                       dwExStyle};
  const LPARAM createParam = reinterpret_cast<LPARAM>(&create);
  if (!SendMessageW(hwnd, WM_NCCREATE, 0, createParam) ||
      SendMessageW(hwnd, WM_CREATE, 0, createParam) == -1) {
    DestroyWindow(hwnd);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return hwnd;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
  Window* window = Lookup(hWnd);
  if (window == nullptr)
    return FALSE;
  if (window->destroying)
    return TRUE;
  window->destroying = true;
  SendMessageW(hWnd, WM_DESTROY, 0, 0);
  // The procedures may have destroyed children already; take the list as it is now.
  const std::vector<HWND> children = FindWindowRecord(hWnd)->children;
  for (HWND child : children)
    DestroyWindow(child);
  SendMessageW(hWnd, WM_NCDESTROY, 0, 0);
  window = FindWindowRecord(hWnd);
  if (Window* parent = FindWindowRecord(window->parent)) {
    std::erase(parent->children, hWnd);
  }
  DeleteWindowRecord(hWnd);
  return TRUE;
}

BOOL WINAPI IsWindow(HWND hWnd) {
  return FindWindowRecord(hWnd) != nullptr ? TRUE : FALSE;
}

HWND WINAPI GetParent(HWND hWnd) {
  Window* window = Lookup(hWnd);
  return window != nullptr ? window->parent : nullptr;
}

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
  Window* window = Lookup(hWnd);
  if (window == nullptr)
    return nullptr;
  if (uCmd == GW_CHILD)
    return window->children.empty() ? nullptr : window->children.front();
  if (uCmd == GW_OWNER)
    return (window->style & WS_CHILD) != 0 ? nullptr : window->parent;
  Window* parent = (window->style & WS_CHILD) != 0 ? FindWindowRecord(window->parent) : nullptr;
  if (parent == nullptr)
    return nullptr;  // top-level windows are not listed as siblings
  const std::vector<HWND>& siblings = parent->children;
  auto it = std::find(siblings.begin(), siblings.end(), hWnd);
  switch (uCmd) {
    case GW_HWNDFIRST:
      return siblings.front();
    case GW_HWNDLAST:
      return siblings.back();
    case GW_HWNDNEXT:
      return it + 1 == siblings.end() ? nullptr : *(it + 1);
    case GW_HWNDPREV:
      return it == siblings.begin() ? nullptr : *(it - 1);
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
  Window* window = Lookup(hWnd);
  if (window == nullptr)
    return FALSE;
  const bool wasDisabled = (window->style & WS_DISABLED) != 0;
  if (wasDisabled == !bEnable)
    return wasDisabled;
  if (bEnable)
    window->style &= ~static_cast<DWORD>(WS_DISABLED);
  else
    window->style |= WS_DISABLED;
  SendMessageW(hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
  return wasDisabled;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd) {
  Window* window = Lookup(hWnd);
  return window != nullptr && (window->style & WS_DISABLED) == 0;
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
  Window* window = Lookup(hWnd);
  if (window == nullptr)
    return FALSE;
  const bool wasVisible = (window->style & WS_VISIBLE) != 0;
  const bool show = nCmdShow != SW_HIDE;
  if (wasVisible == show)
    return wasVisible;
  if (show)
    window->style |= WS_VISIBLE;
  else
    window->style &= ~static_cast<DWORD>(WS_VISIBLE);
  SendMessageW(hWnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
  return wasVisible;
}

BOOL WINAPI IsWindowVisible(HWND hWnd) {
  Window* window = FindWindowRecord(hWnd);
  return window != nullptr && (window->style & WS_VISIBLE) != 0;
}

BOOL WINAPI SetWindowTextW(HWND hWnd, LPCWSTR lpString) {
  if (Lookup(hWnd) == nullptr)
    return FALSE;
  return static_cast<BOOL>(SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)));
}

int WINAPI GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount) {
  if (Lookup(hWnd) == nullptr || lpString == nullptr || nMaxCount <= 0)
    return 0;
  return static_cast<int>(
      SendMessageW(hWnd, WM_GETTEXT, nMaxCount, reinterpret_cast<LPARAM>(lpString)));
}

int WINAPI GetWindowTextLengthW(HWND hWnd) {
  if (Lookup(hWnd) == nullptr)
    return 0;
  return static_cast<int>(SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL) {
  Window* window = Lookup(hWnd);
  if (window == nullptr)
    return FALSE;
  window->x = X;
  window->y = Y;
  window->cx = nWidth;
  window->cy = nHeight;
  return TRUE;
}

LONG_PTR WINAPI GetWindowLongPtrW(HWND hWnd, int nIndex) {
  Window* window = Lookup(hWnd);
  if (window == nullptr)
    return 0;
  switch (nIndex) {
    case GWLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(window->proc);
    case GWLP_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(window->instance);
    case GWLP_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>(window->parent);
    case GWLP_ID:
      return window->id;
    case GWL_STYLE:
      return static_cast<LONG>(window->style);
    case GWL_EXSTYLE:
      return static_cast<LONG>(window->exStyle);
    case GWLP_USERDATA:
      return window->userData;
  }
  if (window->dialog) {
    switch (nIndex) {
      case DWLP_MSGRESULT:
        return window->dialog->msgResult;
      case DWLP_DLGPROC:
        return reinterpret_cast<LONG_PTR>(window->dialog->proc);
      case DWLP_USER:
        return window->dialog->user;
    }
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return 0;
}

LONG_PTR WINAPI SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
  Window* window = Lookup(hWnd);
  if (window == nullptr)
    return 0;
  const LONG_PTR previous = GetWindowLongPtrW(hWnd, nIndex);
  switch (nIndex) {
    case GWLP_WNDPROC:
      if (dwNewLong == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);  // a window always has a procedure
        return 0;
      }
      window->proc = reinterpret_cast<WNDPROC>(dwNewLong);
      return previous;
    case GWLP_HINSTANCE:
      window->instance = reinterpret_cast<HINSTANCE>(dwNewLong);
      return previous;
    case GWLP_HWNDPARENT:
      window->parent = reinterpret_cast<HWND>(dwNewLong);
      return previous;
    case GWLP_ID:
      window->id = dwNewLong;
      return previous;
    case GWL_STYLE:
      window->style = static_cast<DWORD>(dwNewLong);
      return previous;
    case GWL_EXSTYLE:
      window->exStyle = static_cast<DWORD>(dwNewLong);
      return previous;
    case GWLP_USERDATA:
      window->userData = dwNewLong;
      return previous;
  }
  if (window->dialog) {
    switch (nIndex) {
      case DWLP_MSGRESULT:
        window->dialog->msgResult = dwNewLong;
        return previous;
      case DWLP_DLGPROC:
        window->dialog->proc = reinterpret_cast<DLGPROC>(dwNewLong);
        return previous;
      case DWLP_USER:
        window->dialog->user = dwNewLong;
        return previous;
    }
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return 0;
}

LONG WINAPI GetWindowLongW(HWND hWnd, int nIndex) {
  return static_cast<LONG>(GetWindowLongPtrW(hWnd, nIndex));
}

LONG WINAPI SetWindowLongW(HWND hWnd, int nIndex, LONG dwNewLong) {
  return static_cast<LONG>(SetWindowLongPtrW(hWnd, nIndex, dwNewLong));
}

DWORD WINAPI GetWindowContextHelpId(HWND hWnd) {
  Window* window = Lookup(hWnd);
  return window != nullptr ? window->helpId : 0;
}

BOOL WINAPI SetWindowContextHelpId(HWND hWnd, DWORD dwContextHelpId) {
  Window* window = Lookup(hWnd);
  if (window == nullptr)
    return FALSE;
  window->helpId = dwContextHelpId;
  return TRUE;
}

LRESULT WINAPI SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  FaultPoint("SendMessageW");
  Window* window = Lookup(hWnd);
  if (window == nullptr)
    return 0;
  return window->proc(hWnd, Msg, wParam, lParam);
}

BOOL WINAPI PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (Lookup(hWnd) == nullptr)
    return FALSE;
  PostedMessages().push_back({hWnd, Msg, wParam, lParam});
  return TRUE;
}

LRESULT WINAPI CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam,
                               LPARAM lParam) {
  return lpPrevWndFunc != nullptr ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : 0;
}

LRESULT WINAPI DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Window* window = Lookup(hWnd);
  if (window == nullptr)
    return 0;
  switch (Msg) {
    case WM_NCCREATE:
      return TRUE;
    case WM_SETTEXT: {
      const auto* text = reinterpret_cast<LPCWSTR>(lParam);
      window->text = text != nullptr ? text : u"";
      return TRUE;
    }
    case WM_GETTEXT:
      return CopyText(window->text, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(window->text.size());
    case WM_CLOSE:
      DestroyWindow(hWnd);
      return 0;
    default:
      return 0;
  }
}

DWORD WINAPI GetSysColor(int nIndex) {
  FaultPoint("GetSysColor");
  // The "Windows Classic" scheme as Windows 2000 ships it; index 25 names no colour.
  static constexpr std::array<COLORREF, 31> kClassic = {RGB(212, 208, 200), RGB(58, 110, 165),
                                                        RGB(10, 36, 106),   RGB(128, 128, 128),
                                                        RGB(212, 208, 200), RGB(255, 255, 255),
                                                        RGB(0, 0, 0),       RGB(0, 0, 0),
                                                        RGB(0, 0, 0),       RGB(255, 255, 255),
                                                        RGB(212, 208, 200), RGB(212, 208, 200),
                                                        RGB(128, 128, 128), RGB(10, 36, 106),
                                                        RGB(255, 255, 255), RGB(212, 208, 200),
                                                        RGB(128, 128, 128), RGB(128, 128, 128),
                                                        RGB(0, 0, 0),       RGB(212, 208, 200),
                                                        RGB(255, 255, 255), RGB(64, 64, 64),
                                                        RGB(212, 208, 200), RGB(0, 0, 0),
                                                        RGB(255, 255, 225), 0,
                                                        RGB(0, 0, 128),     RGB(166, 202, 240),
                                                        RGB(192, 192, 192), RGB(10, 36, 106),
                                                        RGB(212, 208, 200)};
  if (nIndex < 0 || nIndex >= static_cast<int>(kClassic.size()))
    return 0;
  return kClassic[static_cast<size_t>(nIndex)];
}

// Window and client rectangles, screen and client coordinates, dialog units.
#include "windowstore.h"

using namespace zwin32;

namespace {

// The frame widths of the Windows Classic look at 96 dpi, which GetSysColor's colours belong to.
constexpr int kBorder = 1;
constexpr int kDialogFrame = 3;
constexpr int kSizingFrame = 4;
constexpr int kCaption = 19;  // the caption bar and the line under it
constexpr int kEdge = 2;
constexpr int kScrollBar = 16;

// What the frame takes on each side: the window rectangle less the client rectangle.
RECT FrameOf(DWORD style, DWORD exStyle) {
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  return frame;
}

// The screen position of the top-left corner of the window's client area.
POINT ClientOrigin(const Window& window) {
  POINT origin{window.x, window.y};
  if ((window.style & WS_CHILD) != 0) {
    if (const Window* parent = FindWindowRecord(window.parent)) {
      const POINT parentOrigin = ClientOrigin(*parent);
      origin.x += parentOrigin.x;
      origin.y += parentOrigin.y;
    }
  }
  const RECT frame = FrameOf(window.style, window.exStyle);
  return {origin.x - frame.left, origin.y - frame.top};
}

Window* Lookup(HWND hWnd) {
  Window* window = FindWindowRecord(hWnd);
  if (window == nullptr)
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return window;
}

}  // namespace

int WINAPI GetSystemMetrics(int nIndex) {
  switch (nIndex) {
    case SM_CXVSCROLL:
      return kScrollBar;
    case SM_CYCAPTION:
      return kCaption;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return kBorder;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return kDialogFrame;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return kSizingFrame;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return kEdge;
    default:
      return 0;
  }
}

BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle) {
  if (lpRect == nullptr || bMenu) {
    SetLastError(ERROR_INVALID_PARAMETER);  // no window here has a menu bar
    return FALSE;
  }
  // A dialog frame is a two-pixel raised edge and one pixel inside it; a sizing frame is one
  // pixel wider; a plain border is one pixel.
  int frame = 0;
  if ((dwExStyle & WS_EX_DLGMODALFRAME) != 0 || (dwStyle & (WS_THICKFRAME | WS_DLGFRAME)) != 0)
    frame = kDialogFrame - kBorder;
  if ((dwStyle & WS_THICKFRAME) != 0)
    frame += kSizingFrame - kDialogFrame;
  if ((dwStyle & (WS_BORDER | WS_DLGFRAME)) != 0 || (dwExStyle & WS_EX_DLGMODALFRAME) != 0)
    frame += kBorder;
  if ((dwExStyle & WS_EX_CLIENTEDGE) != 0)
    frame += kEdge;
  lpRect->left -= frame;
  lpRect->top -= frame;
  lpRect->right += frame;
  lpRect->bottom += frame;
  if ((dwStyle & WS_CAPTION) == WS_CAPTION)
    lpRect->top -= kCaption;
  return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
  Window* window = Lookup(hWnd);
  if (window == nullptr || lpRect == nullptr)
    return FALSE;
  POINT origin{window->x, window->y};
  if ((window->style & WS_CHILD) != 0) {
    if (const Window* parent = FindWindowRecord(window->parent)) {
      const POINT parentOrigin = ClientOrigin(*parent);
      origin.x += parentOrigin.x;
      origin.y += parentOrigin.y;
    }
  }
  *lpRect = {origin.x, origin.y, origin.x + window->cx, origin.y + window->cy};
  return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
  Window* window = Lookup(hWnd);
  if (window == nullptr || lpRect == nullptr)
    return FALSE;
  const RECT frame = FrameOf(window->style, window->exStyle);
  const int width = window->cx - (frame.right - frame.left);
  const int height = window->cy - (frame.bottom - frame.top);
  *lpRect = {0, 0, width > 0 ? width : 0, height > 0 ? height : 0};
  return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
  Window* window = Lookup(hWnd);
  if (window == nullptr || lpPoint == nullptr)
    return FALSE;
  const POINT origin = ClientOrigin(*window);
  lpPoint->x += origin.x;
  lpPoint->y += origin.y;
  return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
  Window* window = Lookup(hWnd);
  if (window == nullptr || lpPoint == nullptr)
    return FALSE;
  const POINT origin = ClientOrigin(*window);
  lpPoint->x -= origin.x;
  lpPoint->y -= origin.y;
  return TRUE;
}

BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect) {
  Window* window = Lookup(hDlg);
  if (window == nullptr || !window->dialog || lpRect == nullptr) {
    if (window != nullptr)
      SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const DialogState& dialog = *window->dialog;
  lpRect->left = MulDiv(lpRect->left, dialog.baseUnitX, 4);
  lpRect->right = MulDiv(lpRect->right, dialog.baseUnitX, 4);
  lpRect->top = MulDiv(lpRect->top, dialog.baseUnitY, 8);
  lpRect->bottom = MulDiv(lpRect->bottom, dialog.baseUnitY, 8);
  return TRUE;
}

LONG WINAPI GetDialogBaseUnits(void) {
  const BaseUnits units = TemplateBaseUnits(DialogTemplate{});
  return MAKELONG(units.x, units.y);
}

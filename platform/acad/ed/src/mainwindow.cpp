// The host's main window: the top-level window that owns the dialogs applications show.
#include <windows.h>

#include "acedads.h"

namespace {

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CLOSE)
    return 0;  // only the host's QUIT ends the session, never a stray close request
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

HWND adsw_acadMainWnd() {
  static HWND mainWindow = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.lpszClassName = u"ZantHostMainWindow";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, windowClass.lpszClassName, u"zanthost",
                           WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1024, 768, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }();
  return IsWindow(mainWindow) ? mainWindow : nullptr;
}

// CWnd: binding window objects to windows, and routing their messages.
#include <map>
#include <memory>

#include "afxwin.h"

namespace {

// Windows bound to objects for their lifetime, and the temporary objects FromHandle made for
// windows nobody bound. Windows belong to one thread, as their procedures do.
std::map<HWND, CWnd*>& Permanent() {
  static std::map<HWND, CWnd*> map;
  return map;
}

std::map<HWND, std::unique_ptr<CWnd>>& Temporary() {
  static std::map<HWND, std::unique_ptr<CWnd>> map;
  return map;
}

// Temporary objects of destroyed windows are dropped the next time one is asked for.
void DropDeadTemporaries() {
  for (auto it = Temporary().begin(); it != Temporary().end();) {
    if (!::IsWindow(it->first)) {
      it->second->m_hWnd = nullptr;
      it = Temporary().erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr) {}

CWnd::~CWnd() {
  if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
    ::DestroyWindow(m_hWnd);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) {
  auto it = Permanent().find(hWnd);
  return it == Permanent().end() ? nullptr : it->second;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) {
  if (hWnd == nullptr)
    return nullptr;
  if (CWnd* bound = FromHandlePermanent(hWnd))
    return bound;
  DropDeadTemporaries();
  std::unique_ptr<CWnd>& temporary = Temporary()[hWnd];
  if (!temporary) {
    temporary = std::make_unique<CWnd>();
    temporary->m_hWnd = hWnd;
  }
  return temporary.get();
}

BOOL CWnd::Attach(HWND hWndNew) {
  if (hWndNew == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWndNew) != nullptr)
    return FALSE;
  m_hWnd = hWndNew;
  Permanent()[hWndNew] = this;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (hWnd != nullptr) {
    auto it = Permanent().find(hWnd);
    if (it != Permanent().end() && it->second == this)
      Permanent().erase(it);
  }
  m_hWnd = nullptr;
  return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!::IsWindow(hWnd) || !Attach(hWnd))
    return FALSE;
  PreSubclassWindow();
  auto previous = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
  if (previous != AfxWndProc)
    m_pfnSuper = previous;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  HWND control =
      ::GetDlgItem(pParent != nullptr ? pParent->m_hWnd : nullptr, static_cast<int>(nID));
  return control != nullptr && SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow() {
  if (m_pfnSuper != nullptr && ::IsWindow(m_hWnd))
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  return Detach();
}

void CWnd::SetWindowText(LPCTSTR lpszString) {
  ::SetWindowTextW(m_hWnd, lpszString);
}

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const {
  return ::GetWindowTextW(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const {
  const int length = ::GetWindowTextLengthW(m_hWnd);
  rString.Empty();
  if (length <= 0)
    return;
  std::u16string buffer(static_cast<size_t>(length) + 1, u'\0');
  const int copied = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
  rString = CString(buffer.data(), copied);
}

int CWnd::GetWindowTextLength() const {
  return ::GetWindowTextLengthW(m_hWnd);
}

CWnd* CWnd::GetDlgItem(int nID) const {
  return FromHandle(::GetDlgItem(m_hWnd, nID));
}

int CWnd::GetDlgCtrlID() const {
  return ::GetDlgCtrlID(m_hWnd);
}

CWnd* CWnd::GetParent() const {
  return FromHandle(::GetParent(m_hWnd));
}

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) {
  ::SetDlgItemTextW(m_hWnd, nID, lpszString);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  rString.Empty();
  if (CWnd* item = GetDlgItem(nID))
    item->GetWindowText(rString);
  return rString.GetLength();
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) {
  ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const {
  return ::IsDlgButtonChecked(m_hWnd, nIDButton);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
  return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const {
  return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::ShowWindow(int nCmdShow) {
  return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsWindowVisible() const {
  return ::IsWindowVisible(m_hWnd);
}

DWORD CWnd::GetStyle() const {
  return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const {
  return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE));
}

void CWnd::GetWindowRect(LPRECT lpRect) const {
  ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::GetClientRect(LPRECT lpRect) const {
  ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const {
  ::ClientToScreen(m_hWnd, lpPoint);
}

// A rectangle converts as its two corners.
void CWnd::ClientToScreen(LPRECT lpRect) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const {
  ::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
  ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
  MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
             bRepaint);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT) {
  const DWORD style = GetStyle();
  const DWORD changed = (style & ~dwRemove) | dwAdd;
  if (changed == style)
    return FALSE;
  ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(changed));
  return TRUE;
}

BOOL CWnd::DestroyWindow() {
  return m_hWnd != nullptr && ::DestroyWindow(m_hWnd);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
  return ::MessageBoxW(m_hWnd, lpszText, lpszCaption, nType);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange exchange(this, bSaveAndValidate);
  try {
    DoDataExchange(&exchange);
  } catch (CUserException* failure) {
    failure->Delete();
    return FALSE;
  }
  return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
  return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_COMMAND && OnCommand(wParam, lParam)) {
    *pResult = 1;
    return TRUE;
  }
  return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result))
    result = DefWindowProc(message, wParam, lParam);
  return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper != nullptr)
    return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
  if (wnd == nullptr)
    return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
  const LRESULT result = wnd->WindowProc(nMsg, wParam, lParam);
  if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == wnd) {
    // The window is gone: the object lets go of it and may clean up after itself.
    wnd->m_pfnSuper = nullptr;
    wnd->Detach();
    wnd->PostNcDestroy();
  }
  return result;
}

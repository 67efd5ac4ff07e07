// The control classes: thin wrappers over the control messages.
#include "afxwin.h"

CButton::CButton() = default;
CButton::~CButton() = default;

int CButton::GetCheck() const {
  return static_cast<int>(::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0));
}

void CButton::SetCheck(int nCheck) {
  ::SendMessageW(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(nCheck), 0);
}

UINT CButton::GetState() const {
  return static_cast<UINT>(::SendMessageW(m_hWnd, BM_GETSTATE, 0, 0));
}

void CButton::SetState(BOOL bHighlight) {
  ::SendMessageW(m_hWnd, BM_SETSTATE, static_cast<WPARAM>(bHighlight), 0);
}

UINT CButton::GetButtonStyle() const {
  return static_cast<UINT>(::GetWindowLongW(m_hWnd, GWL_STYLE)) & 0xFFu;
}

void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) {
  ::SendMessageW(m_hWnd, BM_SETSTYLE, nStyle, bRedraw);
}

CStatic::CStatic() = default;
CStatic::~CStatic() = default;

CEdit::CEdit() = default;
CEdit::~CEdit() = default;

void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
  DWORD start = 0;
  DWORD end = 0;
  ::SendMessageW(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
  nStartChar = static_cast<int>(start);
  nEndChar = static_cast<int>(end);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL) {
  ::SendMessageW(m_hWnd, EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
}

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) {
  ::SendMessageW(m_hWnd, EM_REPLACESEL, bCanUndo, reinterpret_cast<LPARAM>(lpszNewText));
}

CListBox::CListBox() = default;
CListBox::~CListBox() = default;

int CListBox::GetCount() const {
  return static_cast<int>(::SendMessageW(m_hWnd, LB_GETCOUNT, 0, 0));
}

int CListBox::GetCurSel() const {
  return static_cast<int>(::SendMessageW(m_hWnd, LB_GETCURSEL, 0, 0));
}

int CListBox::SetCurSel(int nSelect) {
  return static_cast<int>(::SendMessageW(m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(nSelect), 0));
}

int CListBox::GetText(int nIndex, LPTSTR lpszBuffer) const {
  return static_cast<int>(::SendMessageW(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(nIndex),
                                         reinterpret_cast<LPARAM>(lpszBuffer)));
}

void CListBox::GetText(int nIndex, CString& rString) const {
  const int length = GetTextLen(nIndex);
  if (length == LB_ERR) {
    rString.Empty();
    return;
  }
  GetText(nIndex, rString.GetBuffer(length));
  rString.ReleaseBuffer(length);
}

int CListBox::GetTextLen(int nIndex) const {
  return static_cast<int>(::SendMessageW(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0));
}

DWORD_PTR CListBox::GetItemData(int nIndex) const {
  return static_cast<DWORD_PTR>(
      ::SendMessageW(m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0));
}

int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
  return static_cast<int>(::SendMessageW(m_hWnd, LB_SETITEMDATA, static_cast<WPARAM>(nIndex),
                                         static_cast<LPARAM>(dwItemData)));
}

int CListBox::AddString(LPCTSTR lpszItem) {
  return static_cast<int>(
      ::SendMessageW(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::InsertString(int nIndex, LPCTSTR lpszItem) {
  return static_cast<int>(::SendMessageW(m_hWnd, LB_INSERTSTRING, static_cast<WPARAM>(nIndex),
                                         reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::DeleteString(UINT nIndex) {
  return static_cast<int>(::SendMessageW(m_hWnd, LB_DELETESTRING, nIndex, 0));
}

void CListBox::ResetContent() {
  ::SendMessageW(m_hWnd, LB_RESETCONTENT, 0, 0);
}

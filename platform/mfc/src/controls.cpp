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

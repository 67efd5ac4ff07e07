// Dialog data exchange between controls and members.
#include <cerrno>
#include <cstdio>

#include "afxwin.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_idLastControl(0) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  m_idLastControl = nIDC;
  HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
  if (control == nullptr) {
    std::fprintf(stderr, "mfc: the dialog has no control %d to exchange data with\n", nIDC);
    Fail();
  }
  return control;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  return PrepareCtrl(nIDC);
}

void CDataExchange::Fail() {
  AfxThrowUserException();
  __builtin_unreachable();
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd != nullptr)
    return;
  HWND control = pDX->PrepareCtrl(nIDC);
  if (!rControl.SubclassWindow(control)) {
    std::fprintf(stderr, "mfc: control %d is bound to another window object already\n", nIDC);
    pDX->Fail();
  }
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND control = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = static_cast<int>(::SendMessageW(control, BM_GETCHECK, 0, 0));
  } else {
    if (value < 0 || value > 2)
      value = 0;
    ::SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND control = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    CWnd::FromHandle(control)->GetWindowText(value);
  else
    ::SetWindowTextW(control, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
  HWND control = pDX->PrepareEditCtrl(nIDC);
  if (!pDX->m_bSaveAndValidate) {
    CString text;
    text.Format(_T("%d"), value);
    ::SetWindowTextW(control, text);
    return;
  }
  CString text;
  CWnd::FromHandle(control)->GetWindowText(text);
  text.Trim();
  LPTSTR end = nullptr;
  errno = 0;
  const LONG number = _tcstol(text, &end, 10);
  if (text.IsEmpty() || end == nullptr || *end != u'\0' || errno == ERANGE) {
    AfxMessageBox(_T("Please enter an integer."), MB_ICONEXCLAMATION);
    pDX->Fail();
  }
  value = static_cast<int>(number);
}

// CDialog: dialogs on templates of the current resource module, modal and modeless.
#include "afxwin.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

namespace {

const DLGTEMPLATE* LoadTemplate(LPCTSTR name, HINSTANCE* module) {
  *module = AfxFindResourceHandle(name, RT_DIALOG);
  HRSRC resource = ::FindResourceW(*module, name, RT_DIALOG);
  if (resource == nullptr)
    return nullptr;
  return static_cast<const DLGTEMPLATE*>(::LockResource(::LoadResource(*module, resource)));
}

}  // namespace

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR, LPCTSTR) {
  return AfxGetResourceHandle();
}

CDialog::CDialog() : m_lpszTemplateName(nullptr), m_nIDHelp(0), m_pParentWnd(nullptr) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)),
      m_nIDHelp(nIDTemplate),
      m_pParentWnd(pParentWnd) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_nIDHelp(0), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
  HINSTANCE module = nullptr;
  const DLGTEMPLATE* dialogTemplate = LoadTemplate(m_lpszTemplateName, &module);
  if (dialogTemplate == nullptr)
    return -1;
  return ::DialogBoxIndirectParamW(module, dialogTemplate,
                                   m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr,
                                   AfxDlgProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  m_lpszTemplateName = MAKEINTRESOURCEW(nIDTemplate);
  m_nIDHelp = nIDTemplate;
  m_pParentWnd = pParentWnd;
  HINSTANCE module = nullptr;
  const DLGTEMPLATE* dialogTemplate = LoadTemplate(m_lpszTemplateName, &module);
  if (dialogTemplate == nullptr)
    return FALSE;
  return ::CreateDialogIndirectParamW(module, dialogTemplate,
                                      pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
                                      AfxDlgProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(int nResult) {
  ::EndDialog(m_hWnd, nResult);
}

void CDialog::MapDialogRect(LPRECT lpRect) const {
  ::MapDialogRect(m_hWnd, lpRect);
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE))
    return;  // a value was refused: the dialog stays open
  EndDialog(IDOK);
}

void CDialog::OnCancel() {
  EndDialog(IDCANCEL);
}

// The dialog procedure of every CDialog: at WM_INITDIALOG it binds the object to its window,
// so that from then on messages reach the object's message map through AfxWndProc.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG)
    return FALSE;
  auto* dialog = reinterpret_cast<CDialog*>(lParam);
  if (!dialog->SubclassWindow(hWnd))
    return FALSE;
  return dialog->OnInitDialog();
}

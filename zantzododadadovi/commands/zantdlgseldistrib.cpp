#include "commands/zantdlgseldistrib.h"

#include "outside/maker.h"
#include "outside/win.h"

#include "module/module_state.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(ZANTDlgSelDistrib, CDialog)
ON_BN_CLICKED(IDC_BUTTON_REGULAR_DISTRIB, &ZANTDlgSelDistrib::OnButtonRegularDistrib)
ON_BN_CLICKED(IDC_BUTTON_PATTERN_DISTRIB, &ZANTDlgSelDistrib::OnButtonPatternDistrib)
END_MESSAGE_MAP()

ZANTDlgSelDistrib::ZANTDlgSelDistrib(CWnd* pParent)
    : CDialog(IDD_SEL_DISTRIB, pParent), m_bRegularDistrib(true), m_bChooseFilter(false) {
  try {
    CZnLogEntry trace(_T("ZANTDlgSelDistrib::ZANTDlgSelDistrib"));
    m_bRegularDistrib = true;
    m_bChooseFilter = false;
  } catch (...) {
    CZnCrashHandler crash(__FILEW__, __LINE__);
  }
}

ZANTDlgSelDistrib::~ZANTDlgSelDistrib() {}

void ZANTDlgSelDistrib::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_BUTTON_REGULAR_DISTRIB, m_btnRegularDistrib);
  DDX_Control(pDX, IDC_BUTTON_PATTERN_DISTRIB, m_btnPatternDistrib);
  DDX_Control(pDX, IDC_CHECK_FILTER, m_chkFilter);
}

BOOL ZANTDlgSelDistrib::OnInitDialog() {
  try {
    CZnLogEntry trace(_T("ZANTDlgSelDistrib::OnInitDialog"));
    CDialog::OnInitDialog();
    ZnPrompts::setDialogAndControlText(this, IDD_SEL_DISTRIB, kZantPromptProject);
    initFlatButton(m_btnRegularDistrib, IDB_REGULAR_DISTRIB);
    initFlatButton(m_btnPatternDistrib, IDB_PATTERN_DISTRIB);
    pressButton(IDC_BUTTON_REGULAR_DISTRIB);
    m_chkFilter.SendMessage(BM_SETCHECK, 0);
  } catch (...) {
    CZnCrashHandler crash(__FILEW__, __LINE__);
  }
  return TRUE;
}

void ZANTDlgSelDistrib::initFlatButton(CButtonST& button, int bitmapId) {
  try {
    CZnLogEntry trace(_T("ZANTDlgSelDistrib::initFlatButton"));
    // Pure red is the pictures' background, drawn transparent.
    button.SetBitmaps(bitmapId, RGB(255, 0, 0), 0, 0);
    button.SetAlign(CButtonST::ST_ALIGN_OVERLAP, TRUE);
    button.SetColor(CButtonST::BTNST_COLOR_BK_IN, ::GetSysColor(COLOR_BTNFACE), TRUE);
    button.SetColor(CButtonST::BTNST_COLOR_BK_PRESSED, ::GetSysColor(COLOR_BTNHIGHLIGHT), TRUE);
    button.m_bIsFlat = 1;
  } catch (...) {
    CZnCrashHandler crash(__FILEW__, __LINE__);
  }
}

void ZANTDlgSelDistrib::pressButton(int controlId) {
  try {
    CZnLogEntry trace(_T("ZANTDlgSelDistrib::pressButton"));
    m_btnRegularDistrib.SetCheck(controlId == IDC_BUTTON_REGULAR_DISTRIB ? 1 : 0, TRUE);
    m_btnPatternDistrib.SetCheck(controlId == IDC_BUTTON_PATTERN_DISTRIB ? 1 : 0, TRUE);
  } catch (...) {
    CZnCrashHandler crash(__FILEW__, __LINE__);
  }
}

void ZANTDlgSelDistrib::OnButtonRegularDistrib() {
  try {
    CZnLogEntry trace(_T("ZANTDlgSelDistrib::OnButtonRegularDistrib"));
    m_bRegularDistrib = true;
    pressButton(IDC_BUTTON_REGULAR_DISTRIB);
  } catch (...) {
    CZnCrashHandler crash(__FILEW__, __LINE__);
  }
}

void ZANTDlgSelDistrib::OnButtonPatternDistrib() {
  try {
    CZnLogEntry trace(_T("ZANTDlgSelDistrib::OnButtonPatternDistrib"));
    m_bRegularDistrib = false;
    pressButton(IDC_BUTTON_PATTERN_DISTRIB);
  } catch (...) {
    CZnCrashHandler crash(__FILEW__, __LINE__);
  }
}

// The filter answer is taken once, on confirmation; the box toggles freely until then.
void ZANTDlgSelDistrib::OnOK() {
  try {
    CZnLogEntry trace(_T("ZANTDlgSelDistrib::OnOK"));
    UpdateData(TRUE);
    m_bChooseFilter = m_chkFilter.SendMessage(BM_GETCHECK) != 0;
    CDialog::OnOK();
  } catch (...) {
    CZnCrashHandler crash(__FILEW__, __LINE__);
  }
}

bool ZANTDlgSelDistrib::regularDistrib() {
  try {
    CZnLogEntry trace(_T("ZANTDlgSelDistrib::regularDistrib"));
    return m_bRegularDistrib;
  } catch (...) {
    CZnCrashHandler crash(__FILEW__, __LINE__);
  }
  return m_bRegularDistrib;
}

bool ZANTDlgSelDistrib::chooseFilter() {
  try {
    CZnLogEntry trace(_T("ZANTDlgSelDistrib::chooseFilter"));
    return m_bChooseFilter;
  } catch (...) {
    CZnCrashHandler crash(__FILEW__, __LINE__);
  }
  return m_bChooseFilter;
}

#include "BtnST.h"

namespace {

// A bitmap resource of the current resource module, checked to be one (a BITMAPINFOHEADER or
// the older BITMAPCOREHEADER at its start).
bool HasBitmap(int id) {
  LPCWSTR name = MAKEINTRESOURCEW(id);
  HINSTANCE module = AfxFindResourceHandle(name, RT_BITMAP);
  HRSRC resource = ::FindResourceW(module, name, RT_BITMAP);
  if (resource == nullptr || ::SizeofResource(module, resource) < 12)
    return false;
  const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module, resource)));
  const DWORD headerSize = data[0] | (data[1] << 8) | (data[2] << 16) | (DWORD{data[3]} << 24);
  return headerSize == 12 || headerSize >= 40;
}

}  // namespace

CButtonST::CButtonST()
    : m_bIsFlat(FALSE),
      m_nCheck(0),
      m_nBitmapIn(0),
      m_nBitmapOut(0),
      m_crTransIn(0),
      m_crTransOut(0),
      m_byAlign(ST_ALIGN_HORIZ) {
  // Until the owner says otherwise, a button looks like the system's buttons.
  m_crColors[BTNST_COLOR_BK_IN] = ::GetSysColor(COLOR_BTNFACE);
  m_crColors[BTNST_COLOR_FG_IN] = ::GetSysColor(COLOR_BTNTEXT);
  m_crColors[BTNST_COLOR_BK_OUT] = ::GetSysColor(COLOR_BTNFACE);
  m_crColors[BTNST_COLOR_FG_OUT] = ::GetSysColor(COLOR_BTNTEXT);
  m_crColors[BTNST_COLOR_BK_FOCUS] = ::GetSysColor(COLOR_BTNFACE);
  m_crColors[BTNST_COLOR_FG_FOCUS] = ::GetSysColor(COLOR_BTNTEXT);
  m_crColors[BTNST_COLOR_BK_PRESSED] = ::GetSysColor(COLOR_BTNSHADOW);
}

CButtonST::~CButtonST() = default;

void CButtonST::PreSubclassWindow() {
  SetButtonStyle(BS_OWNERDRAW, FALSE);
  if (m_nBitmapIn != 0)
    ModifyStyle(0, BS_BITMAP);
  ShowState();
}

DWORD CButtonST::SetBitmaps(int nBitmapIn, COLORREF crTransColorIn, int nBitmapOut,
                            COLORREF crTransColorOut) {
  if (!HasBitmap(nBitmapIn) || (nBitmapOut != 0 && !HasBitmap(nBitmapOut)))
    return BTNST_INVALIDRESOURCE;
  m_nBitmapIn = nBitmapIn;
  m_nBitmapOut = nBitmapOut;
  m_crTransIn = crTransColorIn;
  m_crTransOut = crTransColorOut;
  if (m_hWnd != nullptr)
    ModifyStyle(0, BS_BITMAP);
  return BTNST_OK;
}

DWORD CButtonST::SetAlign(BYTE byAlign, BOOL) {
  if (byAlign > ST_ALIGN_OVERLAP)
    return BTNST_INVALIDALIGN;
  m_byAlign = byAlign;
  return BTNST_OK;
}

DWORD CButtonST::SetColor(BYTE byColorIndex, COLORREF crColor, BOOL) {
  if (byColorIndex >= BTNST_MAX_COLORS)
    return BTNST_INVALIDINDEX;
  m_crColors[byColorIndex] = crColor;
  return BTNST_OK;
}

DWORD CButtonST::GetColor(BYTE byColorIndex, COLORREF* crpColor) const {
  if (byColorIndex >= BTNST_MAX_COLORS || crpColor == nullptr)
    return BTNST_INVALIDINDEX;
  *crpColor = m_crColors[byColorIndex];
  return BTNST_OK;
}

DWORD CButtonST::SetCheck(int nCheck, BOOL) {
  m_nCheck = nCheck != 0 ? 1 : 0;
  ShowState();
  return BTNST_OK;
}

int CButtonST::GetCheck() const {
  return m_nCheck;
}

void CButtonST::ShowState() {
  if (m_hWnd != nullptr)
    CButton::SetState(m_nCheck);
}

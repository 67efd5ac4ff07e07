#include "BtnST.h"

namespace {

// A bitmap resource of the current resource module, loaded as the window system draws it; null
// when there is none of that id or it is not a bitmap Windows can draw.
HBITMAP LoadPicture(int id) {
  LPCWSTR name = MAKEINTRESOURCEW(id);
  return static_cast<HBITMAP>(
      ::LoadImageW(AfxFindResourceHandle(name, RT_BITMAP), name, IMAGE_BITMAP, 0, 0, 0));
}

void FreePicture(HBITMAP& picture) {
  if (picture != nullptr)
    ::DeleteObject(picture);
  picture = nullptr;
}

}  // namespace

CButtonST::CButtonST()
    : m_bIsFlat(FALSE),
      m_nCheck(0),
      m_nBitmapIn(0),
      m_nBitmapOut(0),
      m_hBitmapIn(nullptr),
      m_hBitmapOut(nullptr),
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

CButtonST::~CButtonST() {
  FreePicture(m_hBitmapIn);
  FreePicture(m_hBitmapOut);
}

void CButtonST::PreSubclassWindow() {
  SetButtonStyle(BS_OWNERDRAW, FALSE);
  ShowPicture();
  ShowState();
}

DWORD CButtonST::SetBitmaps(int nBitmapIn, COLORREF crTransColorIn, int nBitmapOut,
                            COLORREF crTransColorOut) {
  HBITMAP in = LoadPicture(nBitmapIn);
  HBITMAP out = nBitmapOut != 0 ? LoadPicture(nBitmapOut) : nullptr;
  if (in == nullptr || (nBitmapOut != 0 && out == nullptr)) {
    FreePicture(in);
    FreePicture(out);
    return BTNST_INVALIDRESOURCE;
  }
  FreePicture(m_hBitmapIn);
  FreePicture(m_hBitmapOut);
  m_hBitmapIn = in;
  m_hBitmapOut = out;
  m_nBitmapIn = nBitmapIn;
  m_nBitmapOut = nBitmapOut;
  m_crTransIn = crTransColorIn;
  m_crTransOut = crTransColorOut;
  ShowPicture();
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
  ShowPicture();
  ShowState();
  return BTNST_OK;
}

int CButtonST::GetCheck() const {
  return m_nCheck;
}

// The window holds the picture it shows (BM_SETIMAGE), the pressed one while checked, so that
// whoever presents the dialog can draw it.
void CButtonST::ShowPicture() {
  if (m_hWnd == nullptr || m_hBitmapIn == nullptr)
    return;
  ModifyStyle(0, BS_BITMAP);
  HBITMAP shown = m_nCheck != 0 && m_hBitmapOut != nullptr ? m_hBitmapOut : m_hBitmapIn;
  SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
}

void CButtonST::ShowState() {
  if (m_hWnd != nullptr)
    CButton::SetState(m_nCheck);
}

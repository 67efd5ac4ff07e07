#include "BtnST.h"

#include <vector>

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

// A COLORREF (0x00BBGGRR) as a DIB pixel (0x00RRGGBB).
DWORD AsPixel(COLORREF colour) {
  return (DWORD{GetRValue(colour)} << 16) | (DWORD{GetGValue(colour)} << 8) | GetBValue(colour);
}

// The picture as the button paints it: where it has the transparent colour, the button's
// background shows through. Null when the source cannot be read.
HBITMAP Painted(HBITMAP source, COLORREF transparent, COLORREF background) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biHeight = -1;  // ask for the rows top down
  HDC screen = ::GetDC(nullptr);
  std::vector<DWORD> pixels;
  int rows = ::GetDIBits(screen, source, 0, 0, nullptr, &info, DIB_RGB_COLORS);
  if (rows > 0) {
    pixels.resize(size_t(info.bmiHeader.biWidth) * rows);
    rows = ::GetDIBits(screen, source, 0, rows, pixels.data(), &info, DIB_RGB_COLORS);
  }
  ::ReleaseDC(nullptr, screen);
  if (rows <= 0)
    return nullptr;
  const DWORD clear = AsPixel(transparent);
  const DWORD fill = AsPixel(background);
  for (DWORD& pixel : pixels) {
    if (pixel == clear)
      pixel = fill;
  }
  return ::CreateBitmap(info.bmiHeader.biWidth, rows, 1, 32, pixels.data());
}

}  // namespace

CButtonST::CButtonST()
    : m_bIsFlat(FALSE),
      m_nCheck(0),
      m_nBitmapIn(0),
      m_nBitmapOut(0),
      m_hBitmapIn(nullptr),
      m_hBitmapOut(nullptr),
      m_hShown(nullptr),
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
  FreePicture(m_hShown);
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

DWORD CButtonST::SetColor(BYTE byColorIndex, COLORREF crColor, BOOL bRepaint) {
  if (byColorIndex >= BTNST_MAX_COLORS)
    return BTNST_INVALIDINDEX;
  m_crColors[byColorIndex] = crColor;
  if (bRepaint)
    ShowPicture();
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

// The window holds the picture as painted (BM_SETIMAGE): the pressed one while checked, on the
// pressed background, the released one on the usual background, so that whoever presents the
// dialog draws what a user of the real button sees.
void CButtonST::ShowPicture() {
  if (m_hWnd == nullptr || m_hBitmapIn == nullptr)
    return;
  ModifyStyle(0, BS_BITMAP);
  const bool pressed = m_nCheck != 0;
  const bool second = pressed && m_hBitmapOut != nullptr;
  HBITMAP painted =
      Painted(second ? m_hBitmapOut : m_hBitmapIn, second ? m_crTransOut : m_crTransIn,
              m_crColors[pressed ? BTNST_COLOR_BK_PRESSED : BTNST_COLOR_BK_OUT]);
  if (painted == nullptr)
    return;
  SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(painted));
  FreePicture(m_hShown);
  m_hShown = painted;
}

void CButtonST::ShowState() {
  if (m_hWnd != nullptr)
    CButton::SetState(m_nCheck);
}

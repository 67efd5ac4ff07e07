// CButtonST: the maker's picture button. It shows a bitmap of the current resource module and a
// pressed or released state that its owner sets with SetCheck: a click only tells the owner
// (BN_CLICKED), as a manual check box does, and the owner decides the state. With no screen to
// draw on, the state is what the dialog front end shows ("picture button, pressed").
#pragma once

#include <afxwin.h>

#include "ZnInterfaceDef.h"

// Status of the setters.
#define BTNST_OK 0
#define BTNST_INVALIDRESOURCE 1  // no bitmap resource of that id
#define BTNST_INVALIDINDEX 3     // no colour slot of that index
#define BTNST_INVALIDALIGN 4     // no such alignment

class ZNINTERFACE_API CButtonST : public CButton {
 public:
  // Where the picture goes relative to the text.
  enum {
    ST_ALIGN_HORIZ = 0,        // picture left, text right
    ST_ALIGN_VERT = 1,         // picture above, text below
    ST_ALIGN_HORIZ_RIGHT = 2,  // text left, picture right
    ST_ALIGN_OVERLAP = 3,      // picture and text in the same space, the text over it
  };
  // Colour slots.
  enum {
    BTNST_COLOR_BK_IN = 0,       // background while the pointer is over the button
    BTNST_COLOR_FG_IN = 1,       // text while the pointer is over the button
    BTNST_COLOR_BK_OUT = 2,      // background otherwise
    BTNST_COLOR_FG_OUT = 3,      // text otherwise
    BTNST_COLOR_BK_FOCUS = 4,    // background while the button has the focus
    BTNST_COLOR_FG_FOCUS = 5,    // text while the button has the focus
    BTNST_COLOR_BK_PRESSED = 6,  // background while the button is pressed (checked)
    BTNST_MAX_COLORS = 7,
  };

  CButtonST();
  ~CButtonST() override;

  // The pictures shown released (nBitmapIn) and, when not 0, pressed (nBitmapOut), bitmap
  // resources of the current resource module; each colour is drawn transparent in its picture.
  DWORD SetBitmaps(int nBitmapIn, COLORREF crTransColorIn, int nBitmapOut = 0,
                   COLORREF crTransColorOut = 0);
  DWORD SetAlign(BYTE byAlign, BOOL bRepaint = TRUE);
  DWORD SetColor(BYTE byColorIndex, COLORREF crColor, BOOL bRepaint = TRUE);
  DWORD GetColor(BYTE byColorIndex, COLORREF* crpColor) const;
  // Pressed (non-zero) or released; the window's pushed state follows, for whoever reads it.
  DWORD SetCheck(int nCheck, BOOL bRepaint = TRUE);
  int GetCheck() const;

  int GetBitmapIn() const { return m_nBitmapIn; }
  int GetBitmapOut() const { return m_nBitmapOut; }
  BYTE GetAlign() const { return m_byAlign; }

  // Flat: no border until the pointer is over the button. Public, as the maker's code sets it.
  int m_bIsFlat;

 protected:
  // Makes the control owner-drawn, so that a click never changes its state by itself.
  void PreSubclassWindow() override;

 private:
  void ShowPicture();
  void ShowState();

  int m_nCheck;
  int m_nBitmapIn;
  int m_nBitmapOut;
  HBITMAP m_hBitmapIn;
  HBITMAP m_hBitmapOut;
  HBITMAP m_hShown;  // the picture as painted, which the window holds
  COLORREF m_crTransIn;
  COLORREF m_crTransOut;
  BYTE m_byAlign;
  COLORREF m_crColors[BTNST_MAX_COLORS];
};

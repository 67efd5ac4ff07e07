// The dialog of the body command that asks how the body rows are distributed (regular, or a
// pattern of repeated objects) and whether a display condition filters the body lines.
#pragma once

#include "outside/mfc.h"
#include "outside/interface.h"

class ZANTDlgSelDistrib : public CDialog {
 public:
  explicit ZANTDlgSelDistrib(CWnd* pParent = NULL);
  ~ZANTDlgSelDistrib() override;

  bool regularDistrib();
  bool chooseFilter();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  void OnButtonRegularDistrib();
  void OnButtonPatternDistrib();

  DECLARE_MESSAGE_MAP()

 private:
  void initFlatButton(CButtonST& button, int bitmapId);
  // Shows the picture of `controlId` pressed and the other released.
  void pressButton(int controlId);

  CButtonST m_btnRegularDistrib;
  CButtonST m_btnPatternDistrib;
  CButton m_chkFilter;
  bool m_bRegularDistrib;
  bool m_bChooseFilter;
};

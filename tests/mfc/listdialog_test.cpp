// A CDialog with a CListBox and a CEdit: the list's notifications reach the message map, a
// double-clicked item goes into the edit at its caret, and the dialog places a control with the
// window rectangle wrappers and MapDialogRect.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afxdlgs.h"
#include "dialogmodule_ids.h"
#include "scripted_frontend.h"

namespace {

class CListDialog : public CDialog {
 public:
  CListDialog() : CDialog(IDD_LIST) {}

  CListBox m_list;
  CEdit m_edit;
  std::vector<std::string> events;
  RECT okBefore{};  // Ok's rectangle in the client area as the template placed it
  RECT okAfter{};   // and where the dialog moved it

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST, m_list);
    DDX_Control(pDX, IDC_LIST_EDIT, m_edit);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    for (const char16_t* name : {u"Quantity", u"Length", u"Weight"})
      m_list.SetItemData(m_list.AddString(name), name[0]);
    // Ok goes to 10 by 5 units from the client area's bottom right corner.
    CWnd* ok = GetDlgItem(IDOK);
    ok->GetWindowRect(&okBefore);
    ScreenToClient(&okBefore);
    RECT client{};
    GetClientRect(&client);
    RECT margin{0, 0, 10, 5};
    MapDialogRect(&margin);
    const LONG width = okBefore.right - okBefore.left;
    const LONG height = okBefore.bottom - okBefore.top;
    ok->MoveWindow(client.right - margin.right - width, client.bottom - margin.bottom - height,
                   width, height);
    ok->GetWindowRect(&okAfter);
    ScreenToClient(&okAfter);
    return TRUE;
  }
  void OnSelChange() {
    CString text;
    m_list.GetText(m_list.GetCurSel(), text);
    events.push_back("selected " + std::to_string(m_list.GetCurSel()) + " of " +
                     std::to_string(m_list.GetCount()) + " data " +
                     std::to_string(m_list.GetItemData(m_list.GetCurSel())) + " text " +
                     std::to_string(text.GetLength()));
  }
  void OnDblClk() {
    CString text;
    m_list.GetText(m_list.GetCurSel(), text);
    m_edit.ReplaceSel(text, TRUE);
    int start = 0, end = 0;
    m_edit.GetSel(start, end);
    events.push_back("inserted, caret " + std::to_string(start) + "-" + std::to_string(end));
  }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CListDialog, CDialog)
ON_LBN_SELCHANGE(IDC_LIST, &CListDialog::OnSelChange)
ON_LBN_DBLCLK(IDC_LIST, &CListDialog::OnDblClk)
END_MESSAGE_MAP()

TEST(ListDialogTest, ListNotificationsReachTheMessageMapAndControlsMove) {
  std::u16string path = u"Z:";
  for (char c : std::string(WIN32_DIALOG_MODULE))
    path += c == '/' ? u'\\' : static_cast<char16_t>(c);
  HMODULE module = LoadLibraryW(path.c_str());
  ASSERT_NE(module, nullptr);
  const HINSTANCE previous = AfxGetResourceHandle();
  AfxSetResourceHandle(module);

  ScriptedFrontEnd frontEnd;
  std::u16string edited;
  frontEnd.Type(IDC_LIST_EDIT, u"2 * ").ClickItem(IDC_LIST, 1).ClickItem(IDC_LIST, 2, true);
  frontEnd.Then([&](HWND dialog) {
    char16_t text[64] = {};
    GetDlgItemTextW(dialog, IDC_LIST_EDIT, text, 64);
    edited = text;
    return zwin32::DialogInput{zwin32::DialogInput::Kind::kEnter, nullptr, {}};
  });
  CListDialog dialog;
  const INT_PTR result = dialog.DoModal();
  AfxSetResourceHandle(previous);
  FreeLibrary(module);

  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(edited, u"2 * Weight");
  const std::vector<std::string> events = {
      "selected 1 of 3 data 76 text 6", "selected 2 of 3 data 87 text 6", "inserted, caret 10-10"};
  EXPECT_EQ(dialog.events, events);
  // The system font's units (8 by 16 pixels a character): Ok at (143,80) 50 x 14 units is
  // (286,160)-(386,188); the client area is 400 by 200, the margin 20 by 10 pixels.
  EXPECT_EQ(dialog.okBefore.left, 286);
  EXPECT_EQ(dialog.okBefore.top, 160);
  EXPECT_EQ(dialog.okBefore.right, 386);
  EXPECT_EQ(dialog.okBefore.bottom, 188);
  EXPECT_EQ(dialog.okAfter.left, 280);
  EXPECT_EQ(dialog.okAfter.top, 162);
  EXPECT_EQ(dialog.okAfter.right, 380);
  EXPECT_EQ(dialog.okAfter.bottom, 190);
}

}  // namespace

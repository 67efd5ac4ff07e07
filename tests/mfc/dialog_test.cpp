// CDialog with a message map, data exchange and subclassed controls, shown from a real module's
// template and answered by a scripted front end.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "afxdlgs.h"
#include "dialogmodule_ids.h"
#include "scripted_frontend.h"

namespace {

std::u16string Text(HWND hwnd) {
  char16_t buffer[128] = {};
  GetWindowTextW(hwnd, buffer, 128);
  return buffer;
}

class COptionsDialog : public CDialog {
 public:
  COptionsDialog() : CDialog(IDD_OPTIONS) {}

  CButton m_picture;
  CButton m_filterBox;
  CEdit m_nameEdit;
  CString m_name = _T("Initial");
  int m_count = 3;
  int m_filter = 0;
  bool m_throwOnPicture = false;
  std::vector<std::string> events;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PICTURE, m_picture);
    DDX_Control(pDX, IDC_AUTO_CHECK, m_filterBox);
    DDX_Control(pDX, IDC_NAME, m_nameEdit);
    DDX_Text(pDX, IDC_NAME, m_name);
    DDX_Text(pDX, IDC_COUNT, m_count);
    DDX_Check(pDX, IDC_AUTO_CHECK, m_filter);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    events.push_back("init");
    return TRUE;
  }
  void OnOK() override {
    events.push_back("ok");
    CDialog::OnOK();
  }
  // A manual box: the owner hears the click with the state unchanged and decides.
  void OnPicture() {
    if (m_throwOnPicture)
      throw std::runtime_error("handler failure");
    events.push_back("picture heard " + std::to_string(m_picture.GetCheck()));
    m_picture.SetCheck(m_picture.GetCheck() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
  }
  // An automatic box has toggled already when its owner hears the click.
  void OnFilter() { events.push_back("filter heard " + std::to_string(m_filterBox.GetCheck())); }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COptionsDialog, CDialog)
ON_BN_CLICKED(IDC_PICTURE, &COptionsDialog::OnPicture)
ON_BN_CLICKED(IDC_AUTO_CHECK, &COptionsDialog::OnFilter)
END_MESSAGE_MAP()

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::u16string path = u"Z:";
    for (char c : std::string(WIN32_DIALOG_MODULE))
      path += c == '/' ? u'\\' : static_cast<char16_t>(c);
    module_ = LoadLibraryW(path.c_str());
    ASSERT_NE(module_, nullptr);
    previous_ = AfxGetResourceHandle();
    AfxSetResourceHandle(module_);
  }
  void TearDown() override {
    AfxSetResourceHandle(previous_);
    FreeLibrary(module_);
  }

  HMODULE module_ = nullptr;
  HINSTANCE previous_ = nullptr;
};

TEST_F(DialogTest, ClicksReachTheMessageMapAndOkSavesTheData) {
  ScriptedFrontEnd frontEnd;
  COptionsDialog dialog;
  frontEnd.Then([&](HWND hwnd) {
    // UpdateData(FALSE) at initialisation filled the controls from the members.
    EXPECT_EQ(Text(GetDlgItem(hwnd, IDC_NAME)), u"Initial");
    EXPECT_EQ(Text(GetDlgItem(hwnd, IDC_COUNT)), u"3");
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), &dialog);
    EXPECT_EQ(CWnd::FromHandle(GetDlgItem(hwnd, IDC_PICTURE)), &dialog.m_picture);
    CWnd* label = dialog.GetDlgItem(IDC_LABEL);  // nobody bound it: a temporary object
    EXPECT_EQ(CWnd::FromHandlePermanent(label->m_hWnd), nullptr);
    CString text;
    label->GetWindowText(text);
    EXPECT_EQ(text, CString(_T("Nom :")));
    return zwin32::DialogInput{
        zwin32::DialogInput::Kind::kClick, GetDlgItem(hwnd, IDC_PICTURE), {}};
  });
  frontEnd.Click(IDC_PICTURE).Click(IDC_PICTURE).Click(IDC_AUTO_CHECK).Click(IDC_HELP_BUTTON);
  frontEnd.Type(IDC_NAME, u"Zoé").Type(IDC_COUNT, u" 12 ").Click(IDOK);

  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(frontEnd.finished());
  const std::vector<std::string> events = {
      "init", "picture heard 0", "picture heard 1", "picture heard 0", "filter heard 1", "ok"};
  EXPECT_EQ(dialog.events, events);
  EXPECT_EQ(dialog.m_name, CString(_T("Zoé")));
  EXPECT_EQ(dialog.m_count, 12);
  EXPECT_EQ(dialog.m_filter, BST_CHECKED);
  // The windows are gone and the objects let go of them.
  EXPECT_EQ(dialog.m_hWnd, nullptr);
  EXPECT_EQ(dialog.m_picture.m_hWnd, nullptr);

  // The same object shows the dialog again; Escape ends it without saving.
  frontEnd.Then([&](HWND hwnd) {
    EXPECT_EQ(IsDlgButtonChecked(hwnd, IDC_AUTO_CHECK), static_cast<UINT>(BST_CHECKED));
    return zwin32::DialogInput{zwin32::DialogInput::Kind::kSetText, GetDlgItem(hwnd, IDC_NAME),
                               u"Autre"};
  });
  frontEnd.Click(IDC_AUTO_CHECK).Escape();
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.m_name, CString(_T("Zoé")));
  EXPECT_EQ(dialog.m_filter, BST_CHECKED);
}

TEST_F(DialogTest, ARefusedValueKeepsTheDialogOpen) {
  ScriptedFrontEnd frontEnd;
  COptionsDialog dialog;
  std::u16string boxText;
  frontEnd.Type(IDC_COUNT, u"douze").Enter();
  frontEnd.Then([&](HWND box) {
    boxText = Text(GetDlgItem(box, IDC_STATIC));
    return zwin32::DialogInput{zwin32::DialogInput::Kind::kEnter, nullptr, {}};
  });
  frontEnd.Type(IDC_COUNT, u"99999999999").Enter().Enter();  // out of range: refused again
  frontEnd.Type(IDC_COUNT, u"-4").Enter();
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(frontEnd.finished());
  EXPECT_EQ(boxText, u"Please enter an integer.");
  EXPECT_EQ(dialog.m_count, -4);
  const std::vector<std::string> events = {"init", "ok", "ok", "ok"};
  EXPECT_EQ(dialog.events, events);
}

TEST_F(DialogTest, FailuresReturnMinusOneOrPropagateWithoutLeavingWindows) {
  COptionsDialog dialog;
  EXPECT_EQ(dialog.DoModal(), -1);  // no front end
  EXPECT_TRUE(dialog.events.empty());
  ScriptedFrontEnd frontEnd;
  CDialog missing(999);
  EXPECT_EQ(missing.DoModal(), -1);
  AfxSetResourceHandle(previous_);  // the template is in the module only
  EXPECT_EQ(dialog.DoModal(), -1);
  AfxSetResourceHandle(module_);

  HWND shown = nullptr;
  frontEnd.Then([&](HWND hwnd) {
    shown = hwnd;
    return zwin32::DialogInput{
        zwin32::DialogInput::Kind::kClick, GetDlgItem(hwnd, IDC_PICTURE), {}};
  });
  dialog.m_throwOnPicture = true;
  EXPECT_THROW(dialog.DoModal(), std::runtime_error);
  EXPECT_FALSE(IsWindow(shown));
  EXPECT_EQ(dialog.m_hWnd, nullptr);
  EXPECT_EQ(dialog.m_picture.m_hWnd, nullptr);
}

TEST_F(DialogTest, ModelessDialogsAndButtonWrappers) {
  COptionsDialog dialog;
  ASSERT_TRUE(dialog.Create(IDD_OPTIONS));
  EXPECT_EQ(dialog.events, std::vector<std::string>{"init"});
  dialog.m_picture.SetCheck(BST_CHECKED);
  EXPECT_EQ(dialog.m_picture.GetCheck(), BST_CHECKED);
  dialog.m_picture.SetState(TRUE);
  EXPECT_EQ(dialog.m_picture.GetState(), static_cast<UINT>(BST_CHECKED | BST_PUSHED));
  EXPECT_EQ(dialog.m_picture.GetButtonStyle(), static_cast<UINT>(BS_CHECKBOX));
  dialog.m_picture.SetButtonStyle(BS_AUTOCHECKBOX);
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PICTURE, BN_CLICKED), 0);  // routed by the map
  EXPECT_EQ(dialog.events.back(), "picture heard 1");
  dialog.m_picture.SendMessage(BM_CLICK);  // toggles itself on, then the owner turns it off
  EXPECT_EQ(dialog.events.size(), 3u);
  EXPECT_EQ(dialog.events.back(), "picture heard 1");
  EXPECT_EQ(dialog.m_picture.GetCheck(), BST_UNCHECKED);
  EXPECT_TRUE(dialog.UpdateData(TRUE));
  EXPECT_TRUE(dialog.DestroyWindow());
  EXPECT_EQ(dialog.m_hWnd, nullptr);
  EXPECT_EQ(dialog.m_nameEdit.m_hWnd, nullptr);
}

}  // namespace

// CButtonST in a real dialog: set up as the maker's dialogs do, shown as a picture button whose
// state only its owner changes.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "BtnST.h"
#include "dialogmodule_ids.h"
#include "scripted_frontend.h"

namespace {

class CPictureDialog : public CDialog {
 public:
  CPictureDialog() : CDialog(IDD_OPTIONS) {}
  CButtonST m_picture;
  std::vector<DWORD> statuses;
  std::vector<std::string> heard;

 protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_PICTURE, m_picture); }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    statuses = {m_picture.SetBitmaps(IDB_PICTURE, RGB(255, 0, 0), 0, 0),
                m_picture.SetBitmaps(999, RGB(255, 0, 0), 0, 0),
                m_picture.SetBitmaps(IDB_PICTURE, RGB(255, 0, 0), 998, 0),
                m_picture.SetAlign(CButtonST::ST_ALIGN_OVERLAP),
                m_picture.SetAlign(4),
                m_picture.SetColor(0, GetSysColor(COLOR_BTNFACE)),
                m_picture.SetColor(6, GetSysColor(COLOR_BTNHIGHLIGHT)),
                m_picture.SetColor(7, 0)};
    m_picture.m_bIsFlat = 1;
    m_picture.SetCheck(1);
    return TRUE;
  }
  void OnPicture() {
    heard.push_back("heard " + std::to_string(m_picture.GetCheck()));
    m_picture.SetCheck(!m_picture.GetCheck());
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPictureDialog, CDialog)
ON_BN_CLICKED(IDC_PICTURE, &CPictureDialog::OnPicture)
END_MESSAGE_MAP()

TEST(ButtonST, ShowsTheStateItsOwnerSets) {
  std::u16string path = u"Z:";
  for (char c : std::string(WIN32_DIALOG_MODULE))
    path += c == '/' ? u'\\' : static_cast<char16_t>(c);
  HMODULE module = LoadLibraryW(path.c_str());
  ASSERT_NE(module, nullptr);
  HINSTANCE previous = AfxGetResourceHandle();
  AfxSetResourceHandle(module);

  ScriptedFrontEnd frontEnd;
  std::vector<LRESULT> states;
  // The two pixels of the picture's top row as the window holds it (0x00RRGGBB).
  std::vector<std::pair<DWORD, DWORD>> shown;
  auto look = [&](HWND dialog) {
    HWND picture = GetDlgItem(dialog, IDC_PICTURE);
    states.push_back(SendMessageW(picture, BM_GETSTATE, 0, 0));
    auto image = reinterpret_cast<HBITMAP>(SendMessageW(picture, BM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    DWORD pixels[4] = {};
    EXPECT_EQ(GetDIBits(GetDC(nullptr), image, 0, 2, pixels, &info, DIB_RGB_COLORS), 2);
    shown.emplace_back(pixels[0], pixels[1]);
    const LONG style = GetWindowLongW(picture, GWL_STYLE);
    EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_TRUE(style & BS_BITMAP);
    return zwin32::DialogInput{zwin32::DialogInput::Kind::kClick, picture, {}};
  };
  frontEnd.Then(look).Then(look).Then(look).Enter();
  CPictureDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  AfxSetResourceHandle(previous);
  FreeLibrary(module);

  const std::vector<DWORD> statuses = {BTNST_OK, BTNST_INVALIDRESOURCE, BTNST_INVALIDRESOURCE,
                                       BTNST_OK, BTNST_INVALIDALIGN,    BTNST_OK,
                                       BTNST_OK, BTNST_INVALIDINDEX};
  EXPECT_EQ(dialog.statuses, statuses);
  // Pressed after set-up; each click reaches the owner with the state unchanged, and the owner
  // flips it.
  EXPECT_EQ(states, (std::vector<LRESULT>{BST_PUSHED, 0, BST_PUSHED}));
  EXPECT_EQ(dialog.heard, (std::vector<std::string>{"heard 1", "heard 0", "heard 1"}));
  // The picture's red is its transparent colour: the button's background shows there (the
  // pressed one, set to the highlight, while pressed), and its green stays.
  const DWORD face = GetSysColor(COLOR_BTNFACE);
  const DWORD faceAsPixel = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
  EXPECT_EQ(shown, (std::vector<std::pair<DWORD, DWORD>>{
                       {0xFFFFFF, 0x00FF00}, {faceAsPixel, 0x00FF00}, {0xFFFFFF, 0x00FF00}}));
  EXPECT_EQ(dialog.m_picture.GetCheck(), 0);
  EXPECT_EQ(dialog.m_picture.GetBitmapIn(), IDB_PICTURE);
  EXPECT_EQ(dialog.m_picture.GetAlign(), CButtonST::ST_ALIGN_OVERLAP);
  COLORREF colour = 0;
  EXPECT_EQ(dialog.m_picture.GetColor(6, &colour), static_cast<DWORD>(BTNST_OK));
  EXPECT_EQ(colour, RGB(255, 255, 255));
  EXPECT_EQ(dialog.m_picture.m_bIsFlat, 1);
}

}  // namespace

#include "ZnDlgExpression.h"

#include "../res/ZnExpressionRes.h"
#include "ZnExpressionModule.h"

namespace {

// Where the variables' lines go, in pixels: below the template's controls, one under the other.
constexpr int kListLeft = 10;
constexpr int kListTop = 90;
constexpr int kLineWidth = 460;
constexpr int kLineHeight = 16;

CString UnitWords(int unitKind) {
  switch (unitKind) {
    case -1:
      return _T("none");
    case 1:
      return _T("length");
    case 4:
      return _T("weight");
    default: {
      CString code;
      code.Format(_T("%d"), unitKind);
      return code;
    }
  }
}

// Makes this library's module the resource module for as long as it lives. An MFC extension
// DLL's resources are found through the resource chain only after the current resource module,
// so while a caller has made its own module current (as the maker's modules do around every
// command), a template id of the caller would win over ours. Extension DLLs that show their own
// dialogs therefore make their module current around the modal run and restore the caller's.
class OwnResources {
 public:
  OwnResources() : m_caller(AfxGetResourceHandle()) {
    AfxSetResourceHandle(zmaker::ExpressionModule());
  }
  ~OwnResources() { AfxSetResourceHandle(m_caller); }
  OwnResources(const OwnResources&) = delete;
  OwnResources& operator=(const OwnResources&) = delete;

 private:
  HINSTANCE m_caller;
};

}  // namespace

CZnDlgExpression::CZnDlgExpression(CWnd* pParent) : CDialog(IDD_ZN_EXPRESSION, pParent) {}

CZnDlgExpression::~CZnDlgExpression() = default;

void CZnDlgExpression::AddItem(const CString& name, int unitKind, const CString& description,
                               bool leading, int index) {
  m_items.push_back(Item{name, unitKind, description, leading, index});
}

CString CZnDlgExpression::GetExpression() const {
  return m_expression;
}

INT_PTR CZnDlgExpression::DoModal() {
  OwnResources resources;
  return CDialog::DoModal();
}

void CZnDlgExpression::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_ZN_EXPRESSION, m_expression);
}

// Lists the variables as static texts, one line each in the order added: position (with a star
// for the leading group), name, description and unit kind.
BOOL CZnDlgExpression::OnInitDialog() {
  CDialog::OnInitDialog();
  for (size_t i = 0; i < m_items.size(); ++i) {
    const Item& item = m_items[i];
    CString line;
    line.Format(_T("%d%s %s"), item.index, item.leading ? _T("*") : _T(""), item.name.GetString());
    if (!item.description.IsEmpty())
      line += _T(": ") + item.description;
    line += _T(" (") + UnitWords(item.unitKind) + _T(")");
    const auto id = static_cast<UINT_PTR>(IDC_ZN_FIRST_VARIABLE + i);
    const int top = kListTop + static_cast<int>(i) * kLineHeight;
    if (CreateWindowExW(0, _T("Static"), line, WS_CHILD | WS_VISIBLE | SS_LEFT, kListLeft, top,
                        kLineWidth, kLineHeight, m_hWnd, reinterpret_cast<HMENU>(id),
                        zmaker::ExpressionModule(), nullptr) == nullptr) {
      // A list missing variables would offer the wrong vocabulary: the dialog cannot be shown.
      EndDialog(-1);
      return FALSE;
    }
  }
  return TRUE;
}

#include "ZnDlgExpression.h"

#include "../res/ZnExpressionRes.h"
#include "ZANTRegistryTools.h"
#include "ZnExpressionModule.h"

namespace {

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

// Makes this library's module the resource module, and the product's language the thread's,
// for as long as it lives. An MFC extension DLL's resources are found through the resource
// chain only after the current resource module, so while a caller has made its own module
// current (as the maker's modules do around every command), a template id of the caller would
// win over ours; and Windows picks a template in the thread's language, which need not be the
// one the user chose for the product.
class OwnResources {
 public:
  OwnResources() : m_caller(AfxGetResourceHandle()), m_callerLanguage(GetThreadUILanguage()) {
    AfxSetResourceHandle(zmaker::ExpressionModule());
    SetThreadUILanguage(LOWORD(ZANTRegistryTools::GetRegistryLanguageUI()));
  }
  ~OwnResources() {
    SetThreadUILanguage(m_callerLanguage);
    AfxSetResourceHandle(m_caller);
  }
  OwnResources(const OwnResources&) = delete;
  OwnResources& operator=(const OwnResources&) = delete;

 private:
  HINSTANCE m_caller;
  LANGID m_callerLanguage;
};

}  // namespace

BEGIN_MESSAGE_MAP(CZnDlgExpression, CDialog)
ON_LBN_DBLCLK(IDC_ZN_VARIABLES, &CZnDlgExpression::OnDblclkVariables)
END_MESSAGE_MAP()

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
  DDX_Control(pDX, IDC_ZN_EXPRESSION, m_expressionEdit);
  DDX_Control(pDX, IDC_ZN_VARIABLES, m_variables);
  DDX_Text(pDX, IDC_ZN_EXPRESSION, m_expression);
}

// Lists the variables, one line each in the order added: position (with a star for the leading
// group), name, description and unit kind. Each line keeps the position of its variable.
BOOL CZnDlgExpression::OnInitDialog() {
  CDialog::OnInitDialog();
  for (size_t i = 0; i < m_items.size(); ++i) {
    const Item& item = m_items[i];
    CString line;
    line.Format(_T("%d%s %s"), item.index, item.leading ? _T("*") : _T(""), item.name.GetString());
    if (!item.description.IsEmpty())
      line += _T(": ") + item.description;
    line += _T(" (") + UnitWords(item.unitKind) + _T(")");
    const int added = m_variables.AddString(line);
    if (added < 0) {
      // A list missing variables would offer the wrong vocabulary: the dialog cannot be shown.
      EndDialog(-1);
      return FALSE;
    }
    m_variables.SetItemData(added, i);
  }
  return TRUE;
}

// The double-clicked variable's name goes where the caret is, replacing any selection, so
// that an expression is built by typing operators and picking names.
void CZnDlgExpression::OnDblclkVariables() {
  const int selected = m_variables.GetCurSel();
  if (selected < 0)
    return;
  const DWORD_PTR item = m_variables.GetItemData(selected);
  if (item < m_items.size())
    m_expressionEdit.ReplaceSel(m_items[item].name, TRUE);
}

// CZnDlgExpression: the maker's expression dialog. The caller hands it the variables that an
// expression may use, shows it modally, and on IDOK takes the expression the user typed. The
// variables are listed; a double click on one puts its name into the expression at the caret.
// The dialog neither checks nor evaluates the expression. Its texts are in the product's
// language (the registry's LanguageUI), whatever the caller's thread uses.
#pragma once

#include <afxwin.h>

#include <vector>

#include "ZnExpressionDef.h"

class ZNEXPRESSION_API CZnDlgExpression : public CDialog {
 public:
  explicit CZnDlgExpression(CWnd* pParent = nullptr);
  ~CZnDlgExpression() override;

  // Adds one variable to the list, after those added before. `unitKind` is the unit its values
  // carry (-1 none, 1 length, 4 weight); `leading` puts it in the group listed first by the
  // caller; `index` is the caller's position of the variable, shown with it.
  void AddItem(const CString& name, int unitKind, const CString& description, bool leading,
               int index);

  // The expression of the last run that ended with IDOK; empty before one.
  CString GetExpression() const;

  // Runs the dialog on the template of this library in the product's language, whatever
  // resource module and language the caller made current, and gives the caller's back before
  // returning.
  INT_PTR DoModal() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnDblclkVariables();

 private:
  struct Item {
    CString name;
    int unitKind;
    CString description;
    bool leading;
    int index;
  };

  std::vector<Item> m_items;
  CString m_expression;
  CEdit m_expressionEdit;
  CListBox m_variables;

  DECLARE_MESSAGE_MAP()
};

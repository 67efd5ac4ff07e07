// MFC's application and window layer.
#pragma once

#include "afx.h"

#define AFXAPI

// The module resources are loaded from (CString::LoadString, dialogs). It starts as the
// program's own module; an application switches it to its own module around a use of its
// resources and back afterwards. Shared by all threads, as the host's module state is.
AFX_EXT_API HINSTANCE AFXAPI AfxGetResourceHandle();
AFX_EXT_API void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);

// The program's module handle: GetModuleHandleW(NULL).
AFX_EXT_API HINSTANCE AFXAPI AfxGetInstanceHandle();

// ---- Windows, message maps, dialogs and controls -------------------------------------------

#ifndef PASCAL
#define PASCAL
#endif

class CCmdTarget;
class CWnd;
class CDataExchange;

// MFC's exceptions, as far as dialog data exchange throws them: CDataExchange::Fail throws a
// CUserException*, which UpdateData catches and deletes.
class AFX_EXT_CLASS CException {
 public:
  CException() = default;
  virtual ~CException();
  void Delete();
};
class AFX_EXT_CLASS CUserException : public CException {
 public:
  ~CUserException() override;
};
AFX_EXT_API void AFXAPI AfxThrowUserException();

// Message maps. A class declares DECLARE_MESSAGE_MAP() and defines its map between
// BEGIN_MESSAGE_MAP(theClass, baseClass) and END_MESSAGE_MAP(); a command finds its handler in
// the most derived map that has one, then in the base classes' maps. Handlers are named with
// their class, as MFC 8 requires: ON_BN_CLICKED(IDC_X, &CMyDialog::OnClickX).
typedef void (CCmdTarget::*AFX_PMSG)();

enum AfxSig : UINT_PTR {
  AfxSig_end = 0,
  AfxSigCmd_v = 1,  // void handler(), for commands and control notifications
};

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;
  UINT nCode;
  UINT nID;
  UINT nLastID;
  UINT_PTR nSig;
  AFX_PMSG pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP*(PASCAL* pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

#define CN_COMMAND 0

#define DECLARE_MESSAGE_MAP()                          \
 protected:                                            \
  static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)             \
  const AFX_MSGMAP* theClass::GetMessageMap() const {      \
    return GetThisMessageMap();                            \
  }                                                        \
  const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() { \
    using ThisClass [[maybe_unused]] = theClass;           \
    using TheBaseClass = baseClass;                        \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                       \
  { 0, 0, 0, 0, AfxSig_end, nullptr }                                                           \
  }                                                                                             \
  ;                                                                                             \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                                           \
  }

#define ON_COMMAND(id, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_v, static_cast<AFX_PMSG>(memberFxn)},
#define ON_CONTROL(wNotifyCode, id, memberFxn)  \
  {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), \
   (WORD)(id), AfxSigCmd_v,         static_cast<AFX_PMSG>(memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND,     CN_COMMAND,  (WORD)(id),     \
   (WORD)(idLast), AfxSigCmd_v, static_cast<AFX_PMSG>(memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)

// The root of command routing: looks commands up in the message maps.
class AFX_EXT_CLASS CCmdTarget {
 public:
  CCmdTarget() = default;
  virtual ~CCmdTarget();
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;

  // Calls the handler of command `nID` with notification `nCode` (CN_COMMAND for menus and
  // accelerators, BN_CLICKED, ...) and returns TRUE, or FALSE when no map has one.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);

 protected:
  static const AFX_MSGMAP* PASCAL GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};

// A window object. It is bound to a window either permanently (Attach, SubclassWindow,
// SubclassDlgItem; the binding ends when the window is destroyed or on Detach) or as a
// temporary object that FromHandle makes for a window nobody bound.
class AFX_EXT_CLASS CWnd : public CCmdTarget {
 public:
  CWnd();
  ~CWnd() override;  // destroys a window still bound to it

  HWND m_hWnd;
  operator HWND() const { return m_hWnd; }
  HWND GetSafeHwnd() const { return m_hWnd; }

  // The object bound to hWnd, or a temporary one (valid until that window is destroyed).
  static CWnd* PASCAL FromHandle(HWND hWnd);
  // The object permanently bound to hWnd, or null.
  static CWnd* PASCAL FromHandlePermanent(HWND hWnd);

  BOOL Attach(HWND hWndNew);  // FALSE when hWndNew is bound to another object already
  HWND Detach();
  // Binds the window and routes its messages through this object's WindowProc; what this
  // object leaves unhandled goes on to the window's previous procedure.
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  HWND UnsubclassWindow();

  void SetWindowText(LPCTSTR lpszString);
  int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const;
  CWnd* GetDlgItem(int nID) const;
  int GetDlgCtrlID() const;
  CWnd* GetParent() const;
  void SetDlgItemText(int nID, LPCTSTR lpszString);
  int GetDlgItemText(int nID, CString& rString) const;
  void CheckDlgButton(int nIDButton, UINT nCheck);
  UINT IsDlgButtonChecked(int nIDButton) const;
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL EnableWindow(BOOL bEnable = TRUE);
  BOOL IsWindowEnabled() const;
  BOOL ShowWindow(int nCmdShow);
  BOOL IsWindowVisible() const;
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  // Rectangles: the window's on the screen, the client area's from (0,0).
  void GetWindowRect(LPRECT lpRect) const;
  void GetClientRect(LPRECT lpRect) const;
  void ClientToScreen(LPPOINT lpPoint) const;
  void ClientToScreen(LPRECT lpRect) const;
  void ScreenToClient(LPPOINT lpPoint) const;
  void ScreenToClient(LPRECT lpRect) const;
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
  void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  virtual BOOL DestroyWindow();
  int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

  // Dialog data: runs DoDataExchange, saving the controls into the members (TRUE) or loading
  // the members into the controls (FALSE). FALSE when a value failed to validate.
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  virtual void DoDataExchange(CDataExchange* pDX);
  virtual void PreSubclassWindow();
  virtual void PostNcDestroy();
  // WM_COMMAND: routes (LOWORD id, HIWORD code) through OnCmdMsg; TRUE when handled.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

  WNDPROC m_pfnSuper;  // the procedure SubclassWindow replaced

  friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
};

// The window procedure of every subclassed window: hands the message to its CWnd.
AFX_EXT_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// A modal or modeless dialog on a template of the current resource module.
class AFX_EXT_CLASS CDialog : public CWnd {
 public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Loads the template from AfxFindResourceHandle, shows the dialog and runs it until it ends;
  // returns the EndDialog value, or -1 when the template is missing or the dialog cannot be
  // shown. The window is gone when it returns; the object can show it again.
  virtual INT_PTR DoModal();
  // Modeless: creates the dialog, which stays until DestroyWindow.
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  void EndDialog(int nResult);
  // Dialog units to pixels with this dialog's font.
  void MapDialogRect(LPRECT lpRect) const;

  // WM_INITDIALOG: loads the members into the controls (UpdateData(FALSE)). TRUE lets the
  // dialog manager give the focus to the first control.
  virtual BOOL OnInitDialog();

 protected:
  virtual void OnOK();      // UpdateData(TRUE), then EndDialog(IDOK) if it succeeded
  virtual void OnCancel();  // EndDialog(IDCANCEL), without data exchange

  LPCTSTR m_lpszTemplateName;
  UINT m_nIDHelp;
  CWnd* m_pParentWnd;

  friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()
};

AFX_EXT_API INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class AFX_EXT_CLASS CButton : public CWnd {
 public:
  CButton();
  ~CButton() override;
  int GetCheck() const;
  void SetCheck(int nCheck);
  UINT GetState() const;
  void SetState(BOOL bHighlight);
  UINT GetButtonStyle() const;
  void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
};

class AFX_EXT_CLASS CStatic : public CWnd {
 public:
  CStatic();
  ~CStatic() override;
};

class AFX_EXT_CLASS CEdit : public CWnd {
 public:
  CEdit();
  ~CEdit() override;
  // The selection, from nStartChar up to nEndChar (the caret when equal; -1 for the end).
  void GetSel(int& nStartChar, int& nEndChar) const;
  void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
  // Puts the text in place of the selection, leaving the caret after it.
  void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
};

// A single-selection list box. Item positions count from 0; LB_ERR says there is no such item.
class AFX_EXT_CLASS CListBox : public CWnd {
 public:
  CListBox();
  ~CListBox() override;
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int nSelect);  // -1 clears the selection
  int GetText(int nIndex, LPTSTR lpszBuffer) const;
  void GetText(int nIndex, CString& rString) const;
  int GetTextLen(int nIndex) const;
  DWORD_PTR GetItemData(int nIndex) const;
  int SetItemData(int nIndex, DWORD_PTR dwItemData);
  int AddString(LPCTSTR lpszItem);
  int InsertString(int nIndex, LPCTSTR lpszItem);
  int DeleteString(UINT nIndex);
  void ResetContent();
};

// Dialog data exchange: one exchange between a dialog's controls and its members.
class AFX_EXT_CLASS CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

  BOOL m_bSaveAndValidate;  // TRUE: controls to members
  CWnd* m_pDlgWnd;
  int m_idLastControl;

  // The control `nIDC` of the dialog; Fail()s, with a message on stderr, when there is none.
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  // Ends the exchange as failed: throws the CUserException* that UpdateData catches.
  [[noreturn]] void Fail();
};

// Binds control nIDC to `rControl` (subclasses it) the first time.
AFX_EXT_API void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// A check box's state (BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE).
AFX_EXT_API void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
AFX_EXT_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// An integer: a text that is not one is refused with a message box and fails the exchange.
AFX_EXT_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);

// The module to load a resource of that name and type from: the current resource module.
AFX_EXT_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

// A message box captioned with the program's name, shown through the dialog front end.
AFX_EXT_API int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The same with string resource nIDPrompt of the current resource module.
AFX_EXT_API int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

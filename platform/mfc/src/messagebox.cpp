#include "afxwin.h"

namespace {

// The caption MFC gives a message box: the application's name, here the program file's name
// without its folder and extension.
CString ProgramName() {
  TCHAR path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  CString name(path);
  const int slash = name.ReverseFind(u'\\');
  name = name.Mid(slash + 1);
  const int dot = name.ReverseFind(u'.');
  return dot > 0 ? name.Left(dot) : name;
}

}  // namespace

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT) {
  return ::MessageBoxW(nullptr, lpszText, ProgramName(), nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString text;
  text.LoadString(nIDPrompt);
  return AfxMessageBox(text, nType, nIDHelp);
}

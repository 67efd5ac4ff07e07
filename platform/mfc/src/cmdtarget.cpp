#include "afxwin.h"

CException::~CException() = default;

void CException::Delete() {
  delete this;
}

CUserException::~CUserException() = default;

void AFXAPI AfxThrowUserException() {
  throw new CUserException;
}

CCmdTarget::~CCmdTarget() = default;

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
  return GetThisMessageMap();
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void*, void*) {
  for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
       map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nSig != AfxSig_end; ++entry) {
      if (entry->nMessage == WM_COMMAND && entry->nCode == static_cast<UINT>(nCode) &&
          nID >= entry->nID && nID <= entry->nLastID) {
        (this->*entry->pfn)();
        return TRUE;
      }
    }
  }
  return FALSE;
}

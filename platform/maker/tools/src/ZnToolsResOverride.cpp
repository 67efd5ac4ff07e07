#include "ZnToolsResOverride.h"

#include <afxwin.h>

CZnToolsResOverride::CZnToolsResOverride(HINSTANCE module) : m_previous(AfxGetResourceHandle()) {
  AfxSetResourceHandle(module);
}

CZnToolsResOverride::~CZnToolsResOverride() {
  AfxSetResourceHandle(m_previous);
}

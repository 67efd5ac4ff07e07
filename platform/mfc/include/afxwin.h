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

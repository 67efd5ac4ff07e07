// MFC's dialog header. CDialog and the controls live in afxwin.h, as in MFC; the common
// dialogs this header adds there are not provided.
#pragma once

#include "afxwin.h"

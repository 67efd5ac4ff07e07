// MFC in its wide-character build: the string class and the resource handle.
#pragma once

#include <afxwin.h>

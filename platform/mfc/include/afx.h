// MFC's core header: strings and the generic-text C runtime.
#pragma once

#include "windows.h"
#include "tchar.h"
#include "afxstr.h"

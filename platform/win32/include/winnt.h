// Constants winnt.h carries: languages and DLL entry-point reasons.
#pragma once

#include "windef.h"
// Language ids live with the other constants resource scripts need too.
#include "winres.h"

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

#define SUBLANG_SYS_DEFAULT 0x02
#define LANG_SYSTEM_DEFAULT MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT)
#define LANG_USER_DEFAULT MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT)

// The Windows API subset this platform provides. Include this, as Windows code does.
#pragma once

#include "windef.h"
#include "winnt.h"
#include "winerror.h"
#include "errhandlingapi.h"
#include "stringapiset.h"
#include "winbase.h"
#include "winuser.h"
#include "wingdi.h"
#include "winreg.h"

// The Windows API, as the module sees it.
#pragma once

#include <windows.h>

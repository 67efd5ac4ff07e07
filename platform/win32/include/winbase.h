// Base services: module loading, resources, last error.
#pragma once

#include "windef.h"
#include "winnt.h"
#include "errhandlingapi.h"
#include "libloaderapi.h"
#include "processthreadsapi.h"
#include "winnls.h"

#define ERROR_BAD_EXE_FORMAT 193L

// Fault injection for tests that must show a caller survives a failing platform call. Not part of
// the Windows API.
#pragma once

#include "windef.h"

namespace zwin32 {

// Throws std::runtime_error("injected fault: <name>") when the comma-separated list in the
// environment variable ZANT_INJECT_FAULT holds `name`; does nothing otherwise. Platform calls a
// test may want to fail call this on entry, before they change anything.
WIN32_EXPORT void FaultPoint(const char* name);

}  // namespace zwin32

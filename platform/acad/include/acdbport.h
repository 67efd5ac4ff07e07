// Visibility of the runtime library's (acdb17) exported API: what __declspec(dllimport) says on
// Windows. Everything else in the library stays hidden.
#pragma once

#define ACDB_PORT __attribute__((visibility("default")))

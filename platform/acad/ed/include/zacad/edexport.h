// Default visibility for the acad library's own platform-internal classes and functions, which
// the host program calls (the library's public host API uses the SDK's names and macros).
#pragma once

#define ZACAD_ED_API __attribute__((visibility("default")))

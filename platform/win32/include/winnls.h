// The user interface language resources are looked up in.
#pragma once

#include "windef.h"

// The language of this platform's user: French (0x040C).
WINBASEAPI LANGID WINAPI GetUserDefaultUILanguage(void);
// The calling thread's UI language: set by SetThreadUILanguage, else the user's.
WINBASEAPI LANGID WINAPI GetThreadUILanguage(void);
// Sets the calling thread's UI language (0: back to the user's); returns the language now set.
WINBASEAPI LANGID WINAPI SetThreadUILanguage(LANGID LangId);

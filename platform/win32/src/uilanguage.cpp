// The UI language resources are chosen in: per thread, as on Windows, defaulting to the user's.
#include "winnls.h"

#include "winnt.h"

namespace {
constexpr LANGID kUserLanguage = MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);
thread_local LANGID tThreadLanguage = 0;
}  // namespace

LANGID WINAPI GetUserDefaultUILanguage(void) {
  return kUserLanguage;
}

LANGID WINAPI GetThreadUILanguage(void) {
  return tThreadLanguage != 0 ? tThreadLanguage : kUserLanguage;
}

LANGID WINAPI SetThreadUILanguage(LANGID LangId) {
  tThreadLanguage = LangId;
  return GetThreadUILanguage();
}

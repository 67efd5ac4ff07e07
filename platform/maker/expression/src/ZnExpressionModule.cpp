#include "ZnExpressionModule.h"

namespace {

HINSTANCE g_module = nullptr;

}  // namespace

// As an MFC extension DLL does, the library learns its own instance when the loader maps it.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH)
    g_module = instance;
  return TRUE;
}

namespace zmaker {

HINSTANCE ExpressionModule() {
  return g_module;
}

}  // namespace zmaker

// A module as the platform loads them: a DllMain, an exported function and embedded resources.
// DllMain appends what it is called with to the file WIN32_TEST_DLLMAIN_LOG names, so that a
// test sees attach and detach from outside; with WIN32_TEST_DLLMAIN_FAIL set it refuses to load.
#include <cstdio>
#include <cstdlib>

#include "windows.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID) {
  if (const char* log = std::getenv("WIN32_TEST_DLLMAIN_LOG")) {
    if (FILE* f = std::fopen(log, "a")) {
      std::fprintf(f, "%s %p\n", reason == DLL_PROCESS_ATTACH ? "attach" : "detach",
                   static_cast<void*>(hInstance));
      std::fclose(f);
    }
  }
  if (reason == DLL_PROCESS_ATTACH && std::getenv("WIN32_TEST_DLLMAIN_FAIL") != nullptr) {
    return FALSE;
  }
  return TRUE;
}

extern "C" __attribute__((visibility("default"))) int TestModuleAnswer() {
  return 42;
}

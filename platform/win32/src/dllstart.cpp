// Start-up object linked into every module (the OBJECT library win32_dllstart): reports the
// module to the loader when it is mapped and unmapped, with its DllMain and the resources
// win32_add_resources embedded. Both are weak, so a module may have neither.
#include "windows.h"
#include "zwin32/loader.h"

extern "C" {
// Hidden, so that a module without DllMain never binds to another module's.
__attribute__((weak, visibility("hidden"))) BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID);
__attribute__((weak, visibility("hidden"))) extern const unsigned char zwin32_resources_begin[];
__attribute__((weak, visibility("hidden"))) extern const unsigned char zwin32_resources_end[];
}

namespace {

// Any address inside this module identifies it to the loader.
const char kModuleAnchor = 0;

__attribute__((constructor)) void AttachThisModule() {
  size_t size = zwin32_resources_begin != nullptr
                    ? static_cast<size_t>(zwin32_resources_end - zwin32_resources_begin)
                    : 0;
  zwin32::AttachModule(&kModuleAnchor, zwin32_resources_begin, size, DllMain);
}

__attribute__((destructor)) void DetachThisModule() {
  zwin32::DetachModule(&kModuleAnchor);
}

}  // namespace

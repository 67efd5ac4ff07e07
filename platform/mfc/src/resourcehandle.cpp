#include "afxwin.h"

#include <atomic>

namespace {

// Null until set: then the program's module stands in, found when first asked for (the loader's
// table is ready by then, whatever the order of static initialisation).
std::atomic<HINSTANCE> g_resourceHandle{nullptr};

}  // namespace

HINSTANCE AFXAPI AfxGetInstanceHandle() {
  return GetModuleHandleW(nullptr);
}

HINSTANCE AFXAPI AfxGetResourceHandle() {
  HINSTANCE handle = g_resourceHandle.load();
  return handle != nullptr ? handle : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) {
  g_resourceHandle.store(hInstResource);
}

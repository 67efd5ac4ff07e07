// What the loader keeps about each module, and the hooks the start-up object (dllstart.cpp)
// linked into every module calls. Not part of the Windows API.
#pragma once

#include <string>

#include "windef.h"

namespace zwin32 {

typedef BOOL(WINAPI* DllMainProc)(HINSTANCE, DWORD, LPVOID);

// Called when a module is mapped, from its own start-up code: registers the module's embedded .res
// image (may be empty) under its HINSTANCE and runs dllMain (may be null) with DLL_PROCESS_ATTACH.
// `addressInModule` is any address inside the module. A FALSE result or an exception from dllMain
// is recorded, so that LoadLibrary fails and unmaps the module.
WIN32_EXPORT void AttachModule(const void* addressInModule, const void* resources,
                               size_t resourcesSize, DllMainProc dllMain);

// Called when a module is unmapped: runs the DllMain given at attach with DLL_PROCESS_DETACH
// (once) and forgets the module's resources.
WIN32_EXPORT void DetachModule(const void* addressInModule);

// The dynamic loader's explanation of the last LoadLibrary failure of this thread (missing
// symbol, wrong format, ...), for a host to show; empty when it had none.
WIN32_EXPORT std::string LoaderDiagnostic();

}  // namespace zwin32

// The modules mapped in the process, as the dynamic loader reports them, and what this platform
// keeps per module (its resources, its DllMain result).
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "windef.h"
#include "zwin32/resources.h"

namespace zwin32 {

struct MappedModule {
  uintptr_t base = 0;  // the HMODULE: where the file's first byte is mapped
  std::string path;    // host path of the file
};

// Every mapped module with a file, the program first.
std::vector<MappedModule> MappedModules();
// The module whose segments hold `address`.
std::optional<MappedModule> ModuleContaining(const void* address);
// The module mapped at `module` (NULL: the program).
std::optional<MappedModule> ModuleAt(HMODULE module);

struct ModuleRecord {
  std::vector<ResourceEntry> resources;  // point into the module's own image
  BOOL(WINAPI* dllMain)(HINSTANCE, DWORD, LPVOID) = nullptr;
  bool attachFailed = false;
  bool detached = false;
};

// Records by module base. Lock RecordsMutex() while using them; never call out of the platform
// (DllMain, dlopen) with it held.
std::map<uintptr_t, ModuleRecord>& Records();
std::mutex& RecordsMutex();

// Runs the module's DllMain with DLL_PROCESS_DETACH, once, and forgets its record.
void DetachRecord(uintptr_t base, const std::string& path);

}  // namespace zwin32

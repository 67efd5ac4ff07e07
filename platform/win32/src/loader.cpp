// LoadLibrary and friends over the dynamic loader. Each module runs its DllMain from its own
// start-up object (dllstart.cpp), which reports back through AttachModule; LoadLibrary then turns
// a failed DllMain into a failed load, as Windows does.
#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>

#include "moduletable.h"
#include "windows.h"
#include "psapi.h"
#include "zwin32/faultpoint.h"
#include "zwin32/hostpath.h"
#include "zwin32/loader.h"
#include "zwin32/utf.h"

namespace zwin32 {
namespace {

thread_local std::string tDiagnostic;

bool IsFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string Folder(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}

std::string FileName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Windows assumes ".dll" for a module name without extension.
std::string WithDefaultExtension(std::string name) {
  if (FileName(name).find('.') == std::string::npos)
    name += ".dll";
  return name;
}

// Where the file of a module named without folder lies: the program's folder first, then the
// current folder, as Windows' safe search order has it.
std::optional<std::string> Locate(const std::string& hostPath) {
  if (hostPath.find('/') != std::string::npos) {
    // Windows keeps a module's full, normalised path, whatever relative form it was loaded by.
    if (IsFile(hostPath))
      return std::filesystem::absolute(hostPath).lexically_normal().string();
    return std::nullopt;
  }
  std::vector<std::string> folders;
  if (auto program = ModuleAt(nullptr))
    folders.push_back(Folder(program->path));
  folders.push_back(".");
  for (const std::string& folder : folders) {
    std::string candidate = folder + "/" + hostPath;
    if (IsFile(candidate))
      return std::filesystem::absolute(candidate).lexically_normal().string();
  }
  return std::nullopt;
}

// The base of the module a dlopen handle stands for.
std::optional<uintptr_t> BaseOfHandle(void* handle) {
  link_map* map = nullptr;
  if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr)
    return std::nullopt;
  auto module = ModuleContaining(map->l_ld);
  if (!module)
    return std::nullopt;
  return module->base;
}

HMODULE Load(std::optional<std::string> hostPath) {
  tDiagnostic.clear();
  if (!hostPath || hostPath->empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  std::optional<std::string> file = Locate(WithDefaultExtension(*hostPath));
  if (!file) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  void* handle = dlopen(file->c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    tDiagnostic = why != nullptr ? why : "the dynamic loader refused the file";
    SetLastError(ERROR_BAD_EXE_FORMAT);
    return nullptr;
  }
  std::optional<uintptr_t> base = BaseOfHandle(handle);
  bool failed = false;
  {
    std::lock_guard lock(RecordsMutex());
    auto it = base ? Records().find(*base) : Records().end();
    failed = it != Records().end() && it->second.attachFailed;
  }
  if (!base || failed) {
    dlclose(handle);
    // A module the loader could not unmap (it holds unique symbols) still gets its detach.
    if (base)
      DetachRecord(*base, *file);
    tDiagnostic = base ? "DllMain failed" : "the module's mapping was not found";
    SetLastError(ERROR_DLL_INIT_FAILED);
    return nullptr;
  }
  return reinterpret_cast<HMODULE>(*base);
}

template <typename Char>
DWORD CopyFileName(std::basic_string_view<Char> name, Char* buffer, DWORD size) {
  if (size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (name.size() < size) {
    std::copy(name.begin(), name.end(), buffer);
    buffer[name.size()] = 0;
    return static_cast<DWORD>(name.size());
  }
  std::copy(name.begin(), name.begin() + (size - 1), buffer);
  buffer[size - 1] = 0;
  SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return size;
}

std::optional<std::u16string> ModuleWindowsPath(HMODULE module) {
  std::optional<MappedModule> found = ModuleAt(module);
  if (!found) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return std::nullopt;
  }
  return WindowsPathFromHost(found->path);
}

HMODULE HandleByName(const std::optional<std::string>& hostName) {
  if (!hostName) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  std::string wanted = WithDefaultExtension(*hostName);
  bool byPath = wanted.find('/') != std::string::npos;
  if (byPath)
    wanted = std::filesystem::absolute(wanted).lexically_normal().string();
  for (const MappedModule& module : MappedModules()) {
    if (EqualsNoCase(byPath ? module.path : FileName(module.path), wanted)) {
      return reinterpret_cast<HMODULE>(module.base);
    }
  }
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

}  // namespace

void AttachModule(const void* addressInModule, const void* resources, size_t resourcesSize,
                  DllMainProc dllMain) {
  std::optional<MappedModule> module = ModuleContaining(addressInModule);
  if (!module)
    return;
  ModuleRecord record;
  record.dllMain = dllMain;
  if (resourcesSize > 0) {
    std::string error;
    auto entries = ParseResources(static_cast<const BYTE*>(resources), resourcesSize, &error);
    if (entries) {
      record.resources = std::move(*entries);
    } else {
      std::fprintf(stderr, "%s: embedded resources ignored: %s\n", module->path.c_str(),
                   error.c_str());
    }
  }
  {
    std::lock_guard lock(RecordsMutex());
    Records()[module->base] = std::move(record);
  }
  bool ok = true;
  if (dllMain != nullptr) {
    try {
      ok = dllMain(reinterpret_cast<HINSTANCE>(module->base), DLL_PROCESS_ATTACH, nullptr) != FALSE;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s: DllMain threw: %s\n", module->path.c_str(), e.what());
      ok = false;
    } catch (...) {
      std::fprintf(stderr, "%s: DllMain threw\n", module->path.c_str());
      ok = false;
    }
  }
  std::lock_guard lock(RecordsMutex());
  if (!ok)
    Records()[module->base].attachFailed = true;
}

void DetachModule(const void* addressInModule) {
  if (std::optional<MappedModule> module = ModuleContaining(addressInModule)) {
    DetachRecord(module->base, module->path);
  }
}

void DetachRecord(uintptr_t base, const std::string& path) {
  DllMainProc dllMain = nullptr;
  {
    std::lock_guard lock(RecordsMutex());
    auto it = Records().find(base);
    if (it == Records().end() || it->second.detached)
      return;
    it->second.detached = true;
    dllMain = it->second.dllMain;
  }
  if (dllMain != nullptr) {
    try {
      dllMain(reinterpret_cast<HINSTANCE>(base), DLL_PROCESS_DETACH, nullptr);
    } catch (...) {
      std::fprintf(stderr, "%s: DllMain threw at detach\n", path.c_str());
    }
  }
  std::lock_guard lock(RecordsMutex());
  Records().erase(base);
}

std::string LoaderDiagnostic() {
  return tDiagnostic;
}

}  // namespace zwin32

using namespace zwin32;

HMODULE WINAPI LoadLibraryW(LPCWSTR lpLibFileName) {
  FaultPoint("LoadLibraryW");
  if (lpLibFileName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return Load(HostPathFromWindows(lpLibFileName));
}

HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName) {
  FaultPoint("LoadLibraryA");
  if (lpLibFileName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return Load(HostPathFromWindows(FromCp1252(lpLibFileName)));
}

BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
  std::optional<MappedModule> module = hLibModule ? ModuleAt(hLibModule) : std::nullopt;
  void* handle = module ? dlopen(module->path.c_str(), RTLD_NOW | RTLD_NOLOAD) : nullptr;
  if (handle == nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return FALSE;
  }
  // Once for the reference just taken, once for LoadLibrary's.
  dlclose(handle);
  dlclose(handle);
  return TRUE;
}

FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  if (lpProcName == nullptr || (reinterpret_cast<ULONG_PTR>(lpProcName) >> 16) == 0) {
    // Exports by ordinal do not exist in ELF.
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  std::optional<MappedModule> module = ModuleAt(hModule);
  if (!module) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  bool program = hModule == nullptr || module->base == ModuleAt(nullptr)->base;
  void* handle =
      program ? dlopen(nullptr, RTLD_NOW) : dlopen(module->path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  void* symbol = dlsym(handle, lpProcName);
  dlclose(handle);
  if (symbol == nullptr) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  // POSIX makes dlsym's object pointer a valid function pointer; copying the bits says so without
  // the cast that C++ leaves conditionally supported.
  FARPROC proc;
  static_assert(sizeof proc == sizeof symbol);
  std::memcpy(&proc, &symbol, sizeof proc);
  return proc;
}

HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName) {
  if (lpModuleName == nullptr)
    return reinterpret_cast<HMODULE>(ModuleAt(nullptr)->base);
  return HandleByName(HostPathFromWindows(lpModuleName));
}

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
  if (lpModuleName == nullptr)
    return reinterpret_cast<HMODULE>(ModuleAt(nullptr)->base);
  return HandleByName(HostPathFromWindows(FromCp1252(lpModuleName)));
}

DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
  std::optional<std::u16string> path = ModuleWindowsPath(hModule);
  if (!path)
    return 0;
  return CopyFileName<char16_t>(*path, lpFilename, nSize);
}

DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
  std::optional<std::u16string> path = ModuleWindowsPath(hModule);
  if (!path)
    return 0;
  std::string ansi = ToCp1252(*path);
  return CopyFileName<char>(ansi, lpFilename, nSize);
}

HANDLE WINAPI GetCurrentProcess(void) {
  return reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));
}

BOOL WINAPI EnumProcessModules(HANDLE hProcess, HMODULE* lphModule, DWORD cb, LPDWORD lpcbNeeded) {
  if (hProcess != GetCurrentProcess() || lpcbNeeded == nullptr) {
    SetLastError(hProcess != GetCurrentProcess() ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::vector<MappedModule> modules = MappedModules();
  *lpcbNeeded = static_cast<DWORD>(modules.size() * sizeof(HMODULE));
  size_t room = lphModule != nullptr ? cb / sizeof(HMODULE) : 0;
  for (size_t i = 0; i < modules.size() && i < room; ++i) {
    lphModule[i] = reinterpret_cast<HMODULE>(modules[i].base);
  }
  return TRUE;
}

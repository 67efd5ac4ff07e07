// The host's product key and acrxRegisterApp: the host's own demand-load entries of an
// application, beside those the application writes itself under the same key.
#include <dlfcn.h>

#include <filesystem>
#include <string>

#include "rxregsvc.h"
#include "winerror.h"
#include "winreg.h"
#include "zwin32/faultpoint.h"
#include "zwin32/hostpath.h"
#include "zwin32/utf.h"

namespace {

// R17.1, French locale: the host's default language.
constexpr const ACHAR* kProductKey = u"SOFTWARE\\Autodesk\\AutoCAD\\R17.1\\ACAD-6001:40C";

// The Windows path of the module holding `code`, or empty when the loader does not know it.
std::u16string ModulePathOf(const void* code) {
  Dl_info info = {};
  if (dladdr(code, &info) == 0 || info.dli_fname == nullptr || info.dli_fname[0] == 0)
    return {};
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(info.dli_fname, error);
  if (error)
    return {};
  return zwin32::WindowsPathFromHost(path.lexically_normal().string());
}

LONG SetString(HKEY key, const ACHAR* name, const std::u16string& text) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>((text.size() + 1) * sizeof(ACHAR)));
}

AcadApp::ErrorStatus StatusOf(LONG result) {
  if (result == ERROR_SUCCESS)
    return AcadApp::eOk;
  return result == ERROR_ACCESS_DENIED ? AcadApp::eRegAccessDenied : AcadApp::eUnknownError;
}

AcadApp::ErrorStatus Register(DWORD reasons, const std::u16string& name,
                              const std::u16string& loader) {
  zwin32::FaultPoint("acrxRegisterApp");
  const std::u16string path = std::u16string(kProductKey) + u"\\Applications\\" + name;
  HKEY key = nullptr;
  LONG result = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr,
                                REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr);
  if (result != ERROR_SUCCESS)
    return StatusOf(result);
  result = RegSetValueExW(key, u"LOADCTRLS", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&reasons),
                          sizeof reasons);
  // Without its file the entry could not load anything: a module the loader cannot name
  // keeps whatever LOADER it had.
  if (result == ERROR_SUCCESS && !loader.empty())
    result = SetString(key, u"LOADER", loader);
  if (result == ERROR_SUCCESS)
    result = SetString(key, u"DESCRIPTION", name);
  RegCloseKey(key);
  return StatusOf(result);
}

}  // namespace

const ACHAR* acrxProductKey() {
  return kProductKey;
}

AcadApp::ErrorStatus acrxRegisterApp(AcadApp::LoadReasons alr, const ACHAR* logicalName, bool) {
  if (logicalName == nullptr || logicalName[0] == 0)
    return AcadApp::eInvalidKey;
  // The caller's own module is the file to load on demand, whichever library it links.
  const std::u16string loader = ModulePathOf(__builtin_return_address(0));
  try {
    return Register(static_cast<DWORD>(alr), logicalName, loader);
  } catch (...) {
    return AcadApp::eUnknownError;
  }
}

#include "ZANTAcadSystemTools.h"

#include <dlfcn.h>

#include <filesystem>
#include <optional>
#include <string>

#include "ZnLogEntry.h"
#include "acedads.h"
#include "rxregsvc.h"
#include "zacad/menus.h"
#include "zwin32/hostpath.h"
#include "zwin32/utf.h"

namespace {

namespace fs = std::filesystem;

std::u16string Text(LPCTSTR text) {
  return text == nullptr ? std::u16string() : std::u16string(text);
}

// The folder of the module holding `code`: the application that asked for its menu.
std::string FolderOf(const void* code) {
  Dl_info info = {};
  if (dladdr(code, &info) == 0 || info.dli_fname == nullptr)
    return {};
  std::error_code error;
  const fs::path path = fs::absolute(info.dli_fname, error);
  return error ? std::string() : path.parent_path().string();
}

// The menu file remembered for the user under the key, as a host path.
std::optional<std::string> RememberedFile(const std::u16string& keyPath) {
  HKEY key = nullptr;
  if (keyPath.empty() ||
      RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  WCHAR buffer[1024] = {};
  DWORD size = sizeof buffer - sizeof(WCHAR);
  DWORD type = 0;
  const LONG result =
      RegQueryValueExW(key, _T("MenuFile"), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_SZ || buffer[0] == 0)
    return std::nullopt;
  std::optional<std::string> path = zwin32::HostPathFromWindows(buffer);
  std::error_code error;
  if (!path || !fs::is_regular_file(*path, error))
    return std::nullopt;
  return path;
}

// Where a user's menu came from is the user's setting, as the host keeps menus per profile: it
// goes below HKEY_CURRENT_USER and leaves the machine-wide application entries as installed.
void Remember(const std::u16string& keyPath, const std::string& file) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  const std::u16string windowsPath = zwin32::WindowsPathFromHost(file);
  RegSetValueExW(key, _T("MenuFile"), 0, REG_SZ, reinterpret_cast<const BYTE*>(windowsPath.c_str()),
                 static_cast<DWORD>((windowsPath.size() + 1) * sizeof(WCHAR)));
  RegCloseKey(key);
}

}  // namespace

namespace ZANTAcadSystemTools {

bool isAcad2007OrLater() {
  // "SOFTWARE\Autodesk\AutoCAD\R17.1\ACAD-6001:40C": the release follows "\R".
  const std::u16string key = acrxProductKey();
  const size_t release = key.find(u"\\R");
  if (release == std::u16string::npos)
    return false;
  int major = 0;
  for (size_t i = release + 2; i < key.size() && key[i] >= u'0' && key[i] <= u'9'; ++i)
    major = major * 10 + (key[i] - u'0');
  return major >= 17;
}

int loadMenu(LPCTSTR group, LPCTSTR file, LPCTSTR registryKeyPath, int remember) {
  CZnLogEntry trace(_T("ZANTAcadSystemTools::loadMenu"));
  const std::u16string groupName = Text(group);
  if (!groupName.empty() && zacad::FindMenuGroup(groupName) != nullptr)
    return 1;
  const std::u16string keyPath = Text(registryKeyPath);
  std::optional<std::string> path =
      zacad::FindMenuFile(Text(file), FolderOf(__builtin_return_address(0)));
  if (!path)
    path = RememberedFile(keyPath);
  if (!path) {
    acutPrintf(_T("\nCannot find the menu file \"%s\".\n"), Text(file).c_str());
    return 0;
  }
  if (const std::optional<std::u16string> refused = zacad::LoadMenuGroup(*path)) {
    acutPrintf(_T("\n%s\n"), refused->c_str());
    return 0;
  }
  if (remember != 0 && !keyPath.empty())
    Remember(keyPath, *path);
  return 1;
}

bool ShowToolbar(LPCTSTR toolbar, bool show, LPCTSTR group) {
  CZnLogEntry trace(_T("ZANTAcadSystemTools::ShowToolbar"));
  zacad::MenuGroup* menuGroup = zacad::FindMenuGroup(Text(group));
  if (menuGroup == nullptr)
    return false;
  for (zacad::Toolbar& candidate : menuGroup->toolbars) {
    if (candidate.name == Text(toolbar)) {
      candidate.visible = show;
      return true;
    }
  }
  return false;
}

}  // namespace ZANTAcadSystemTools

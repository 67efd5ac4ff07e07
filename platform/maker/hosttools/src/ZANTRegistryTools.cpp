#include "ZANTRegistryTools.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "rxregsvc.h"

namespace {

constexpr const TCHAR* kProductKey = _T("SOFTWARE\\ZANT\\Vorlane");
constexpr DWORD kFrench = 0x040C;

// Reads one value of the product key with its type; nothing when the key or value is missing.
std::optional<std::vector<BYTE>> ProductValue(LPCTSTR name, DWORD& type) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kProductKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::optional<std::vector<BYTE>> data;
  DWORD size = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    std::vector<BYTE> bytes(size);
    // The value may change between the two calls; a second failure counts as absent.
    if (RegQueryValueExW(key, name, nullptr, &type, bytes.data(), &size) == ERROR_SUCCESS) {
      bytes.resize(size);
      data = std::move(bytes);
    }
  }
  RegCloseKey(key);
  return data;
}

}  // namespace

namespace ZANTRegistryTools {

void GetPathRegistryApp(CString& path) {
  // The host's own key: applications record themselves for demand loading beside the host's
  // entries for them.
  path = acrxProductKey();
}

DWORD GetRegistryLanguageUI() {
  DWORD type = 0;
  const std::optional<std::vector<BYTE>> data = ProductValue(_T("LanguageUI"), type);
  if (!data || type != REG_DWORD || data->size() != sizeof(DWORD)) {
    return kFrench;
  }
  DWORD language = 0;
  std::copy(data->begin(), data->end(), reinterpret_cast<BYTE*>(&language));
  return language;
}

int GetVorlaneDataPath(CString& path) {
  DWORD type = 0;
  const std::optional<std::vector<BYTE>> data = ProductValue(_T("DataPath"), type);
  if (!data || type != REG_SZ) {
    path.Empty();
    return 0;
  }
  // REG_SZ data may or may not carry its terminator; take the characters up to the first NUL.
  std::u16string text(data->size() / sizeof(WCHAR), u'\0');
  std::copy_n(data->data(), text.size() * sizeof(WCHAR), reinterpret_cast<BYTE*>(text.data()));
  text.resize(text.find(u'\0') == std::u16string::npos ? text.size() : text.find(u'\0'));
  path = text.c_str();
  return 1;
}

}  // namespace ZANTRegistryTools

// FindResource, LoadResource, LoadString over the resources each module registered at load.
#include <algorithm>

#include "moduletable.h"
#include "windows.h"

using namespace zwin32;

namespace {

// The resources of a module, or null with the last error set. The entries stay valid while the
// module is mapped, as a Windows resource pointer does.
const std::vector<ResourceEntry>* ResourcesOf(HMODULE module) {
  std::optional<MappedModule> found = ModuleAt(module);
  if (!found) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  std::lock_guard lock(RecordsMutex());
  auto it = Records().find(found->base);
  if (it == Records().end() || it->second.resources.empty()) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  return &it->second.resources;
}

HRSRC Find(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language) {
  if (type == nullptr || name == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const std::vector<ResourceEntry>* entries = ResourcesOf(module);
  if (entries == nullptr)
    return nullptr;
  std::vector<LANGID> languages = LanguagePreference(language);
  bool missingType = false;
  const ResourceEntry* entry = FindResourceEntry(*entries, ResId::FromPointer(type),
                                                 ResId::FromPointer(name), languages, &missingType);
  if (entry == nullptr) {
    SetLastError(missingType ? ERROR_RESOURCE_TYPE_NOT_FOUND : ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(entry));
}

}  // namespace

HRSRC WINAPI FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType) {
  return Find(hModule, lpType, lpName, 0);
}

HRSRC WINAPI FindResourceExW(HMODULE hModule, LPCWSTR lpType, LPCWSTR lpName, WORD wLanguage) {
  return Find(hModule, lpType, lpName, wLanguage);
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC hResInfo) {
  if (hResInfo == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  const auto* entry = reinterpret_cast<const ResourceEntry*>(hResInfo);
  return const_cast<BYTE*>(entry->data);
}

LPVOID WINAPI LockResource(HGLOBAL hResData) {
  return hResData;
}

DWORD WINAPI SizeofResource(HMODULE, HRSRC hResInfo) {
  if (hResInfo == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return reinterpret_cast<const ResourceEntry*>(hResInfo)->size;
}

int WINAPI LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax) {
  if (lpBuffer == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::optional<std::u16string_view> text;
  if (HRSRC block = FindResourceW(hInstance, MAKEINTRESOURCEW((uID >> 4) + 1), RT_STRING)) {
    text = StringFromBlock(*reinterpret_cast<const ResourceEntry*>(block), uID);
    if (!text)
      SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  }
  if (cchBufferMax == 0) {
    *reinterpret_cast<LPCWSTR*>(lpBuffer) = text ? text->data() : nullptr;
    return text ? static_cast<int>(text->size()) : 0;
  }
  size_t count = text ? std::min(text->size(), static_cast<size_t>(cchBufferMax - 1)) : 0;
  if (text)
    std::copy_n(text->data(), count, lpBuffer);
  lpBuffer[count] = 0;
  return static_cast<int>(count);
}

// The registry API over the Store. A handle names a path, not a node, so that a key deleted
// while open is noticed (ERROR_KEY_DELETED) and a file reloaded under it stays consistent.
#include <algorithm>
#include <cstring>

#include "regstore.h"
#include "windows.h"
#include "zwin32/faultpoint.h"
#include "zwin32/utf.h"

using namespace zwin32;
using namespace zwin32::registry;

namespace {

constexpr REGSAM kAllAccess = KEY_ALL_ACCESS;

// The key a handle stands for; false with *error set when the handle is unknown.
bool Resolve(Store& store, HKEY hKey, OpenKey* out, LONG* error) {
  auto value = reinterpret_cast<ULONG_PTR>(hKey);
  for (const Root& root : kRoots) {
    if (root.hkey == value) {
      *out = OpenKey{value, {}, kAllAccess};
      return true;
    }
  }
  auto* open = reinterpret_cast<const OpenKey*>(hKey);
  if (!store.handles.contains(open)) {
    *error = ERROR_INVALID_HANDLE;
    return false;
  }
  *out = *open;
  return true;
}

Key* Lookup(Store& store, const OpenKey& key) {
  Key* node = store.tree.RootOf(key.root);
  for (const std::u16string& name : key.path) {
    if (node == nullptr)
      break;
    node = node->Child(name);
  }
  return node;
}

// Runs `body(store, openKey, key)` under the lock for an existing key opened with `access`.
template <typename Body>
LONG WithKey(HKEY hKey, REGSAM access, Body body) {
  Store& store = Store::Get();
  std::lock_guard lock(store.mutex);
  store.Refresh();
  OpenKey open;
  LONG error = ERROR_SUCCESS;
  if (!Resolve(store, hKey, &open, &error))
    return error;
  if ((open.access & access) != access)
    return ERROR_ACCESS_DENIED;
  Key* key = Lookup(store, open);
  if (key == nullptr)
    return ERROR_KEY_DELETED;
  return body(store, open, *key);
}

std::u16string Text(LPCWSTR s) {
  return s != nullptr ? std::u16string(s) : std::u16string();
}
std::u16string Text(LPCSTR s) {
  return s != nullptr ? FromCp1252(s) : std::u16string();
}

std::vector<BYTE> Utf16Bytes(std::u16string_view text) {
  std::vector<BYTE> bytes(text.size() * 2);
  std::memcpy(bytes.data(), text.data(), bytes.size());
  return bytes;
}

bool IsStringType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Hands `data` out the way every query call does: size only, too small, or copied.
LONG GiveData(const std::vector<BYTE>& data, LPBYTE lpData, LPDWORD lpcbData) {
  if (lpcbData == nullptr)
    return lpData == nullptr ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
  DWORD room = *lpcbData;
  *lpcbData = static_cast<DWORD>(data.size());
  if (lpData == nullptr)
    return ERROR_SUCCESS;
  if (room < data.size())
    return ERROR_MORE_DATA;
  std::copy(data.begin(), data.end(), lpData);
  return ERROR_SUCCESS;
}

LONG GiveName(std::u16string_view name, LPWSTR buffer, LPDWORD count) {
  if (buffer == nullptr || count == nullptr)
    return ERROR_INVALID_PARAMETER;
  if (*count <= name.size())
    return ERROR_MORE_DATA;
  std::copy(name.begin(), name.end(), buffer);
  buffer[name.size()] = 0;
  *count = static_cast<DWORD>(name.size());
  return ERROR_SUCCESS;
}

HKEY NewHandle(Store& store, OpenKey key) {
  auto* open = new OpenKey(std::move(key));
  store.handles.insert(open);
  return reinterpret_cast<HKEY>(open);
}

LONG CreateKey(HKEY hKey, const std::u16string& subKey, REGSAM sam, PHKEY result,
               LPDWORD disposition) {
  FaultPoint("RegCreateKeyExW");
  if (result == nullptr)
    return ERROR_INVALID_PARAMETER;
  std::vector<std::u16string> names;
  if (!SplitPath(subKey, &names))
    return ERROR_BAD_PATHNAME;
  REGSAM need = names.empty() ? 0 : KEY_CREATE_SUB_KEY;
  return WithKey(hKey, need, [&](Store& store, OpenKey open, Key& key) {
    Tree before = store.tree;
    bool created = false;
    Key* node = &key;
    for (const std::u16string& name : names) {
      bool createdHere = false;
      node = &node->EnsureChild(name, &createdHere);
      created = created || createdHere;
      open.path.push_back(node->name);
    }
    if (created) {
      if (LONG saved = store.Save(std::move(before)); saved != ERROR_SUCCESS)
        return saved;
    }
    open.access = sam;
    *result = NewHandle(store, std::move(open));
    if (disposition != nullptr) {
      *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    }
    return static_cast<LONG>(ERROR_SUCCESS);
  });
}

LONG OpenKeyAt(HKEY hKey, const std::u16string& subKey, REGSAM sam, PHKEY result) {
  FaultPoint("RegOpenKeyExW");
  if (result == nullptr)
    return ERROR_INVALID_PARAMETER;
  std::vector<std::u16string> names;
  if (!SplitPath(subKey, &names))
    return ERROR_BAD_PATHNAME;
  return WithKey(hKey, 0, [&](Store& store, OpenKey open, Key& key) {
    Key* node = &key;
    for (const std::u16string& name : names) {
      node = node->Child(name);
      if (node == nullptr)
        return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
      open.path.push_back(node->name);
    }
    open.access = sam;
    *result = NewHandle(store, std::move(open));
    return static_cast<LONG>(ERROR_SUCCESS);
  });
}

LONG SetValue(HKEY hKey, std::u16string name, DWORD type, std::vector<BYTE> data) {
  FaultPoint("RegSetValueExW");
  return WithKey(hKey, KEY_SET_VALUE, [&](Store& store, const OpenKey&, Key& key) {
    Tree before = store.tree;
    // `key` points into the tree, which the snapshot above did not move.
    key.SetValue(Value{std::move(name), type, std::move(data)});
    return store.Save(std::move(before));
  });
}

LONG QueryValue(HKEY hKey, const std::u16string& name, LPDWORD lpType, LPBYTE lpData,
                LPDWORD lpcbData, bool ansi) {
  FaultPoint("RegQueryValueExW");
  return WithKey(hKey, KEY_QUERY_VALUE, [&](Store&, const OpenKey&, Key& key) {
    Value* value = key.FindValue(name);
    if (value == nullptr)
      return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
    if (lpType != nullptr)
      *lpType = value->type;
    if (!ansi || !IsStringType(value->type))
      return GiveData(value->data, lpData, lpcbData);
    std::u16string wide(value->data.size() / 2, u'\0');
    std::memcpy(wide.data(), value->data.data(), wide.size() * 2);
    std::string narrow = ToCp1252(wide);
    return GiveData(std::vector<BYTE>(narrow.begin(), narrow.end()), lpData, lpcbData);
  });
}

}  // namespace

LSTATUS WINAPI RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, LPWSTR, DWORD, REGSAM samDesired,
                               const LPSECURITY_ATTRIBUTES, PHKEY phkResult,
                               LPDWORD lpdwDisposition) {
  return CreateKey(hKey, Text(lpSubKey), samDesired, phkResult, lpdwDisposition);
}

LSTATUS WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired,
                               const LPSECURITY_ATTRIBUTES, PHKEY phkResult,
                               LPDWORD lpdwDisposition) {
  return CreateKey(hKey, Text(lpSubKey), samDesired, phkResult, lpdwDisposition);
}

LSTATUS WINAPI RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM samDesired,
                             PHKEY phkResult) {
  return OpenKeyAt(hKey, Text(lpSubKey), samDesired, phkResult);
}

LSTATUS WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired,
                             PHKEY phkResult) {
  return OpenKeyAt(hKey, Text(lpSubKey), samDesired, phkResult);
}

LSTATUS WINAPI RegCloseKey(HKEY hKey) {
  for (const Root& root : kRoots) {
    if (root.hkey == reinterpret_cast<ULONG_PTR>(hKey))
      return ERROR_SUCCESS;
  }
  Store& store = Store::Get();
  std::lock_guard lock(store.mutex);
  auto* open = reinterpret_cast<const OpenKey*>(hKey);
  if (store.handles.erase(open) == 0)
    return ERROR_INVALID_HANDLE;
  delete open;
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType,
                              const BYTE* lpData, DWORD cbData) {
  if (lpData == nullptr && cbData != 0)
    return ERROR_INVALID_PARAMETER;
  std::vector<BYTE> data(lpData, lpData + (lpData != nullptr ? cbData : 0));
  return SetValue(hKey, Text(lpValueName), dwType, std::move(data));
}

LSTATUS WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType,
                              const BYTE* lpData, DWORD cbData) {
  if (lpData == nullptr && cbData != 0)
    return ERROR_INVALID_PARAMETER;
  std::vector<BYTE> data(lpData, lpData + (lpData != nullptr ? cbData : 0));
  if (IsStringType(dwType)) {
    data = Utf16Bytes(
        FromCp1252(std::string_view(reinterpret_cast<const char*>(data.data()), data.size())));
  }
  return SetValue(hKey, Text(lpValueName), dwType, std::move(data));
}

LSTATUS WINAPI RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD, LPDWORD lpType,
                                LPBYTE lpData, LPDWORD lpcbData) {
  return QueryValue(hKey, Text(lpValueName), lpType, lpData, lpcbData, false);
}

LSTATUS WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType,
                                LPBYTE lpData, LPDWORD lpcbData) {
  return QueryValue(hKey, Text(lpValueName), lpType, lpData, lpcbData, true);
}

LSTATUS WINAPI RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName) {
  return WithKey(hKey, KEY_SET_VALUE, [&](Store& store, const OpenKey&, Key& key) {
    Tree before = store.tree;
    if (!key.RemoveValue(Text(lpValueName)))
      return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
    return store.Save(std::move(before));
  });
}

namespace {

// Deletes subKey of hKey; with `tree`, also its subkeys; an empty subKey with `tree` empties hKey.
LONG DeleteKey(HKEY hKey, LPCWSTR lpSubKey, bool tree) {
  std::vector<std::u16string> names;
  if (!SplitPath(Text(lpSubKey), &names))
    return ERROR_BAD_PATHNAME;
  return WithKey(hKey, 0, [&](Store& store, const OpenKey& open, Key& key) {
    Tree before = store.tree;
    if (names.empty()) {
      if (!tree)
        return static_cast<LONG>(open.path.empty() ? ERROR_ACCESS_DENIED : ERROR_INVALID_PARAMETER);
      key.values.clear();
      key.children.clear();
      return store.Save(std::move(before));
    }
    Key* parent = &key;
    for (size_t i = 0; i + 1 < names.size(); ++i) {
      parent = parent->Child(names[i]);
      if (parent == nullptr)
        return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
    }
    Key* target = parent->Child(names.back());
    if (target == nullptr)
      return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
    if (!tree && !target->children.empty())
      return static_cast<LONG>(ERROR_ACCESS_DENIED);
    parent->RemoveChild(names.back());
    return store.Save(std::move(before));
  });
}

}  // namespace

LSTATUS WINAPI RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey) {
  if (lpSubKey == nullptr)
    return ERROR_INVALID_PARAMETER;
  return DeleteKey(hKey, lpSubKey, false);
}

LSTATUS WINAPI RegDeleteTreeW(HKEY hKey, LPCWSTR lpSubKey) {
  return DeleteKey(hKey, lpSubKey, true);
}

LSTATUS WINAPI RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName, LPDWORD,
                             LPWSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime) {
  return WithKey(hKey, KEY_ENUMERATE_SUB_KEYS, [&](Store&, const OpenKey&, Key& key) {
    if (dwIndex >= key.children.size())
      return static_cast<LONG>(ERROR_NO_MORE_ITEMS);
    LONG result = GiveName(key.children[dwIndex].name, lpName, lpcchName);
    if (result == ERROR_SUCCESS && lpClass != nullptr && lpcchClass != nullptr) {
      result = GiveName(u"", lpClass, lpcchClass);
    }
    if (lpftLastWriteTime != nullptr)
      *lpftLastWriteTime = FILETIME{0, 0};
    return result;
  });
}

LSTATUS WINAPI RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName,
                             LPDWORD, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  return WithKey(hKey, KEY_QUERY_VALUE, [&](Store&, const OpenKey&, Key& key) {
    if (dwIndex >= key.values.size())
      return static_cast<LONG>(ERROR_NO_MORE_ITEMS);
    const Value& value = key.values[dwIndex];
    LONG result = GiveName(value.name, lpValueName, lpcchValueName);
    if (result != ERROR_SUCCESS)
      return result;
    if (lpType != nullptr)
      *lpType = value.type;
    return GiveData(value.data, lpData, lpcbData);
  });
}

// The registry's contents in memory, and their .reg text form. A plain value tree: copying it is
// how a change that cannot be saved is rolled back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "windef.h"

namespace zwin32::registry {

struct Value {
  std::u16string name;  // empty: the default value
  DWORD type = 0;
  std::vector<BYTE> data;
};

struct Key {
  std::u16string name;
  std::vector<Value> values;  // in creation order, as regedit shows them
  std::vector<Key> children;  // sorted case-insensitively, as Windows enumerates them

  Key* Child(std::u16string_view childName);
  Key& EnsureChild(std::u16string_view childName, bool* created);
  bool RemoveChild(std::u16string_view childName);
  Value* FindValue(std::u16string_view valueName);
  void SetValue(Value value);
  bool RemoveValue(std::u16string_view valueName);
};

// The predefined keys, by their HKEY number and the name a .reg file gives them.
// winreg.h sign-extends the 32-bit numbers into the handle, as 64-bit Windows does.
struct Root {
  ULONG_PTR hkey;
  const char16_t* name;
};
constexpr ULONG_PTR PredefinedKey(uint32_t number) {
  return static_cast<ULONG_PTR>(static_cast<intptr_t>(static_cast<int32_t>(number)));
}
inline constexpr Root kRoots[] = {{PredefinedKey(0x80000000), u"HKEY_CLASSES_ROOT"},
                                  {PredefinedKey(0x80000001), u"HKEY_CURRENT_USER"},
                                  {PredefinedKey(0x80000002), u"HKEY_LOCAL_MACHINE"},
                                  {PredefinedKey(0x80000003), u"HKEY_USERS"},
                                  {PredefinedKey(0x80000005), u"HKEY_CURRENT_CONFIG"}};

struct Tree {
  Tree();
  std::vector<Key> roots;  // as kRoots, in that order
  Key* RootOf(ULONG_PTR hkey);
};

bool EqualsNoCase(std::u16string_view a, std::u16string_view b);
// Splits "A\B\C" into its names; false when a name is empty (but one trailing backslash is
// allowed, as Windows allows it).
bool SplitPath(std::u16string_view path, std::vector<std::u16string>* names);

// Parses .reg text (REGEDIT4 or Version 5.00; UTF-16LE with BOM, UTF-8, or code page 1252) into
// `tree`, applying its key and value deletions. Each bad line is skipped and reported in
// `errors` as "file:line: what"; `fileName` only serves those messages.
void ParseRegFile(const std::vector<BYTE>& bytes, const std::string& fileName, Tree* tree,
                  std::vector<std::string>* errors);

// The whole tree as regedit exports it: "Windows Registry Editor Version 5.00", UTF-16LE with BOM,
// CRLF, long hex data wrapped with a backslash.
std::vector<BYTE> ExportRegFile(const Tree& tree);

}  // namespace zwin32::registry

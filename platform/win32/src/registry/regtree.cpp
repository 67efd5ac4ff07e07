// The value tree: case-insensitive lookups that keep the case a name was created with.
#include "regtree.h"

#include <algorithm>

namespace zwin32::registry {
namespace {

char16_t Upper(char16_t c) {
  if (c >= u'a' && c <= u'z')
    return c - u'a' + u'A';
  // Latin-1 letters, so that "é" and "É" name the same key as on Windows.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
    return c - 0x20;
  return c;
}

bool LessNoCase(std::u16string_view a, std::u16string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char16_t x, char16_t y) { return Upper(x) < Upper(y); });
}

}  // namespace

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return Upper(x) == Upper(y); });
}

bool SplitPath(std::u16string_view path, std::vector<std::u16string>* names) {
  names->clear();
  if (path.ends_with(u'\\'))
    path.remove_suffix(1);
  if (path.empty())
    return true;
  size_t start = 0;
  while (true) {
    size_t end = path.find(u'\\', start);
    std::u16string_view name = path.substr(start, end - start);
    if (name.empty())
      return false;
    names->emplace_back(name);
    if (end == std::u16string_view::npos)
      return true;
    start = end + 1;
  }
}

Key* Key::Child(std::u16string_view childName) {
  for (Key& child : children) {
    if (EqualsNoCase(child.name, childName))
      return &child;
  }
  return nullptr;
}

Key& Key::EnsureChild(std::u16string_view childName, bool* created) {
  if (Key* child = Child(childName)) {
    *created = false;
    return *child;
  }
  *created = true;
  auto at = std::find_if(children.begin(), children.end(),
                         [&](const Key& k) { return LessNoCase(childName, k.name); });
  Key key;
  key.name = std::u16string(childName);
  return *children.insert(at, std::move(key));
}

bool Key::RemoveChild(std::u16string_view childName) {
  auto it = std::find_if(children.begin(), children.end(),
                         [&](const Key& k) { return EqualsNoCase(k.name, childName); });
  if (it == children.end())
    return false;
  children.erase(it);
  return true;
}

Value* Key::FindValue(std::u16string_view valueName) {
  for (Value& value : values) {
    if (EqualsNoCase(value.name, valueName))
      return &value;
  }
  return nullptr;
}

void Key::SetValue(Value value) {
  if (Value* existing = FindValue(value.name)) {
    // The name keeps its first spelling, as Windows keeps it.
    existing->type = value.type;
    existing->data = std::move(value.data);
  } else {
    values.push_back(std::move(value));
  }
}

bool Key::RemoveValue(std::u16string_view valueName) {
  auto it = std::find_if(values.begin(), values.end(),
                         [&](const Value& v) { return EqualsNoCase(v.name, valueName); });
  if (it == values.end())
    return false;
  values.erase(it);
  return true;
}

Tree::Tree() {
  for (const Root& root : kRoots) {
    Key key;
    key.name = root.name;
    roots.push_back(std::move(key));
  }
}

Key* Tree::RootOf(ULONG_PTR hkey) {
  for (size_t i = 0; i < std::size(kRoots); ++i) {
    if (kRoots[i].hkey == hkey)
      return &roots[i];
  }
  return nullptr;
}

}  // namespace zwin32::registry

// The host's loaded menu groups, the support path that menu files are found along, and the
// macros that menu picks leave for the command line.
#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "libloaderapi.h"
#include "menureaders.h"
#include "zacad/menus.h"
#include "zwin32/hostpath.h"
#include "zwin32/utf.h"

namespace zacad {
namespace {

namespace fs = std::filesystem;

std::vector<MenuGroup>& Groups() {
  static std::vector<MenuGroup> groups;
  return groups;
}

std::deque<std::u16string>& Macros() {
  static std::deque<std::u16string> macros;
  return macros;
}

char16_t Fold(char16_t c) {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
  return std::ranges::equal(a, b, [](char16_t x, char16_t y) { return Fold(x) == Fold(y); });
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z')
      c += 'a' - 'A';
  }
  return text;
}

std::string ExtensionOf(const std::string& path) {
  return Lower(fs::path(path).extension().string());
}

// `name` in `folder`, case ignored as Windows does.
std::optional<std::string> FileIn(const fs::path& folder, const std::string& name) {
  std::error_code error;
  if (fs::is_regular_file(folder / name, error))
    return (folder / name).lexically_normal().string();
  const std::string wanted = Lower(name);
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (Lower(it->path().filename().string()) == wanted && it->is_regular_file(error))
      return it->path().lexically_normal().string();
  }
  return std::nullopt;
}

std::optional<fs::path> ProgramFolder() {
  char16_t buffer[4096];
  const DWORD length = GetModuleFileNameW(NULL, buffer, 4096);
  if (length == 0 || length >= 4096)
    return std::nullopt;
  const auto path = zwin32::HostPathFromWindows(std::u16string_view(buffer, length));
  if (!path)
    return std::nullopt;
  return fs::path(*path).parent_path();
}

}  // namespace

std::optional<MenuGroup> ReadMenuFile(const std::string& hostPath, std::string& error) {
  const std::string extension = ExtensionOf(hostPath);
  if (extension != ".cui" && extension != ".mnu") {
    error = hostPath + ": not a menu file (.cui or .mnu)";
    return std::nullopt;
  }
  std::error_code ec;
  std::ifstream in;
  if (fs::is_regular_file(hostPath, ec))
    in.open(hostPath, std::ios::binary);
  if (!in.is_open()) {
    error = hostPath + ": cannot open the file";
    return std::nullopt;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = hostPath + ": cannot read the file";
    return std::nullopt;
  }
  std::optional<MenuGroup> group =
      extension == ".cui" ? ReadCui(bytes, hostPath, error) : ReadMnu(bytes, hostPath, error);
  if (group)
    group->file = fs::absolute(hostPath, ec).lexically_normal().string();
  return group;
}

std::optional<std::string> FindMenuFile(std::u16string_view name, const std::string& firstFolder) {
  const std::optional<std::string> hostName = zwin32::HostPathFromWindows(name);
  if (!hostName || hostName->empty())
    return std::nullopt;
  const fs::path given(*hostName);
  std::vector<std::string> names;
  const std::string extension = ExtensionOf(*hostName);
  if (extension.empty()) {
    names = {given.filename().string() + ".cui", given.filename().string() + ".mnu"};
  } else {
    names = {given.filename().string()};
    if (extension == ".cui")
      names.push_back(given.stem().string() + ".mnu");
  }
  std::vector<fs::path> folders;
  if (given.has_parent_path()) {
    folders.push_back(given.parent_path());
  } else {
    if (!firstFolder.empty())
      folders.emplace_back(firstFolder);
    if (auto program = ProgramFolder())
      folders.push_back(*program);
    folders.push_back(fs::current_path());
  }
  for (const std::string& candidate : names) {
    for (const fs::path& folder : folders) {
      if (auto found = FileIn(folder, candidate))
        return found;
    }
  }
  return std::nullopt;
}

std::optional<std::u16string> LoadMenuGroup(const std::string& hostPath) {
  std::string error;
  std::optional<MenuGroup> group = ReadMenuFile(hostPath, error);
  if (!group)
    return zwin32::FromUtf8(error);
  if (FindMenuGroup(group->name) != nullptr)
    return u"Customization Group " + group->name + u" already loaded.";
  Groups().push_back(std::move(*group));
  return std::nullopt;
}

bool UnloadMenuGroup(std::u16string_view groupName) {
  return std::erase_if(Groups(),
                       [&](const MenuGroup& group) { return SameName(group.name, groupName); }) > 0;
}

const std::vector<MenuGroup>& LoadedMenuGroups() {
  return Groups();
}

MenuGroup* FindMenuGroup(std::u16string_view groupName) {
  for (MenuGroup& group : Groups()) {
    if (SameName(group.name, groupName))
      return &group;
  }
  return nullptr;
}

Toolbar* FindToolbar(std::u16string_view qualifiedName) {
  std::u16string_view groupName;
  std::u16string_view name = qualifiedName;
  // Toolbar names may hold dots themselves; a group prefix counts only if it names a group.
  if (const size_t dot = qualifiedName.find(u'.'); dot != std::u16string_view::npos) {
    if (FindMenuGroup(qualifiedName.substr(0, dot)) != nullptr) {
      groupName = qualifiedName.substr(0, dot);
      name = qualifiedName.substr(dot + 1);
    }
  }
  for (MenuGroup& group : Groups()) {
    if (!groupName.empty() && !SameName(group.name, groupName))
      continue;
    for (Toolbar& toolbar : group.toolbars) {
      if (SameName(toolbar.name, name))
        return &toolbar;
    }
  }
  return nullptr;
}

void QueueMenuMacro(std::u16string macro) {
  Macros().push_back(std::move(macro));
}

std::optional<std::u16string> TakeMenuMacro() {
  if (Macros().empty())
    return std::nullopt;
  std::u16string macro = std::move(Macros().front());
  Macros().pop_front();
  return macro;
}

std::vector<std::u16string> MacroInput(std::u16string_view macro) {
  if (!macro.empty() && macro[0] == u'*')
    macro.remove_prefix(1);
  if (const size_t pause = macro.find(u'\\'); pause != std::u16string_view::npos)
    macro = macro.substr(0, pause);
  std::vector<std::u16string> lines(1);
  bool inCancel = false;  // a cancel stands on a line of its own, so it reads as Escape
  for (size_t i = 0; i < macro.size(); ++i) {
    if (macro[i] == u'^' && i + 1 < macro.size() && Fold(macro[i + 1]) == u'C') {
      if (!inCancel && !lines.back().empty())
        lines.emplace_back();
      lines.back() += u"^C";
      inCancel = true;
      ++i;
    } else if (macro[i] == u';') {
      lines.emplace_back();
      inCancel = false;
    } else {
      if (inCancel)
        lines.emplace_back();
      inCancel = false;
      lines.back() += macro[i];
    }
  }
  // The end of a macro is an Enter; what ended in ';' already had it.
  if (lines.size() > 1 && lines.back().empty())
    lines.pop_back();
  return lines;
}

}  // namespace zacad

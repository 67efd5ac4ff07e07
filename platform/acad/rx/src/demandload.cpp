// Reading the demand-load entries of the product key and loading applications for the reasons
// they were recorded with.
#include "zacad/demandload.h"

#include <cstring>
#include <exception>

#include "dbapserv.h"
#include "dynamiclinker.h"
#include "rxregsvc.h"
#include "textcase.h"
#include "winreg.h"
#include "zwin32/utf.h"

namespace zacad {
namespace {

constexpr DWORD kMaxName = 16384;  // the registry's own limit on key and value names

// Closes a key when it goes out of scope.
class Key {
 public:
  Key(HKEY parent, const std::u16string& path) {
    if (parent == nullptr || RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &key_) != 0)
      key_ = nullptr;
  }
  ~Key() {
    if (key_ != nullptr)
      RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

std::vector<std::u16string> SubkeyNames(HKEY key) {
  std::vector<std::u16string> names;
  std::u16string name(kMaxName, u'\0');
  for (DWORD i = 0;; ++i) {
    DWORD length = kMaxName;
    if (RegEnumKeyExW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != 0)
      break;
    names.emplace_back(name.data(), length);
  }
  return names;
}

// A string value's text up to its first NUL (data may or may not carry the terminator).
std::u16string TextOf(const std::vector<BYTE>& data) {
  std::u16string text(data.size() / sizeof(char16_t), u'\0');
  std::memcpy(text.data(), data.data(), text.size() * sizeof(char16_t));
  return text.substr(0, text.find(u'\0'));
}

struct Value {
  std::u16string name;
  DWORD type = 0;
  std::vector<BYTE> data;
};

std::vector<Value> Values(HKEY key) {
  std::vector<Value> values;
  if (key == nullptr)
    return values;
  std::u16string name(kMaxName, u'\0');
  for (DWORD i = 0;; ++i) {
    DWORD length = kMaxName;
    DWORD type = 0;
    DWORD size = 0;
    if (RegEnumValueW(key, i, name.data(), &length, nullptr, &type, nullptr, &size) != 0)
      break;
    Value value{std::u16string(name.data(), length), type, std::vector<BYTE>(size)};
    length = kMaxName;
    if (RegEnumValueW(key, i, name.data(), &length, nullptr, &value.type, value.data.data(),
                      &size) != 0) {
      break;
    }
    value.data.resize(size);
    values.push_back(std::move(value));
  }
  return values;
}

bool IsString(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ;
}

DemandLoadEntry ReadEntry(HKEY applications, const std::u16string& name) {
  DemandLoadEntry entry;
  entry.name = name;
  Key app(applications, name);
  for (const Value& value : Values(app.get())) {
    if (equalsIgnoringCase(value.name, u"LOADCTRLS") && value.type == REG_DWORD &&
        value.data.size() == sizeof(DWORD)) {
      std::memcpy(&entry.reasons, value.data.data(), sizeof(DWORD));
    } else if (equalsIgnoringCase(value.name, u"LOADER") && IsString(value.type)) {
      entry.loader = TextOf(value.data);
    }
  }
  // The older layout keeps the file under "Loader" as "MODULE".
  if (entry.loader.empty()) {
    Key loader(app.get(), u"Loader");
    for (const Value& value : Values(loader.get())) {
      if (equalsIgnoringCase(value.name, u"MODULE") && IsString(value.type))
        entry.loader = TextOf(value.data);
    }
  }
  Key commands(app.get(), u"Commands");
  for (const Value& value : Values(commands.get())) {
    std::u16string local = IsString(value.type) ? TextOf(value.data) : std::u16string();
    entry.commands.emplace_back(value.name, local.empty() ? value.name : local);
  }
  Key groups(app.get(), u"Groups");
  for (const Value& value : Values(groups.get()))
    entry.groups.push_back(value.name);
  return entry;
}

bool Allows(const DemandLoadEntry& entry, DWORD reason) {
  return (entry.reasons & reason) != 0 && (entry.reasons & AcadApp::kLoadDisabled) == 0;
}

bool IsLoaded(const DemandLoadEntry& entry) {
  return DynamicLinker::instance().getModuleHandle(entry.loader.c_str()) != NULL;
}

// Whether `entry` serves the command typed as `typed` (see demandLoadCommand).
bool ServesCommand(const DemandLoadEntry& entry, std::u16string_view typed) {
  std::u16string_view name = typed;
  bool globalOnly = false;
  for (int i = 0; i < 2 && !name.empty(); ++i) {
    if (name[0] == u'.') {
      name.remove_prefix(1);
    } else if (name[0] == u'_') {
      globalOnly = true;
      name.remove_prefix(1);
    }
  }
  if (const size_t dot = name.find(u'.'); dot != std::u16string_view::npos) {
    const std::u16string_view group = name.substr(0, dot);
    name = name.substr(dot + 1);
    bool listed = false;
    for (const std::u16string& candidate : entry.groups)
      listed = listed || equalsIgnoringCase(candidate, group);
    if (!listed)
      return false;
  }
  if (name.empty())
    return false;
  for (const auto& [global, local] : entry.commands) {
    if (equalsIgnoringCase(global, name) || (!globalOnly && equalsIgnoringCase(local, name)))
      return true;
  }
  return false;
}

// Loads an application's file; the loader's messages explain a refusal, and a failure inside
// the loader is reported, not passed on, so that a bad entry never stops the host.
bool LoadFile(const DemandLoadEntry& entry) {
  try {
    return DynamicLinker::instance().loadModule(entry.loader.c_str(), false, false);
  } catch (const std::exception& e) {
    acdbHostApplicationServices()->displayString(
        (u"\nUnable to load " + entry.name + u": " + zwin32::FromUtf8(e.what()) + u"\n").c_str(),
        -1);
  } catch (...) {
    acdbHostApplicationServices()->displayString(
        (u"\nUnable to load " + entry.name + u".\n").c_str(), -1);
  }
  return false;
}

}  // namespace

std::vector<DemandLoadEntry> demandLoadEntries() {
  std::vector<DemandLoadEntry> entries;
  Key applications(HKEY_LOCAL_MACHINE, std::u16string(acrxProductKey()) + u"\\Applications");
  if (applications.get() == nullptr)
    return entries;
  for (const std::u16string& name : SubkeyNames(applications.get()))
    entries.push_back(ReadEntry(applications.get(), name));
  return entries;
}

int loadStartupApplications() {
  int loaded = 0;
  for (const DemandLoadEntry& entry : demandLoadEntries()) {
    if (Allows(entry, AcadApp::kOnAutoCADStartup) && !entry.loader.empty() && !IsLoaded(entry) &&
        LoadFile(entry)) {
      ++loaded;
    }
  }
  return loaded;
}

bool demandLoadCommand(std::u16string_view typed) {
  for (const DemandLoadEntry& entry : demandLoadEntries()) {
    if (!Allows(entry, AcadApp::kOnCommandInvocation) || !ServesCommand(entry, typed))
      continue;
    if (entry.loader.empty() || IsLoaded(entry))
      continue;
    return LoadFile(entry);
  }
  return false;
}

bool DynamicLinker::loadApp(const ACHAR* appName, AcadApp::LoadReasons al, bool printit,
                            bool asCmd) {
  if (appName == nullptr)
    return false;
  for (const DemandLoadEntry& entry : demandLoadEntries()) {
    if (equalsIgnoringCase(entry.name, appName) && Allows(entry, al) && !entry.loader.empty())
      return loadModule(entry.loader.c_str(), printit, asCmd);
  }
  return false;
}

}  // namespace zacad

#include "ZnPrompts.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "PromptDatabaseLayout.h"
#include "PromptStore.h"
#include "zwin32/faultpoint.h"
#include "zwin32/hostpath.h"
#include "zwin32/utf.h"

namespace {

// The language lookups start in until initResDatabase names another: French, the products'
// first language.
constexpr WORD kDefaultLanguage = 0x040C;

struct PromptState {
  std::mutex lock;
  std::unique_ptr<zmaker::PromptStore> store;
  WORD language = kDefaultLanguage;
};

PromptState& State() {
  static PromptState state;
  return state;
}

// String `id` of a module's string table, whole (LoadStringW with no buffer gives a pointer
// into the resource itself, so no length limit applies here).
std::optional<std::u16string> ModuleString(HINSTANCE module, UINT id) {
  if (module == nullptr) {
    return std::nullopt;
  }
  LPCWSTR text = nullptr;
  const int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || text == nullptr) {
    return std::nullopt;
  }
  return std::u16string(text, static_cast<size_t>(length));
}

// The loaded modules of the process, as EnumProcessModules lists them.
std::vector<HMODULE> LoadedModules() {
  std::vector<HMODULE> modules(64);
  for (;;) {
    DWORD needed = 0;
    const DWORD size = static_cast<DWORD>(modules.size() * sizeof(HMODULE));
    if (!EnumProcessModules(GetCurrentProcess(), modules.data(), size, &needed)) {
      return {};
    }
    if (needed <= size) {
      modules.resize(needed / sizeof(HMODULE));
      return modules;
    }
    modules.resize(needed / sizeof(HMODULE));
  }
}

// The string from the string table of the first loaded module that says, through its export
// getModulePromptsProjectName, that it owns `project`.
std::optional<std::u16string> OwnerString(LPCTSTR project, UINT id) {
  using ProjectNameFn = LPCTSTR (*)();
  for (HMODULE module : LoadedModules()) {
    auto owner = reinterpret_cast<ProjectNameFn>(
        reinterpret_cast<void*>(GetProcAddress(module, "getModulePromptsProjectName")));
    if (owner == nullptr) {
      continue;
    }
    LPCTSTR name = owner();
    if (name != nullptr && _tcsicmp(name, project) == 0) {
      return ModuleString(module, id);
    }
  }
  return std::nullopt;
}

std::optional<std::u16string> FindPrompt(UINT id, LPCTSTR project) {
  zwin32::FaultPoint("ZnPrompts::getPrompt");
  if (project != nullptr) {
    PromptState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    if (state.store) {
      if (auto text = state.store->Prompt(project, id, state.language)) {
        return text;
      }
    }
  }
  if (auto text = ModuleString(AfxGetResourceHandle(), id)) {
    return text;
  }
  if (project != nullptr) {
    return OwnerString(project, id);
  }
  return std::nullopt;
}

}  // namespace

BOOL ZnPrompts::initResDatabase(LPCTSTR path, WORD language) {
  zwin32::FaultPoint("ZnPrompts::initResDatabase");
  PromptState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.language = language;
  state.store.reset();
  const std::u16string windowsPath = path != nullptr ? path : u"";
  const std::string shown = zwin32::ToUtf8(windowsPath);
  const std::optional<std::string> hostPath = zwin32::HostPathFromWindows(windowsPath);
  if (windowsPath.empty() || !hostPath) {
    std::fprintf(stderr, "zntools: prompt database \"%s\": not a usable path\n", shown.c_str());
    return FALSE;
  }
  std::string error;
  state.store = zmaker::PromptStore::Open(*hostPath, error);
  if (!state.store) {
    std::fprintf(stderr, "zntools: prompt database %s: %s\n", shown.c_str(), error.c_str());
    return FALSE;
  }
  return TRUE;
}

int ZnPrompts::getPrompt(CString& text, UINT id, LPCTSTR project, int /*flags*/) {
  const std::optional<std::u16string> found = FindPrompt(id, project);
  text = found ? CString(found->data(), static_cast<int>(found->size())) : CString();
  return found ? 1 : 0;
}

CString ZnPrompts::getPrompt(UINT id, LPCTSTR project, int flags) {
  CString text;
  getPrompt(text, id, project, flags);
  return text;
}

int ZnPrompts::getPrompt(TCHAR* buffer, UINT id, LPCTSTR project, int /*flags*/) {
  if (buffer == nullptr) {
    return 0;
  }
  const std::optional<std::u16string> found = FindPrompt(id, project);
  size_t length =
      found ? std::min(found->size(), static_cast<size_t>(ZN_PROMPT_BUFFER_SIZE - 1)) : 0;
  if (length > 0 && length < found->size() && (*found)[length - 1] >= 0xD800 &&
      (*found)[length - 1] <= 0xDBFF) {
    --length;  // never leave half of a surrogate pair at the cut
  }
  if (length > 0) {
    std::copy_n(found->data(), length, buffer);
  }
  buffer[length] = u'\0';
  return found ? 1 : 0;
}

void ZnPrompts::setDialogAndControlText(CWnd* dialog, UINT dialogId, LPCTSTR project) {
  zwin32::FaultPoint("ZnPrompts::setDialogAndControlText");
  if (dialog == nullptr || !IsWindow(dialog->GetSafeHwnd()) || project == nullptr) {
    return;
  }
  std::vector<zmaker::PromptStore::DialogText> texts;
  {
    PromptState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    if (!state.store) {
      return;
    }
    texts = state.store->DialogTexts(project, dialogId, state.language);
  }
  // The window calls run outside the lock: setting a text sends messages to the dialog, whose
  // handlers may well look prompts up themselves.
  const HWND window = dialog->GetSafeHwnd();
  for (const zmaker::PromptStore::DialogText& text : texts) {
    if (text.control == zmaker::promptdb::kCaptionControl) {
      SetWindowTextW(window, text.text.c_str());
    } else {
      SetDlgItemTextW(window, text.control, text.text.c_str());
    }
  }
}

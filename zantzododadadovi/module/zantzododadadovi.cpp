// Entry points of the module: the DLL entry, the host's application messages, start-up and
// unload. Each routine here traces itself and keeps every exception inside, since the host must
// never see one cross its boundary.
#include "outside/win.h"
#include "outside/mfc.h"
#include "outside/host.h"
#include "outside/maker.h"

#include "module/command_table.h"
#include "module/lifecycle.h"
#include "module/module_state.h"
#include "module/zantzododadadovieditorreactor.h"

HINSTANCE g_hZantInstance = NULL;
const ACHAR* const kZantPromptProject = _T("ZANTZODODADADOVI");
const ACHAR* const kZantCommandGroup = _T("VRL_LISTUI");
const ACHAR* const kZantMenuGroup = _T("ZANTLISTGEN");
const ACHAR* const kZantToolbar = _T("ZANT_LISTS");
ZANTZododAdadOviEditorReactor* g_pZantEditorReactor = NULL;

namespace {

// Room for a local command name read into a buffer, as the prompt library's buffer form fills it.
constexpr int kLocalNameBufferLength = 72;

// The module's logical name for the host's demand loading, and its group there.
const ACHAR* const kZantAppName = _T("ZANTZoDodAdadOvi");
const ACHAR* const kZantDemandLoadGroup = _T("ZANTListGen");

constexpr DWORD kModulePathBufferLength = 512;

// The prompt database sits in the product's data folder: in "Prompts" for the 2010 product line,
// whose folder names carry the year, in "Bin" for every other.
CString PromptDatabasePath() {
  CString dataPath;
  ZANTRegistryTools::GetVorlaneDataPath(dataPath);
  CString path;
  if (dataPath.Find(_T("2010")) != -1) {
    path.Format(_T("%s\\Prompts\\QrStrings.mdb"), (LPCTSTR)dataPath);
  } else {
    path.Format(_T("%s\\%s\\QrStrings.mdb"), (LPCTSTR)dataPath, _T("Bin"));
  }
  return path;
}

// Registry key "<product key>\Applications", under which the module records itself.
CString ApplicationsKey() {
  CString productKey;
  ZANTRegistryTools::GetPathRegistryApp(productKey);
  CString key;
  key.Format(_T("%s\\%s"), (LPCTSTR)productKey, _T("Applications"));
  return key;
}

// Creates or opens a key for writing: non-volatile, default security.
bool CreateKeyForWrite(HKEY parent, LPCTSTR name, HKEY* key) {
  DWORD disposition = 0;
  ACHAR noClass[] = _T("");
  return RegCreateKeyExW(parent, name, 0, noClass, REG_OPTION_NON_VOLATILE, KEY_WRITE, NULL, key,
                         &disposition) == ERROR_SUCCESS;
}

// A string value in wide characters, terminator included.
void SetWideValue(HKEY key, LPCTSTR name, LPCTSTR data) {
  const DWORD bytes = static_cast<DWORD>((_tcslen(data) + 1) * sizeof(ACHAR));
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), bytes);
}

// A string value in the system's ANSI code page, terminator included.
void SetAnsiValue(HKEY key, LPCSTR name, LPCSTR data, DWORD length) {
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), length + 1);
}

void WriteLoader(HKEY application) {
  HKEY loader = NULL;
  if (!CreateKeyForWrite(application, _T("Loader"), &loader)) {
    return;
  }
  char path[kModulePathBufferLength];
  const DWORD length = GetModuleFileNameA(g_hZantInstance, path, kModulePathBufferLength);
  // A path that fills the whole buffer was cut: recording it would send the host to the wrong
  // file, so none is recorded.
  if (length != 0 && length < kModulePathBufferLength) {
    SetAnsiValue(loader, "MODULE", path, length);
  }
  RegCloseKey(loader);
}

void WriteOneValue(HKEY application, LPCTSTR subKey, LPCTSTR text) {
  HKEY key = NULL;
  if (CreateKeyForWrite(application, subKey, &key)) {
    SetWideValue(key, text, text);
    RegCloseKey(key);
  }
}

// The commands that load the module on demand, each value named by the command and holding it.
void WriteCommands(HKEY application) {
  HKEY commands = NULL;
  if (!CreateKeyForWrite(application, _T("Commands"), &commands)) {
    return;
  }
  for (const ZANTCommandRow& row : kZantCommandTable) {
    if (!row.demandLoad) {
      continue;
    }
    char name[ACRX_MAX_CMDNAME_LEN + 1] = {0};
    const int length =
        WideCharToMultiByte(CP_ACP, 0, row.globalName, -1, name, sizeof name, NULL, NULL);
    if (length > 0) {
      SetAnsiValue(commands, name, name, static_cast<DWORD>(length - 1));
    }
  }
  RegCloseKey(commands);
}

void OpenPromptDatabase() {
  const WORD language = LOWORD(ZANTRegistryTools::GetRegistryLanguageUI());
  ZnPrompts::initResDatabase(PromptDatabasePath(), language);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  UNREFERENCED_PARAMETER(reserved);
  try {
    CZnLogEntry trace(_T("DllMain"));
    if (reason == DLL_PROCESS_ATTACH) {
      g_hZantInstance = instance;
    }
    return TRUE;
  } catch (...) {
    CZnCrashHandler crash(__FILEW__, __LINE__);
  }
  return FALSE;
}

extern "C" __declspec(dllexport) AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt) {
  try {
    CZnLogEntry trace(_T("acrxEntryPoint"));
    switch (msg) {
      case AcRx::kInitAppMsg:
        acrxDynamicLinker->unlockApplication(pkt);
        acrxDynamicLinker->registerAppMDIAware(pkt);
        OpenPromptDatabase();
        InitApplication();
        break;
      case AcRx::kUnloadAppMsg:
        UnloadApplication();
        break;
      default:
        break;
    }
  } catch (...) {
    CZnCrashHandler crash(__FILEW__, __LINE__);
  }
  return AcRx::kRetOK;
}

extern "C" __declspec(dllexport) const ACHAR* getModulePromptsProjectName() {
  return kZantPromptProject;
}

void InitApplication() {
  try {
    CZnLogEntry trace(_T("InitApplication"));
    for (const ZANTCommandRow& row : kZantCommandTable) {
      const CString localName = ZnPrompts::getPrompt(row.localNamePromptId, kZantPromptProject, 0);
      AddCommand(kZantCommandGroup, row.globalName, localName, row.flags, row.handler, -1);
    }
    RegisterArxApp();

    CString productKey;
    ZANTRegistryTools::GetPathRegistryApp(productKey);
    CString applicationKey;
    applicationKey.Format(_T("%s\\%s\\%s"), (LPCTSTR)productKey, _T("Applications"), kZantAppName);

    g_pZantEditorReactor = new ZANTZododAdadOviEditorReactor(true);

    const ACHAR* menuFile =
        ZANTAcadSystemTools::isAcad2007OrLater() ? _T("ZANTLISTGEN.CUI") : _T("ZANTLISTGEN.MNU");
    ZANTAcadSystemTools::loadMenu(kZantMenuGroup, menuFile, applicationKey, 1);
    ZANTAcadSystemTools::ShowToolbar(kZantToolbar, true, kZantMenuGroup);
  } catch (...) {
    CZnCrashHandler crash(__FILEW__, __LINE__);
  }
}

void UnloadApplication() {
  try {
    CZnLogEntry trace(_T("UnloadApplication"));
    acedRegCmds->removeGroup(kZantCommandGroup);
    if (g_pZantEditorReactor != NULL) {
      delete g_pZantEditorReactor;
      g_pZantEditorReactor = NULL;
    }
  } catch (...) {
    CZnCrashHandler crash(__FILEW__, __LINE__);
  }
}

void AddCommand(const ACHAR* group, const ACHAR* globalName, const ACHAR* localName,
                Adesk::Int32 flags, AcRxFunctionPtr handler, int promptId) {
  try {
    CZnLogEntry trace(_T("AddCommand"));
    ACHAR buffer[kLocalNameBufferLength] = {0};
    if (promptId != -1) {
      ZnPrompts::getPrompt(buffer, promptId, kZantPromptProject, 0);
      localName = buffer;
    }
    // A command the host refuses is simply missing; registration goes on with the next one.
    acedRegCmds->addCommand(group, globalName, localName, flags, handler, NULL, -1, NULL, NULL);
  } catch (...) {
    CZnCrashHandler crash(__FILEW__, __LINE__);
  }
}

void RegisterArxApp() {
  try {
    CZnLogEntry trace(_T("RegisterArxApp"));
    if (g_hZantInstance == NULL) {
      return;
    }
    const CString applicationsKey = ApplicationsKey();
    acrxRegisterApp(AcadApp::LoadReasons(AcadApp::kOnCommandInvocation | AcadApp::kOnLoadRequest),
                    kZantAppName, false);

    HKEY applications = NULL;
    if (!CreateKeyForWrite(HKEY_LOCAL_MACHINE, applicationsKey, &applications)) {
      return;
    }
    HKEY application = NULL;
    const bool opened = CreateKeyForWrite(applications, kZantAppName, &application);
    RegCloseKey(applications);
    if (!opened) {
      return;
    }
    WriteLoader(application);
    WriteOneValue(application, _T("Name"), kZantAppName);
    WriteOneValue(application, _T("Groups"), kZantDemandLoadGroup);
    WriteCommands(application);
    RegCloseKey(application);
  } catch (...) {
    CZnCrashHandler crash(__FILEW__, __LINE__);
  }
}

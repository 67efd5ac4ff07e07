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

HINSTANCE g_hZantInstance = NULL;
const ACHAR* const kZantPromptProject = _T("ZANTZODODADADOVI");
const ACHAR* const kZantCommandGroup = _T("VRL_LISTUI");

namespace {

// Room for a local command name read into a buffer, as the prompt library's buffer form fills it.
constexpr int kLocalNameBufferLength = 72;

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
  } catch (...) {
    CZnCrashHandler crash(__FILEW__, __LINE__);
  }
}

void UnloadApplication() {
  try {
    CZnLogEntry trace(_T("UnloadApplication"));
    acedRegCmds->removeGroup(kZantCommandGroup);
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

// Registry part of the maker's host tools library: where the product keeps its settings.
//
// The product's settings key is HKEY_LOCAL_MACHINE\SOFTWARE\ZANT\Vorlane. It holds
//   LanguageUI  REG_DWORD  the user-interface language, a LANGID (0x040C French, 0x0409 English)
//   DataPath    REG_SZ     the product's data folder, a Windows path
#pragma once

#include <afxstr.h>
#include <windows.h>

#include "ZANTHostToolsDef.h"

namespace ZANTRegistryTools {

// Sets `path` to the host's product key below HKEY_LOCAL_MACHINE (acrxProductKey(), as
// "SOFTWARE\Autodesk\AutoCAD\R17.1\ACAD-6001:40C"): applications append "Applications" and
// their own key there, beside the host's demand-load entries.
ZANTHOSTTOOLS_API void GetPathRegistryApp(CString& path);

// The LanguageUI value; French (0x040C) when the value is absent or not a REG_DWORD.
ZANTHOSTTOOLS_API DWORD GetRegistryLanguageUI();

// Sets `path` to the DataPath value and returns non-zero; when the value is absent or not a
// REG_SZ, empties `path` and returns 0.
ZANTHOSTTOOLS_API int GetVorlaneDataPath(CString& path);

}  // namespace ZANTRegistryTools

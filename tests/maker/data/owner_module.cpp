// A module that owns the prompt project "OwnerProject": it says so through the export that the
// tools library looks for, and carries the project's strings in its own string table.
#include <windows.h>

extern "C" __attribute__((visibility("default"))) LPCTSTR getModulePromptsProjectName() {
  return _T("OwnerProject");
}

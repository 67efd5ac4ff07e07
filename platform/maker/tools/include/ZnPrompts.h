// Prompt texts of the maker's tools library.
//
// Every user-visible text of a module is fetched by a numeric id under the module's prompt
// project name. getPrompt looks a text up, in this order:
//   1. the prompt database opened by initResDatabase, for (project, id, current language);
//   2. the string table of the current resource module (AfxGetResourceHandle);
//   3. the string table of the loaded module that owns the project: the first module that
//      exports `LPCTSTR getModulePromptsProjectName()` returning the project name (compared
//      without regard to case).
// When none has it, the text is empty and the int forms return 0.
//
// The `flags` argument of the lookups is passed as 0 by every caller; no flag is defined.
#pragma once

#include <afxwin.h>
#include <windows.h>

#include "ZnToolsDef.h"

// Characters, including the terminating NUL, that the buffer form of getPrompt may write.
// Longer texts are cut to ZN_PROMPT_BUFFER_SIZE - 1 characters.
inline constexpr int ZN_PROMPT_BUFFER_SIZE = 72;

class ZNTOOLS_API ZnPrompts {
 public:
  // Opens the prompt database at `path`, a Windows path ("Z:\\data\\Bin\\QrStrings.mdb"),
  // read-only, replacing any database opened before, and makes `language` (a LANGID) the
  // language of later lookups. The language is kept even when the database fails to open.
  // Returns FALSE, with a message on stderr, when the file is missing or not a prompt database;
  // lookups then fall back to the string tables.
  static BOOL initResDatabase(LPCTSTR path, WORD language);

  // The text of prompt `id` of `project`, or an empty string when not found.
  static CString getPrompt(UINT id, LPCTSTR project, int flags);

  // Sets `text` to the prompt and returns non-zero when found; otherwise empties `text`, returns 0.
  static int getPrompt(CString& text, UINT id, LPCTSTR project, int flags);

  // Copies the prompt into `buffer`, which must hold ZN_PROMPT_BUFFER_SIZE characters, cutting
  // longer texts; returns non-zero when found. When not found `buffer` holds an empty string.
  static int getPrompt(TCHAR* buffer, UINT id, LPCTSTR project, int flags);

  // Gives an open dialog, made from dialog template `dialogId`, the caption and control texts
  // that the prompt database holds for that template of `project` in the current language.
  // Texts the database lacks keep what the template said; a control the dialog lacks is passed
  // over. Without a database, or for a closed window, nothing changes.
  static void setDialogAndControlText(CWnd* dialog, UINT dialogId, LPCTSTR project);
};

// Module-wide state that lives from load to unload.
#pragma once

#include "outside/win.h"
#include "outside/host.h"

class ZANTZododAdadOviEditorReactor;

// The module's own instance handle, recorded when the library is mapped; commands use it to make
// this module's resources current, and the demand-load entries read the module's file name with it.
extern HINSTANCE g_hZantInstance;

// Project under which every prompt of the module is stored.
extern const ACHAR* const kZantPromptProject;

// Command group of the module's eight commands.
extern const ACHAR* const kZantCommandGroup;

// Menu group of the module's menu files, and its toolbar.
extern const ACHAR* const kZantMenuGroup;
extern const ACHAR* const kZantToolbar;

// The one editor reactor, from load to unload; null when there is none.
extern ZANTZododAdadOviEditorReactor* g_pZantEditorReactor;

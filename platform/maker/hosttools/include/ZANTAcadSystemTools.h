// Host part of the maker's host tools library: the host's version, and the product's menus and
// toolbars in the host.
//
// Menus go through the host's menu groups (zacad/menus.h), where the real host offers its COM
// objects (MenuGroups.Load, Toolbar.Visible) for the same work; so they work the same during a
// command, at load time or between commands.
#pragma once

#include <windows.h>

#include "ZANTHostToolsDef.h"

namespace ZANTAcadSystemTools {

// True when the host is release 17 (2007) or later, which reads .CUI customisation files;
// taken from the host's product key ("...\R17.1\...").
ZANTHOSTTOOLS_API bool isAcad2007OrLater();

// Loads the menu file `file` into the host as the menu group `group`, unless a group of that
// name is loaded already (success, nothing read). The file is looked for along the host's
// support path, the calling application's folder first (zacad::FindMenuFile); failing that, at
// the path remembered for the user under HKEY_CURRENT_USER\<registryKeyPath>, value "MenuFile".
// When `remember` is non-zero and registryKeyPath is not empty, a successful load records the
// file's Windows path there (a read-only registry only leaves it unrecorded). Returns non-zero when
// the group is loaded; a failure is explained on the command line.
ZANTHOSTTOOLS_API int loadMenu(LPCTSTR group, LPCTSTR file, LPCTSTR registryKeyPath, int remember);

// Shows (or hides) the toolbar `toolbar` of the loaded menu group `group`; true once it is
// shown (hidden), false when the group or the toolbar is not loaded.
//
// loadMenu and ShowToolbar each open a trace scope of the tools library named after them.
ZANTHOSTTOOLS_API bool ShowToolbar(LPCTSTR toolbar, bool show, LPCTSTR group);

}  // namespace ZANTAcadSystemTools

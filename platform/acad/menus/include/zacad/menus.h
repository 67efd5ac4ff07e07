// The host's menus and toolbars: menu groups loaded from customisation files (.CUI, the XML
// format, and .MNU, the legacy text format), their pull-down menus and toolbars with their
// visibility, and the macros that menu picks run. Not part of the host SDK: applications
// reach this through the host's commands or, as the real products do through the host's COM
// objects (MenuGroups.Load, Toolbar.Visible), through these functions.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zacad/edexport.h"

namespace zacad {

struct MenuItem {
  std::u16string label;  // as written, '&' accelerators included; "--" for a separator
  std::u16string macro;
  std::u16string help;  // status-line help, may be empty
};

struct PullDownMenu {
  std::u16string alias;  // "POP1", ...
  std::u16string title;
  std::vector<MenuItem> items;
};

struct ToolbarButton {
  std::u16string name;
  std::u16string macro;
  std::u16string tooltip;
};

enum class ToolbarPlace { kTop, kBottom, kLeft, kRight, kFloat };

struct Toolbar {
  std::u16string name;
  bool visible = false;
  ToolbarPlace place = ToolbarPlace::kTop;
  int x = 0, y = 0, rows = 1;  // position and rows when floating
  std::vector<ToolbarButton> buttons;
};

struct MenuGroup {
  std::u16string name;
  std::string file;  // host path of the file it was loaded from
  std::vector<PullDownMenu> menus;
  std::vector<Toolbar> toolbars;
};

// Reads a .CUI or .MNU file (chosen by its extension, case ignored). Nothing, with `error`
// explaining where and why, when the file cannot be read or is not a valid menu file.
ZACAD_ED_API std::optional<MenuGroup> ReadMenuFile(const std::string& hostPath, std::string& error);

// Finds a menu file along the support path: a name with a folder is taken as given; a bare
// name is looked for in `firstFolder` (the loading application's folder; may be empty), the
// host's program folder, then the current folder, case ignored as on Windows. Without an
// extension ".cui" then ".mnu" are tried; a ".cui" that is absent may be found as the ".mnu" of
// the same name, which the host converts as it loads it.
ZACAD_ED_API std::optional<std::string> FindMenuFile(std::u16string_view name,
                                                     const std::string& firstFolder);

// Loads the menu file at `hostPath` as a new menu group. Nothing on success; otherwise why it
// was refused (unreadable, invalid, or its group already loaded), with nothing changed.
ZACAD_ED_API std::optional<std::u16string> LoadMenuGroup(const std::string& hostPath);
ZACAD_ED_API bool UnloadMenuGroup(std::u16string_view groupName);

// The loaded groups in load order.
ZACAD_ED_API const std::vector<MenuGroup>& LoadedMenuGroups();
// A loaded group by name (case ignored), or null.
ZACAD_ED_API MenuGroup* FindMenuGroup(std::u16string_view groupName);
// A toolbar by "GROUP.NAME", or by bare name in the first group that has it; or null.
ZACAD_ED_API Toolbar* FindToolbar(std::u16string_view qualifiedName);

// A menu pick leaves its macro to be run once the current command has ended, as input typed at
// the Command prompt; the host takes it from here.
ZACAD_ED_API void QueueMenuMacro(std::u16string macro);
ZACAD_ED_API std::optional<std::u16string> TakeMenuMacro();

// The input lines a macro stands for: ';' is Enter (so is a space, within a line), "^C" cancels
// (on a line of its own), a leading '*' (repeat) is dropped, and the end of the macro is an
// Enter. A '\' (pause for the user) ends what the macro supplies.
ZACAD_ED_API std::vector<std::u16string> MacroInput(std::u16string_view macro);

// The host's commands over menus and toolbars (see menucommands.cpp for their prompts).
ZACAD_ED_API void MenuLoadCommand();
ZACAD_ED_API void CuiLoadCommand();
ZACAD_ED_API void MenuUnloadCommand();
ZACAD_ED_API void MenuListCommand();
ZACAD_ED_API void ToolbarCommand();
ZACAD_ED_API void ButtonCommand();

}  // namespace zacad

// The host's commands over menus and toolbars, with the prompts a user answers:
//   MENULOAD / CUILOAD  "Enter name of menu file to load: " (either format; quotes keep spaces)
//   MENUUNLOAD          "Enter the name of a Customization Group to unload: "
//   MENU                lists the loaded groups with their pull-down menus and toolbars
//   -TOOLBAR            "Enter toolbar name or [ALL]: " (NAME or GROUP.NAME), then
//                       "Enter an option [Show/Hide/Left/Right/Top/Float] <Show>: "
//   BUTTON              "Enter toolbar name: ", then "Enter button name: ": clicks a button of
//                       a shown toolbar, whose macro then runs at the Command prompt
#include <cstdio>
#include <string>

#include "acedads.h"
#include "zacad/menus.h"
#include "zwin32/utf.h"

namespace zacad {
namespace {

bool Ask(const ACHAR* prompt, std::u16string& answer) {
  ACHAR text[ACED_MAX_INPUT_LEN];
  if (acedGetString(0, prompt, text) != RTNORM || text[0] == 0)
    return false;
  answer = text;
  return true;
}

void LoadFile(const ACHAR* prompt) {
  std::u16string name;
  if (!Ask(prompt, name))
    return;
  const std::optional<std::string> path = FindMenuFile(name, std::string());
  if (!path) {
    acutPrintf(u"\nCannot find the menu file \"%s\".\n", name.c_str());
    return;
  }
  if (const std::optional<std::u16string> refused = LoadMenuGroup(*path)) {
    acutPrintf(u"\n%s\n", refused->c_str());
    return;
  }
  acutPrintf(u"\nCustomization file loaded successfully. Customization Group: %s\n",
             LoadedMenuGroups().back().name.c_str());
}

const char16_t* PlaceName(ToolbarPlace place) {
  switch (place) {
    case ToolbarPlace::kTop:
      return u"top";
    case ToolbarPlace::kBottom:
      return u"bottom";
    case ToolbarPlace::kLeft:
      return u"left";
    case ToolbarPlace::kRight:
      return u"right";
    case ToolbarPlace::kFloat:
      return u"floating";
  }
  return u"";
}

bool SameWord(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= u'a' && x <= u'z')
      x -= 32;
    if (y >= u'a' && y <= u'z')
      y -= 32;
    if (x != y)
      return false;
  }
  return true;
}

// The floating position and rows, asked as the host does; false when the user cancels.
bool AskFloat(Toolbar& toolbar) {
  ACHAR text[ACED_MAX_INPUT_LEN];
  int x = toolbar.x, y = toolbar.y;
  for (;;) {
    const int status = acedGetString(0, u"\nEnter new position (screen coordinates) <0,0>: ", text);
    if (status != RTNORM)
      return false;
    const std::string typed = zwin32::ToUtf8(text);
    if (typed.empty()) {
      x = y = 0;
      break;
    }
    int used = 0;
    if (std::sscanf(typed.c_str(), "%d,%d%n", &x, &y, &used) == 2 &&
        used == static_cast<int>(typed.size())) {
      break;
    }
    acutPrintf(u"\nRequires two integers: x,y.");
  }
  int rows = 1;
  acedInitGet(RSG_NOZERO | RSG_NONEG, nullptr);
  const int status = acedGetInt(u"\nEnter number of rows for toolbar <1>: ", &rows);
  if (status != RTNORM && status != RTNONE)
    return false;
  toolbar.x = x;
  toolbar.y = y;
  toolbar.rows = status == RTNONE ? 1 : rows;
  toolbar.place = ToolbarPlace::kFloat;
  toolbar.visible = true;
  return true;
}

}  // namespace

void MenuLoadCommand() {
  LoadFile(u"\nEnter name of menu file to load: ");
}

void CuiLoadCommand() {
  LoadFile(u"\nEnter name of customization file to load: ");
}

void MenuUnloadCommand() {
  std::u16string name;
  if (!Ask(u"\nEnter the name of a Customization Group to unload: ", name))
    return;
  if (UnloadMenuGroup(name)) {
    acutPrintf(u"\nCustomization Group %s unloaded.\n", name.c_str());
  } else {
    acutPrintf(u"\nCustomization Group %s not found.\n", name.c_str());
  }
}

void MenuListCommand() {
  if (LoadedMenuGroups().empty()) {
    acutPrintf(u"\nNo menu groups are loaded.\n");
    return;
  }
  for (const MenuGroup& group : LoadedMenuGroups()) {
    acutPrintf(u"\nMenu group %s  (%s)", group.name.c_str(), zwin32::FromUtf8(group.file).c_str());
    for (const PullDownMenu& menu : group.menus) {
      acutPrintf(u"\n  Pull-down %s %s:", menu.alias.c_str(), menu.title.c_str());
      for (const MenuItem& item : menu.items)
        acutPrintf(u"\n    %-24s %s", item.label.c_str(), item.macro.c_str());
    }
    for (const Toolbar& toolbar : group.toolbars) {
      acutPrintf(u"\n  Toolbar %s.%s (%s, %s):", group.name.c_str(), toolbar.name.c_str(),
                 toolbar.visible ? u"shown" : u"hidden", PlaceName(toolbar.place));
      for (const ToolbarButton& button : toolbar.buttons) {
        acutPrintf(u"\n    %-16s %-28s %s", button.name.c_str(), button.macro.c_str(),
                   button.tooltip.c_str());
      }
    }
  }
  acutPrintf(u"\n");
}

void ToolbarCommand() {
  std::u16string name;
  if (!Ask(u"\nEnter toolbar name or [ALL]: ", name))
    return;
  ACHAR option[ACED_MAX_INPUT_LEN];
  if (SameWord(name, u"ALL") || SameWord(name, u"_ALL")) {
    acedInitGet(RSG_NONULL, u"Show Hide _Show Hide");
    if (acedGetKword(u"\nEnter an option [Show/Hide]: ", option) != RTNORM)
      return;
    const bool show = std::u16string_view(option) == u"Show";
    for (const MenuGroup& group : LoadedMenuGroups()) {
      for (Toolbar& toolbar : FindMenuGroup(group.name)->toolbars)
        toolbar.visible = show;
    }
    return;
  }
  Toolbar* toolbar = FindToolbar(name);
  if (toolbar == nullptr) {
    acutPrintf(u"\nToolbar \"%s\" not found.\n", name.c_str());
    return;
  }
  acedInitGet(0, u"Show Hide Left Right Top Float _Show Hide Left Right Top Float");
  const int status =
      acedGetKword(u"\nEnter an option [Show/Hide/Left/Right/Top/Float] <Show>: ", option);
  if (status != RTNORM && status != RTNONE)
    return;
  const std::u16string chosen = status == RTNONE ? u"Show" : option;
  if (chosen == u"Float") {
    AskFloat(*toolbar);
    return;
  }
  if (chosen == u"Left")
    toolbar->place = ToolbarPlace::kLeft;
  if (chosen == u"Right")
    toolbar->place = ToolbarPlace::kRight;
  if (chosen == u"Top")
    toolbar->place = ToolbarPlace::kTop;
  toolbar->visible = chosen != u"Hide";
}

void ButtonCommand() {
  std::u16string toolbarName, buttonName;
  if (!Ask(u"\nEnter toolbar name: ", toolbarName))
    return;
  const Toolbar* toolbar = FindToolbar(toolbarName);
  if (toolbar == nullptr) {
    acutPrintf(u"\nToolbar \"%s\" not found.\n", toolbarName.c_str());
    return;
  }
  if (!Ask(u"\nEnter button name: ", buttonName))
    return;
  for (const ToolbarButton& button : toolbar->buttons) {
    if (!SameWord(button.name, buttonName))
      continue;
    // A hidden toolbar is not on screen: nothing of it can be clicked.
    if (!toolbar->visible) {
      acutPrintf(u"\nToolbar \"%s\" is hidden.\n", toolbar->name.c_str());
    } else if (!button.macro.empty()) {
      QueueMenuMacro(button.macro);
    }
    return;
  }
  acutPrintf(u"\nToolbar \"%s\" has no button \"%s\".\n", toolbar->name.c_str(),
             buttonName.c_str());
}

}  // namespace zacad

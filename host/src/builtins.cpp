// The built-in commands: ARX (load, unload and list applications and commands) and QUIT/EXIT.
#include "builtins.h"

#include <algorithm>
#include <string>

#include "accmd.h"
#include "acedads.h"
#include "drawingcommands.h"
#include "editorcommands.h"
#include "rxdict.h"
#include "rxdlinkr.h"
#include "zacad/applications.h"
#include "zacad/menus.h"

namespace zanthost {
namespace {

bool gQuit = false;

bool SameName(std::u16string_view a, std::u16string_view b) {
  auto upper = [](char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](auto x, auto y) { return upper(x) == upper(y); });
}

void ListApplications() {
  auto apps = zacad::loadedApplications();
  if (apps.empty()) {
    acutPrintf(u"\nNo applications are loaded.\n");
    return;
  }
  for (const auto& app : apps) {
    acutPrintf(u"\n%-24s %s%s", app.name.c_str(), app.path.c_str(),
               app.locked ? u"  (locked)" : u"");
  }
  acutPrintf(u"\n");
}

void ListCommands() {
  AcEdCommandIterator* it = acedRegCmds->iterator();
  if (it->done())
    acutPrintf(u"\nNo commands are registered.\n");
  for (; !it->done(); it->next()) {
    acutPrintf(u"\n%-20s %-24s %s", it->commandGroup(), it->command()->globalName(),
               it->command()->localName());
  }
  acutPrintf(u"\n");
  delete it;
}

void ListDictionary(AcRxDictionary* dictionary) {
  if (dictionary == nullptr)
    return;
  AcRxDictionaryIterator* it = dictionary->newIterator(AcRx::kDictSorted);
  for (; !it->done(); it->next())
    acutPrintf(u"\n%s", it->key());
  acutPrintf(u"\n");
  delete it;
}

void ListGroups() {
  AcEdCommandIterator* it = acedRegCmds->iterator();
  std::u16string last;
  for (; !it->done(); it->next()) {
    if (last != it->commandGroup())
      acutPrintf(u"\n%s", it->commandGroup());
    last = it->commandGroup();
  }
  acutPrintf(u"\n");
  delete it;
}

void Options() {
  ACHAR option[ACED_MAX_INPUT_LEN];
  acedInitGet(0, u"Group CLasses Services");
  if (acedGetKword(u"\nEnter an option [Group/CLasses/Services]: ", option) != RTNORM)
    return;
  std::u16string_view chosen(option);
  if (chosen == u"Group")
    ListGroups();
  if (chosen == u"CLasses")
    ListDictionary(acrxClassDictionary);
  if (chosen == u"Services")
    ListDictionary(acrxServiceDictionary);
}

void Arx() {
  ACHAR option[ACED_MAX_INPUT_LEN];
  acedInitGet(0, u"? Load Unload Commands Options");
  if (acedGetKword(u"\nEnter an option [?/Load/Unload/Commands/Options]: ", option) != RTNORM) {
    return;
  }
  std::u16string_view chosen(option);
  ACHAR file[ACED_MAX_INPUT_LEN];
  if (chosen == u"?") {
    ListApplications();
  } else if (chosen == u"Load") {
    if (acedGetString(0, u"\nEnter ARX/DBX file name to load: ", file) == RTNORM && file[0]) {
      // A logical name recorded for loading on request comes before a file of that name.
      if (!acrxDynamicLinker->loadApp(file, AcadApp::kOnLoadRequest, true, true))
        acrxDynamicLinker->loadModule(file, true, true);
    }
  } else if (chosen == u"Unload") {
    if (acedGetString(0, u"\nEnter ARX/DBX file name to unload: ", file) == RTNORM && file[0]) {
      acrxDynamicLinker->unloadModule(file, true);
    }
  } else if (chosen == u"Commands") {
    ListCommands();
  } else {
    Options();
  }
}

void Quit() {
  gQuit = true;
}

const BuiltIn kBuiltIns[] = {
    {u"ARX", Arx},
    {u"MENULOAD", zacad::MenuLoadCommand},
    {u"CUILOAD", zacad::CuiLoadCommand},
    {u"MENUUNLOAD", zacad::MenuUnloadCommand},
    {u"MENU", zacad::MenuListCommand},
    {u"-TOOLBAR", zacad::ToolbarCommand},
    {u"BUTTON", zacad::ButtonCommand},
    {u"QUIT", Quit},
    {u"EXIT", Quit},
};

}  // namespace

const BuiltIn* FindBuiltIn(std::u16string_view name) {
  for (const BuiltIn& builtIn : kBuiltIns) {
    if (SameName(builtIn.name, name))
      return &builtIn;
  }
  if (const BuiltIn* drawing = FindDrawingCommand(name))
    return drawing;
  return FindEditorCommand(name);
}

bool QuitRequested() {
  return gQuit;
}

}  // namespace zanthost

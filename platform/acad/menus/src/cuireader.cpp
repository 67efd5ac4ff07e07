// The host's XML customisation file (.CUI). The subset read here:
//
//   <CustSection>
//     <MenuGroup Name="GROUP">
//       <MacroGroup Name="...">
//         <MenuMacro UID="MM_1">
//           <Macro type="Any"><Name>Header</Name><Command>^C^C_HEADER</Command>
//                             <HelpString>Tags the header</HelpString></Macro>
//         </MenuMacro>
//       </MacroGroup>
//       <MenuRoot>
//         <PopMenuRoot>
//           <PopMenu UID="PM_1"><Alias>POP1</Alias><Name>&amp;Lists</Name>
//             <PopMenuItem><Name>&amp;Header</Name><MenuItem><MacroRef MenuMacroID="MM_1"/>
//             </MenuItem></PopMenuItem>
//             <PopMenuSeparator/>
//           </PopMenu>
//         </PopMenuRoot>
//         <ToolbarRoot>
//           <Toolbar ToolbarOrient="top|bottom|left|right|floating" ToolbarVisible="show|hide"
//                    xval="0" yval="0" rows="1"><Name>TOOLBAR</Name>
//             <ToolbarButton><Name>Header</Name><MacroRef MenuMacroID="MM_1"/></ToolbarButton>
//           </Toolbar>
//         </ToolbarRoot>
//       </MenuRoot>
//     </MenuGroup>
//   </CustSection>
//
// Everything else (images, accelerators, workspaces, revisions) is ignored. A button's tooltip
// is its macro's help string, else the macro's name, else the button's name.
#include <map>

#include "menureaders.h"
#include "xmlreader.h"
#include "zwin32/utf.h"

namespace zacad {
namespace {

struct Macro {
  std::u16string name, command, help;
};

std::u16string Text(const xml::Element* element) {
  return element == nullptr ? std::u16string() : zwin32::FromUtf8(element->text);
}

// The MacroRef anywhere below `element` (a PopMenuItem wraps it in MenuItem).
const xml::Element* FindMacroRef(const xml::Element& element) {
  for (const xml::Element& child : element.children) {
    if (child.name == "MacroRef")
      return &child;
    if (child.name == "MenuItem") {
      if (const xml::Element* found = FindMacroRef(child))
        return found;
    }
  }
  return nullptr;
}

class CuiReader {
 public:
  CuiReader(const std::string& where, std::string& error) : where_(where), error_(error) {}

  std::optional<MenuGroup> read(const xml::Element& root) {
    const xml::Element* group = root.name == "MenuGroup" ? &root : root.child("MenuGroup");
    if (group == nullptr || group->attribute("Name").empty())
      return fail(root.line, "no <MenuGroup Name=\"...\"> element");
    MenuGroup result;
    result.name = zwin32::FromUtf8(group->attribute("Name"));
    for (const xml::Element& macroGroup : group->children) {
      if (macroGroup.name == "MacroGroup")
        readMacros(macroGroup);
    }
    const xml::Element* menuRoot = group->child("MenuRoot");
    if (menuRoot == nullptr)
      return result;
    if (const xml::Element* pops = menuRoot->child("PopMenuRoot")) {
      for (const xml::Element& pop : pops->children) {
        if (pop.name == "PopMenu" && !readPopMenu(pop, result))
          return std::nullopt;
      }
    }
    if (const xml::Element* toolbars = menuRoot->child("ToolbarRoot")) {
      for (const xml::Element& toolbar : toolbars->children) {
        if (toolbar.name == "Toolbar" && !readToolbar(toolbar, result))
          return std::nullopt;
      }
    }
    return result;
  }

 private:
  std::nullopt_t fail(int line, const std::string& why) {
    error_ = where_ + ":" + std::to_string(line) + ": " + why;
    return std::nullopt;
  }

  void readMacros(const xml::Element& macroGroup) {
    for (const xml::Element& menuMacro : macroGroup.children) {
      if (menuMacro.name != "MenuMacro")
        continue;
      const xml::Element* macro = menuMacro.child("Macro");
      if (macro == nullptr)
        continue;
      macros_[menuMacro.attribute("UID")] = {Text(macro->child("Name")),
                                             Text(macro->child("Command")),
                                             Text(macro->child("HelpString"))};
    }
  }

  // The macro an item refers to; null (with the error set) for a dangling reference.
  const Macro* macroOf(const xml::Element& item, bool& ok) {
    ok = true;
    const xml::Element* ref = FindMacroRef(item);
    if (ref == nullptr)
      return nullptr;
    auto found = macros_.find(ref->attribute("MenuMacroID"));
    if (found == macros_.end()) {
      ok = false;
      fail(ref->line, "unknown macro \"" + ref->attribute("MenuMacroID") + "\"");
      return nullptr;
    }
    return &found->second;
  }

  bool readPopMenu(const xml::Element& pop, MenuGroup& group) {
    PullDownMenu menu;
    menu.alias = Text(pop.child("Alias"));
    menu.title = Text(pop.child("Name"));
    for (const xml::Element& item : pop.children) {
      if (item.name == "PopMenuSeparator") {
        menu.items.push_back({u"--", {}, {}});
      } else if (item.name == "PopMenuItem") {
        bool ok = true;
        const Macro* macro = macroOf(item, ok);
        if (!ok)
          return false;
        MenuItem entry{Text(item.child("Name")), {}, {}};
        if (macro != nullptr) {
          if (entry.label.empty())
            entry.label = macro->name;
          entry.macro = macro->command;
          entry.help = macro->help;
        }
        menu.items.push_back(std::move(entry));
      }
    }
    group.menus.push_back(std::move(menu));
    return true;
  }

  bool readNumber(const xml::Element& element, const char* attribute, int& value) {
    const std::string text = element.attribute(attribute);
    if (text.empty())
      return true;
    try {
      size_t used = 0;
      value = std::stoi(text, &used);
      if (used == text.size())
        return true;
    } catch (const std::exception&) {
    }
    fail(element.line, std::string("bad ") + attribute + " \"" + text + "\"");
    return false;
  }

  bool readToolbar(const xml::Element& element, MenuGroup& group) {
    Toolbar toolbar;
    toolbar.name = Text(element.child("Name"));
    if (toolbar.name.empty()) {
      fail(element.line, "a toolbar without a <Name>");
      return false;
    }
    const std::string visible = element.attribute("ToolbarVisible");
    toolbar.visible = visible.empty() || visible == "show";
    static const std::pair<const char*, ToolbarPlace> kPlaces[] = {
        {"top", ToolbarPlace::kTop},
        {"bottom", ToolbarPlace::kBottom},
        {"left", ToolbarPlace::kLeft},
        {"right", ToolbarPlace::kRight},
        {"floating", ToolbarPlace::kFloat}};
    const std::string orient = element.attribute("ToolbarOrient");
    for (const auto& [word, place] : kPlaces) {
      if (orient == word)
        toolbar.place = place;
    }
    if (!readNumber(element, "xval", toolbar.x) || !readNumber(element, "yval", toolbar.y) ||
        !readNumber(element, "rows", toolbar.rows)) {
      return false;
    }
    for (const xml::Element& item : element.children) {
      if (item.name != "ToolbarButton")
        continue;
      bool ok = true;
      const Macro* macro = macroOf(item, ok);
      if (!ok)
        return false;
      ToolbarButton button{Text(item.child("Name")), {}, {}};
      if (macro != nullptr) {
        if (button.name.empty())
          button.name = macro->name;
        button.macro = macro->command;
        button.tooltip = !macro->help.empty() ? macro->help : macro->name;
      }
      if (button.tooltip.empty())
        button.tooltip = button.name;
      toolbar.buttons.push_back(std::move(button));
    }
    group.toolbars.push_back(std::move(toolbar));
    return true;
  }

  const std::string& where_;
  std::string& error_;
  std::map<std::string, Macro> macros_;
};

// CUI files are UTF-8, usually with a byte-order mark; UTF-16LE with its mark is read too.
std::optional<std::string> Utf8Text(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                           (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return zwin32::ToUtf8(text);
  }
  if (bytes.starts_with("\xEF\xBB\xBF"))
    bytes.remove_prefix(3);
  if (!zwin32::FromUtf8Strict(bytes))
    return std::nullopt;
  return std::string(bytes);
}

}  // namespace

std::optional<MenuGroup> ReadCui(std::string_view bytes, const std::string& where,
                                 std::string& error) {
  const std::optional<std::string> text = Utf8Text(bytes);
  if (!text) {
    error = where + ": not UTF-8 or UTF-16 text";
    return std::nullopt;
  }
  std::string why;
  const std::optional<xml::Element> root = xml::Parse(*text, why);
  if (!root) {
    error = where + ":" + why;
    return std::nullopt;
  }
  return CuiReader(where, error).read(*root);
}

}  // namespace zacad

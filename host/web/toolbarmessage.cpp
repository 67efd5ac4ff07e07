#include "toolbarmessage.h"

#include <charconv>

#include "json.h"
#include "zacad/menus.h"
#include "zwin32/utf.h"

namespace zanthost::web {

std::string ToolbarMessage() {
  std::string message = "{\"type\":\"toolbars\",\"toolbars\":[";
  bool first = true;
  for (const zacad::MenuGroup& group : zacad::LoadedMenuGroups()) {
    for (const zacad::Toolbar& toolbar : group.toolbars) {
      // A hidden toolbar is not on screen, as in the host.
      if (!toolbar.visible)
        continue;
      message += first ? "{\"name\":" : ",{\"name\":";
      first = false;
      AppendJsonString(message, zwin32::ToUtf8(group.name + u"." + toolbar.name));
      message += ",\"buttons\":[";
      for (size_t i = 0; i < toolbar.buttons.size(); ++i) {
        const zacad::ToolbarButton& button = toolbar.buttons[i];
        message += i == 0 ? "{\"label\":" : ",{\"label\":";
        AppendJsonString(message, zwin32::ToUtf8(button.name));
        message += ",\"tooltip\":";
        AppendJsonString(message, zwin32::ToUtf8(button.tooltip));
        message += '}';
      }
      message += "]}";
    }
  }
  return message + "]}";
}

std::optional<std::u16string> MacroForButton(std::string_view click) {
  size_t index = 0;
  const auto [end, error] = std::from_chars(click.data(), click.data() + click.size(), index);
  if (error != std::errc() || end == click.data() + click.size() || *end != ' ')
    return std::nullopt;
  const std::u16string name = zwin32::FromUtf8(click.substr(end + 1 - click.data()));
  const zacad::Toolbar* toolbar = zacad::FindToolbar(name);
  if (toolbar == nullptr || !toolbar->visible || index >= toolbar->buttons.size() ||
      toolbar->buttons[index].macro.empty()) {
    return std::nullopt;
  }
  return toolbar->buttons[index].macro;
}

}  // namespace zanthost::web

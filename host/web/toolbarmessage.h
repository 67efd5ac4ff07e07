// The shown toolbars of the loaded menu groups, as JSON for the pages, which draw them as rows
// of buttons; a click comes back as "button INDEX GROUP.TOOLBAR" and the host runs that
// button's macro (MacroForButton), so a page never sends a macro of its own making.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zanthost::web {

// {"type":"toolbars","toolbars":[{"name":"GROUP.TOOLBAR","buttons":[{"label","tooltip"},...]}]}
std::string ToolbarMessage();

// The macro of a button clicked on a page ("INDEX GROUP.TOOLBAR"); nothing when that toolbar is
// not shown, has no such button, or the button runs nothing.
std::optional<std::u16string> MacroForButton(std::string_view click);

}  // namespace zanthost::web

// The two menu file formats, each read from the file's bytes into a menu group. `where` names
// the file in messages; errors read "<where>:<line>: why".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "zacad/menus.h"

namespace zacad {

std::optional<MenuGroup> ReadCui(std::string_view bytes, const std::string& where,
                                 std::string& error);
std::optional<MenuGroup> ReadMnu(std::string_view bytes, const std::string& where,
                                 std::string& error);

}  // namespace zacad

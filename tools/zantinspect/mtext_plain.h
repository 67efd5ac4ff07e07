// The text a reader sees in a TEXT or MTEXT: format codes and control sequences removed.
#pragma once

#include <string>
#include <string_view>

namespace zinspect {

// Special characters of single-line texts (%%c, %%d, %%p, %%%) as the symbols they draw.
std::string PlainText(std::string_view text);

// MTEXT contents without their format codes; paragraph breaks become line breaks.
std::string PlainMText(std::string_view contents);

}  // namespace zinspect

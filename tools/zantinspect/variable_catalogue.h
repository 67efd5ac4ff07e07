// The names a template text may use as variables: the vocabulary that the list generator fills.
#pragma once

#include <span>
#include <string_view>

namespace zinspect {

// The 45 names, in the order the variable command offers them.
std::span<const std::string_view> VariableNames();
bool IsVariableName(std::string_view name);

}  // namespace zinspect

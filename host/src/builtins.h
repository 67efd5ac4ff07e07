// The host's own commands. Each runs in the command context like an application's command.
#pragma once

#include <string_view>

namespace zanthost {

struct BuiltIn {
  const char16_t* name;  // the same in every language
  void (*run)();
};

// The built-in of that name (case ignored), or null.
const BuiltIn* FindBuiltIn(std::u16string_view name);

// Set by QUIT and EXIT: the session ends after the command.
bool QuitRequested();

}  // namespace zanthost

// The module's commands: one row each, registered in this order at load.
#pragma once

#include <array>

#include "outside/win.h"
#include "outside/host.h"

struct ZANTCommandRow {
  const ACHAR* globalName;
  UINT localNamePromptId;  // prompt that holds the local name in the user's language
  Adesk::Int32 flags;
  AcRxFunctionPtr handler;
  bool demandLoad;  // listed in the registry as a command that loads the module
};

extern const std::array<ZANTCommandRow, 8> kZantCommandTable;

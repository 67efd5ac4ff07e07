// Start-up and unload of the module, and the registration of one command.
#pragma once

#include "outside/win.h"
#include "outside/host.h"

void InitApplication();
void UnloadApplication();

// Records the module for the host's demand loading: on every load, and silently.
void RegisterArxApp();

// Registers one command in the host's command stack. promptId is -1 when localName is already
// resolved; otherwise the local name is read from that prompt and localName is ignored.
void AddCommand(const ACHAR* group, const ACHAR* globalName, const ACHAR* localName,
                Adesk::Int32 flags, AcRxFunctionPtr handler, int promptId);

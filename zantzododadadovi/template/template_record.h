// The template record: the extended data of one application on an entity that says to which
// section of a list template the entity belongs. The list generator reads these names.
#pragma once

#include "outside/host.h"

// Application under which every template record is stored.
inline constexpr const ACHAR* kZantTemplateApp = _T("ZANT_LIST_TEMPLATE");

// Group codes of a record: the application name, the key and sub-key strings, the value.
inline constexpr int kZantXdAppName = 1001;
inline constexpr int kZantXdString = 1000;
inline constexpr int kZantXdReal = 1040;

// The maker's tools, host tools and expression libraries: trace scopes, crash reports, prompt
// texts, resource switching, product registry paths and user-interface language, menus and
// toolbars, the expression dialog.
#pragma once

#include <ZnLogEntry.h>
#include <ZnCrashHandler.h>
#include <ZnPrompts.h>
#include <ZnToolsResOverride.h>
#include <ZANTRegistryTools.h>
#include <ZANTAcadSystemTools.h>
#include <ZnDlgExpression.h>

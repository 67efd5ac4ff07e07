// The host CAD platform: application messages, services of the system registry, dynamic linker,
// command stack, status values and result codes.
#pragma once

#include <adesk.h>
#include <acadstrc.h>
#include <adscodes.h>
#include <rxdefs.h>
#include <rxregsvc.h>
#include <rxdlinkr.h>
#include <accmd.h>
#include <aced.h>

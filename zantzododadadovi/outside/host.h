// The host CAD platform: application messages, services of the system registry, dynamic linker,
// command stack, status values and result codes, documents and their locks, entities and their
// extended data, selections and result buffer lists.
#pragma once

#include <adesk.h>
#include <acadstrc.h>
#include <adscodes.h>
#include <rxdefs.h>
#include <rxregsvc.h>
#include <rxdlinkr.h>
#include <accmd.h>
#include <aced.h>
#include <acutads.h>
#include <acedads.h>
#include <acdbads.h>
#include <acdocman.h>
#include <axlock.h>
#include <dbmain.h>
#include <dbents.h>
#include <dbidar.h>
#include <dbhandle.h>
#include <dbobjptr.h>

// The C-level database functions: entity lists (entget/entnext/entlast) and the APPID table,
// working on the working database (acdbHostApplicationServices()->workingDatabase()).
#pragma once

#include "acdbport.h"
#include "adscodes.h"
#include "adsdef.h"

// The entity's DXF list: (-1 . name) (0 . type) then its groups in file order, points joined
// into one buffer, object references as entity names, without extended data. Null when ent
// names nothing (or an erased entity). Release with acutRelRb.
ACDB_PORT struct resbuf* acdbEntGet(const ads_name ent);
// The same followed by (-3) and the extended data of the listed applications ("*" for all).
ACDB_PORT struct resbuf* acdbEntGetX(const ads_name ent, const struct resbuf* apps);
// The first entity of the drawing (null ent), or the one after ent, vertices and attributes
// included; RTERROR at the end.
ACDB_PORT int acdbEntNext(const ads_name ent, ads_name result);
// The last main entity (not a vertex or attribute); RTERROR in an empty drawing.
ACDB_PORT int acdbEntLast(ads_name result);
// The record of a symbol table as a DXF list, or null. Only "APPID", "LAYER" and "BLOCK" are
// searched here. setnext is accepted and not used.
ACDB_PORT struct resbuf* acdbTblSearch(const ACHAR* tblname, const ACHAR* sym, int setnext);
// Adds an application to the APPID table: RTNORM, or RTERROR if it is there already or the
// name is not a valid symbol name.
ACDB_PORT int acdbRegApp(const ACHAR* appname);
